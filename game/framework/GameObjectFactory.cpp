// The factory of the game-object classes that object-definition files name.
#include "framework/GameObjectFactory.h"

#include <initializer_list>

#include "core/Trace.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/ChangeNodeButton.h"
#include "framework/Character.h"
#include "framework/Clickable.h"
#include "framework/ExitButton.h"
#include "framework/EmitterClickPoint.h"
#include "framework/ExtraObjectFactory.h"
#include "framework/GameButton.h"
#include "framework/LevelBanner.h"
#include "framework/MultiStateClickPoint.h"
#include "framework/NPC.h"
#include "framework/ObjectClassTable.h"
#include "framework/Player.h"
#include "framework/SimpleClickPoint.h"
#include "framework/TalkingHead.h"
#include "framework/TextObject.h"
#include "framework/VanishingClickPoint.h"

namespace {

// Text boxes of definition files start in the debug face and are set by their keys; a text needs
// no sprite.
GenericObject* MakeText(const char* objectName, const char* /*spriteName*/) {
  return new TextObject(objectName, "courier", 10);
}

// Every class an object-definition file may name, in the order they are compared. A class joins
// the game by a row here (or in ExtraObjectFactory's table) and its header above.
constexpr std::initializer_list<ObjectClass> kClasses = {
    {"text", MakeText},
    {"ambient", ObjectClass::MakeOnGameClock<Ambient>},
    {"background", ObjectClass::Make<Background>},
    {"changenodebutton", ObjectClass::Make<ChangeNodeButton>},
    {"exitbutton", ObjectClass::Make<ExitButton>},
    {"gamebutton", ObjectClass::MakeOnGameClock<GameButton>},
    {"clickable", ObjectClass::MakeOnGameClock<Clickable>},
    {"character", ObjectClass::Make<Character>},
    {"npc", ObjectClass::Make<NPC>},
    {"player", ObjectClass::Make<Player>},
    {"talkinghead", ObjectClass::Make<TalkingHead>},
    {"simpleclickpoint", ObjectClass::MakeOnGameClock<SimpleClickPoint>},
    {"vanishingclickpoint", ObjectClass::MakeOnGameClock<VanishingClickPoint>},
    {"multistateclickpoint", ObjectClass::MakeOnGameClock<MultiStateClickPoint>},
    {"emitterclickpoint", ObjectClass::MakeOnGameClock<EmitterClickPoint>},
    {"LevelBanner", ObjectClass::MakeOnGameClock<LevelBanner>},
};

}  // namespace

GenericObject* GameObjectFactory(const char* className, const char* objectName, const char* spriteName) {
  if (GenericObject* object = ObjectClass::CreateFrom(kClasses, className, objectName, spriteName))
    return object;
  if (GenericObject* object = ExtraObjectFactory(className, objectName, spriteName)) return object;
  Qel::Trace("GameObjectFactory: Unknown object class name '%s'\n", className ? className : "");
  return nullptr;
}
