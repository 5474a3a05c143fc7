// The second factory of game-object classes, asked for the names the first one does not know.
#include "framework/ExtraObjectFactory.h"

#include <initializer_list>

#include "framework/ActiveGameButton.h"
#include "framework/ObjectClassTable.h"

namespace {

// Compared in this order, after every class of GameObjectFactory.
constexpr std::initializer_list<ObjectClass> kClasses = {
    {"ActiveGameButton", ObjectClass::MakeOnGameClock<ActiveGameButton>},
};

}  // namespace

GenericObject* ExtraObjectFactory(const char* className, const char* objectName, const char* spriteName) {
  return ObjectClass::CreateFrom(kClasses, className, objectName, spriteName);
}
