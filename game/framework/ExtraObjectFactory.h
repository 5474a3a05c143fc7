// The second factory of game-object classes, asked for the names the first one does not know.
#pragma once

#include "framework/ObjectClassTable.h"

class GenericObject;

// A new object of the class named, without regard to case, or null. The framework's own classes
// come first, then the ones the game registered, in the order they joined.
GenericObject* ExtraObjectFactory(const char* className, const char* objectName, const char* spriteName);

// The game's classes above the framework join the object files here, since the framework cannot
// name them. A name already registered (in any case) takes the new maker; a null name or maker is
// ignored. The name is not copied: it must outlive the process's object loading (a literal).
void RegisterExtraObjectClass(const char* className, ObjectClass::Create create);

// Test seam: no class registered, as before the game's first node.
void ForgetExtraObjectClassesForTesting();
