// The second factory of game-object classes, asked for the names the first one does not know.
#pragma once

class GenericObject;

// A new object of the class named, without regard to case, or null.
GenericObject* ExtraObjectFactory(const char* className, const char* objectName, const char* spriteName);
