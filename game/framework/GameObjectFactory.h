// The factory of the game-object classes that object-definition files name.
#pragma once

class GenericObject;

// A new object of the class named, without regard to case, or null. Names this factory does not
// know go to ExtraObjectFactory; when that knows none either, the trace says
// "GameObjectFactory: Unknown object class name '%s'". A sprite that cannot be loaded throws from
// the object's constructor.
GenericObject* GameObjectFactory(const char* className, const char* objectName, const char* spriteName);
