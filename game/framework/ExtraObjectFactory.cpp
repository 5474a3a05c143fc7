// The second factory of game-object classes, asked for the names the first one does not know.
#include "framework/ExtraObjectFactory.h"

#include <initializer_list>
#include <vector>

#include "framework/ActiveGameButton.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

// Compared in this order, after every class of GameObjectFactory.
constexpr std::initializer_list<ObjectClass> kClasses = {
    {"ActiveGameButton", ObjectClass::MakeOnGameClock<ActiveGameButton>},
};

// Function-local, so that a registration from another library's static start-up finds it built.
std::vector<ObjectClass>& Registered() {
  static std::vector<ObjectClass> classes;
  return classes;
}

}  // namespace

GenericObject* ExtraObjectFactory(const char* className, const char* objectName, const char* spriteName) {
  if (GenericObject* object = ObjectClass::CreateFrom(kClasses, className, objectName, spriteName))
    return object;
  if (!className) return nullptr;
  for (const ObjectClass& row : Registered()) {
    if (plat::EqualsIgnoringCase(row.name, className)) return row.create(objectName, spriteName);
  }
  return nullptr;
}

void RegisterExtraObjectClass(const char* className, ObjectClass::Create create) {
  if (!className || !create) return;
  for (ObjectClass& row : Registered()) {
    if (plat::EqualsIgnoringCase(row.name, className)) {
      row = {className, create};
      return;
    }
  }
  Registered().push_back({className, create});
}

void ForgetExtraObjectClassesForTesting() {
  Registered().clear();
}
