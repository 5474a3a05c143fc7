// A table of game-object classes by name, as the object factories hold them.
#pragma once

#include <initializer_list>

#include "framework/GenericObject.h"
#include "platform/win/kernel/AsciiCase.h"

struct ObjectClass {
  using Create = GenericObject* (*)(const char* objectName, const char* spriteName);

  const char* name;
  Create create;

  // The rows' constructors: (object name, sprite name) and, with the game clock, (object name,
  // sprite name, clock kind 0).
  template <typename T>
  static GenericObject* Make(const char* objectName, const char* spriteName) {
    return new T(objectName, spriteName);
  }
  template <typename T>
  static GenericObject* MakeOnGameClock(const char* objectName, const char* spriteName) {
    return new T(objectName, spriteName, 0);
  }

  // The first row whose name equals the class name without regard to case builds the object;
  // null when none does.
  static GenericObject* CreateFrom(std::initializer_list<ObjectClass> table, const char* className,
                                   const char* objectName, const char* spriteName) {
    if (!className) return nullptr;
    for (const ObjectClass& row : table) {
      if (plat::EqualsIgnoringCase(row.name, className)) return row.create(objectName, spriteName);
    }
    return nullptr;
  }
};
