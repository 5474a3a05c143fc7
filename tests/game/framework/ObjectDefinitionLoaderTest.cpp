// Object-definition files from a directory database into an object list: headers, key = value
// lines through every level of each class, line ends, comments, long lines, duplicate names,
// unknown classes and sprites that cannot be loaded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/ActiveGameButton.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/ChangeNodeButton.h"
#include "framework/Character.h"
#include "framework/Clickable.h"
#include "framework/ExitButton.h"
#include "framework/ExtraObjectFactory.h"
#include "framework/GameButton.h"
#include "framework/GameObjectFactory.h"
#include "framework/GenericObject.h"
#include "framework/NPC.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/ObjectList.h"
#include "framework/Player.h"
#include "framework/SpriteObject.h"
#include "framework/TalkingHead.h"
#include "framework/TextObject.h"
#include "graphics/Sprite.h"
#include "graphics/StaticText.h"
#include "graphics/WinTextBox.h"
#include "support/ObjectStage.h"

namespace {

class Definitions : public testing::Test {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }

  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    stage.AddSprite("box");
    stage.AddSprite("small", test::StageSprite(10, 10));
  }

  void TearDown() override { DeleteAll(); }

  void DeleteAll() {
    while (GenericObject* object = list.At(0)) {
      list.Remove(object);
      delete object;
    }
  }

  // Loads the text as a resource of its own; the text thrown, or empty.
  std::string Load(const std::string& text) {
    const std::string name = "defs" + std::to_string(++m_files);
    stage.AddText(name, text);
    try {
      EXPECT_TRUE(ObjectDefinitionLoader::Instance().Load(name.c_str(), list));
    } catch (const char* thrown) {
      return thrown;
    }
    return "";
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < list.GetCount(); ++i) names.emplace_back(list.At(i)->GetName());
    return names;
  }

  // Fails the test at once when the list has no such sprite object.
  SpriteObject* Object(const char* name) {
    auto* object = dynamic_cast<SpriteObject*>(list.Find(name));
    if (!object) throw std::runtime_error(std::string("no sprite object ") + name);
    return object;
  }

  test::ObjectStage stage;
  ObjectList list;

private:
  int m_files = 0;
};

}  // namespace

TEST_F(Definitions, AHeaderCreatesTheObjectAndTheLinesAfterItSetItsKeys) {
  EXPECT_EQ(Load("[ambient PlayButton box]\nx = 100\ny = 250\n"), "");
  ASSERT_EQ(Names(), std::vector<std::string>({"PlayButton"}));
  SpriteObject* object = Object("PlayButton");
  EXPECT_NE(dynamic_cast<Ambient*>(object), nullptr);
  EXPECT_EQ(object->GetX(), 100.0f);
  EXPECT_EQ(object->GetY(), 250.0f);
  EXPECT_EQ(object->GetSize(), Qel::Point2(40, 30));
}

TEST_F(Definitions, EveryClassIsBuiltWithItsKeysThroughEveryLevel) {
  struct Case {
    const char* className;
    std::function<bool(GenericObject*)> isClass;
  };
  const Case cases[] = {
      {"ambient", [](GenericObject* o) { return dynamic_cast<Ambient*>(o) != nullptr; }},
      {"AMBIENT", [](GenericObject* o) { return dynamic_cast<Ambient*>(o) != nullptr; }},
      {"background", [](GenericObject* o) { return dynamic_cast<Background*>(o) != nullptr; }},
      {"BackGround", [](GenericObject* o) { return dynamic_cast<Background*>(o) != nullptr; }},
      {"clickable", [](GenericObject* o) { return dynamic_cast<Clickable*>(o) != nullptr; }},
      {"gamebutton", [](GenericObject* o) { return dynamic_cast<GameButton*>(o) != nullptr; }},
      {"ChangeNodeButton", [](GenericObject* o) { return dynamic_cast<ChangeNodeButton*>(o) != nullptr; }},
      {"exitbutton", [](GenericObject* o) { return dynamic_cast<ExitButton*>(o) != nullptr; }},
      {"character", [](GenericObject* o) { return dynamic_cast<Character*>(o) != nullptr; }},
      {"NPC", [](GenericObject* o) { return dynamic_cast<NPC*>(o) != nullptr; }},
      {"player", [](GenericObject* o) { return dynamic_cast<Player*>(o) != nullptr; }},
      {"talkinghead", [](GenericObject* o) { return dynamic_cast<TalkingHead*>(o) != nullptr; }},
      // The second factory's class.
      {"activegamebutton", [](GenericObject* o) { return dynamic_cast<ActiveGameButton*>(o) != nullptr; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    DeleteAll();
    EXPECT_EQ(Load(std::string("[") + c.className +
                   " thing box]\nx = 12\ny = 34\nz = 5\nvx = 6\nanchorx = center\ncollision = on\n"
                   "hotspotWidth = 50\nHOTSPOTHEIGHT = 60\nseq = 2\n"),
              "");
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(c.isClass(list.At(0)));
    SpriteObject* object = Object("thing");
    EXPECT_EQ(object->GetSprite()->GetLocalPosition(), Qel::Point3(12, 34, 5));
    EXPECT_EQ(object->GetVelocityX(), 6.0f);
    EXPECT_EQ(object->GetAnchor(), Qel::Point2(20, 15));
    EXPECT_TRUE(object->GetSprite()->IsCollisionEnabled());
    EXPECT_EQ(object->GetHotspotSize(), Qel::Point2(50, 60));
    EXPECT_EQ(object->GetAnimationId(), 2u);
  }
}

TEST_F(Definitions, ClassesStillToComeMakeNoObjectAndTheirLinesAreSkipped) {
  const char* pending[] = {"Game6Pilo", "nosuchclass"};
  for (const char* className : pending) {
    SCOPED_TRACE(className);
    DeleteAll();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Load(std::string("[ambient first box]\n[") + className +
                   " named box]\nx = 5\n[ambient second box]\ny = 9\n"),
              "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("GameObjectFactory: Unknown object class name '") + className + "'\n");
    EXPECT_EQ(Names(), std::vector<std::string>({"second", "first"}));
    EXPECT_EQ(Object("first")->GetX(), 0.0f);
    EXPECT_EQ(Object("second")->GetY(), 9.0f);
  }
}

// A text needs no sprite word; its keys reach the text box through every level.
TEST_F(Definitions, TextObjectsAreBuiltWithoutASpriteInAnyCase) {
  for (const char* className : {"text", "Text", "TEXT"}) {
    SCOPED_TRACE(className);
    DeleteAll();
    EXPECT_EQ(Load(std::string("[") + className +
                   " label]\nx = 12\ny = 34\ntext = Hello, world (big)   ; a comment\nwidth = 300\n"
                   "height = 40\nsize = 14\nfont = arial narrow\nalign = 2\ncolor = 0xFF00FF00\n"),
              "");
    ASSERT_EQ(list.GetCount(), 1);
    auto* text = dynamic_cast<TextObject*>(list.At(0));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->GetName(), "label");
    EXPECT_EQ(text->GetTextBox()->GetLocalPosition(), Qel::Point3(12, 34, 0));
    EXPECT_EQ(text->GetText(), "Hello, world (big)");
    const Qel::WinTextBox& box = *text->GetTextBox()->GetTextBox();
    EXPECT_EQ(box.GetWidth(), 300);
    EXPECT_EQ(text->GetTextBox()->GetHeight(), 40);
    EXPECT_EQ(box.GetFontSize(), 14);
    EXPECT_EQ(box.GetFontName(), "arial");
    EXPECT_EQ(box.GetAlignment(), 2);
    EXPECT_FALSE(box.GetColor() != Qel::Color(0, 255, 0, 255));
  }
}

TEST_F(Definitions, ANameTakenInAnyCaseThrowsWithTheNewNameAndKeepsTheObjectsBefore) {
  for (const char* second : {"Door", "door", "DOOR"}) {
    SCOPED_TRACE(second);
    DeleteAll();
    EXPECT_EQ(Load(std::string("[ambient Door box]\n[background ") + second + " small]\nx = 5\n"),
              std::string("Error: Object with duplicate name '") + second + "'\n");
    EXPECT_EQ(Names(), std::vector<std::string>({"Door"}));
    EXPECT_EQ(Object("Door")->GetSize(), Qel::Point2(40, 30));
    EXPECT_EQ(Object("Door")->GetX(), 0.0f);
  }
  // A second file into the same list meets the names of the first.
  EXPECT_EQ(Load("[ambient other box]\n[ambient DOOR box]\n"), "Error: Object with duplicate name 'DOOR'\n");
  EXPECT_EQ(Names(), std::vector<std::string>({"other", "Door"}));
}

TEST_F(Definitions, ASpriteThatCannotBeLoadedThrowsAndTheLoaderStartsCleanAfterwards) {
  EXPECT_EQ(Load("[ambient door box]\n[ambient window nothere]\nx = 5\n"),
            "Failed to load sprite 'nothere'\n");
  EXPECT_EQ(Names(), std::vector<std::string>({"door"}));
  // No object is current when the next file begins.
  EXPECT_EQ(Load("x = 5\n[ambient window box]\n"), "");
  EXPECT_EQ(Object("door")->GetX(), 0.0f);
  EXPECT_EQ(Names(), std::vector<std::string>({"window", "door"}));
  // A header without a sprite word names the empty sprite.
  EXPECT_EQ(Load("[ambient onlyname]\n"), "Failed to load sprite ''\n");
}

TEST_F(Definitions, LinesEndAtCrLfCrLfOrZeroAndALastLineWithoutAnEndIsNotRead) {
  struct Case {
    const char* what;
    std::string text;
    float y;
  };
  const Case cases[] = {
      {"LF", "[ambient a box]\nx = 5\ny = 6\n", 6.0f},
      {"CR", "[ambient a box]\rx = 5\ry = 6\r", 6.0f},
      {"CR LF", "[ambient a box]\r\nx = 5\r\ny = 6\r\n", 6.0f},
      {"zero", std::string("[ambient a box]\0x = 5\0y = 6\0", 29), 6.0f},
      {"mixed", "[ambient a box]\r\n\nx = 5\r\r\ny = 6\n", 6.0f},
      {"no last end", "[ambient a box]\nx = 5\ny = 6", 0.0f},
      {"CR LF, no last end", "[ambient a box]\r\nx = 5\r\ny = 6", 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteAll();
    EXPECT_EQ(Load(c.text), "");
    EXPECT_EQ(Object("a")->GetX(), 5.0f);
    EXPECT_EQ(Object("a")->GetY(), c.y);
  }
  DeleteAll();
  EXPECT_EQ(Load("[ambient a box]"), "");
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(Load(""), "");
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(Definitions, CommentsBlankLinesAndLinesWithoutKeyOrValueChangeNothing) {
  EXPECT_EQ(Load("; the objects of a room\n"
                 "x = 1 ; before any header\n"
                 "\n  \t\n"
                 "  junk before [ambient\tdoor\tbox]\tand after ; the door\n"
                 "x = 5 ; left edge\n"
                 "y=7;\n"
                 "z = ; nothing\n"
                 " = 9\n"
                 "vx\n"
                 "; vy = 4\n"
                 "anchorx   \t=   3 \t \n"
                 "anchory extra words = 4\n"
                 "unknownkey = 12\n"),
            "");
  ASSERT_EQ(Names(), std::vector<std::string>({"door"}));
  SpriteObject* door = Object("door");
  EXPECT_EQ(door->GetX(), 5.0f);
  EXPECT_EQ(door->GetY(), 7.0f);
  EXPECT_EQ(door->GetZ(), 0);
  EXPECT_EQ(door->GetVelocityX(), 0.0f);
  EXPECT_EQ(door->GetVelocityY(), 0.0f);
  EXPECT_EQ(door->GetAnchor(), Qel::Point2(3, 4));
}

TEST_F(Definitions, ABracketAnywhereMakesAHeaderEvenInsideAValue) {
  EXPECT_EQ(Load("[ambient a box]\nx = [ambient b small]\ny = 3\n[[  background   c  box ]\n"), "");
  EXPECT_EQ(Names(), std::vector<std::string>({"c", "b", "a"}));
  EXPECT_EQ(Object("a")->GetX(), 0.0f);
  EXPECT_EQ(Object("b")->GetY(), 3.0f);
  EXPECT_NE(dynamic_cast<Background*>(list.Find("c")), nullptr);
}

TEST_F(Definitions, ALongLineKeepsItsFirst255CharactersAndDropsTheRest) {
  const std::string kept = "x = 12" + std::string(249, ' ');
  ASSERT_EQ(kept.size(), 255u);
  const std::string cut = std::string(252, ' ') + "y = 8";
  EXPECT_EQ(Load("[ambient a box]\n" + kept + "[ambient dropped box]\n" + cut + "\nz = 3\n"), "");
  EXPECT_EQ(Names(), std::vector<std::string>({"a"}));
  EXPECT_EQ(Object("a")->GetX(), 12.0f);
  EXPECT_EQ(Object("a")->GetY(), 0.0f);  // its value fell beyond the 255th character
  EXPECT_EQ(Object("a")->GetZ(), 3);
}

TEST_F(Definitions, AMissingResourceLeavesTheListAlone) {
  Load("[ambient a box]\n");
  EXPECT_FALSE(ObjectDefinitionLoader::Instance().Load("nosuchfile", list));
  EXPECT_FALSE(ObjectDefinitionLoader::Instance().Load(nullptr, list));
  EXPECT_EQ(Names(), std::vector<std::string>({"a"}));
}

TEST_F(Definitions, TheFactoryComparesClassNamesWithoutRegardToCaseAndKnowsNoNullName) {
  testing::internal::CaptureStderr();
  GenericObject* object = GameObjectFactory("bAcKgRoUnD", "x", "box");
  EXPECT_NE(dynamic_cast<Background*>(object), nullptr);
  delete object;
  EXPECT_EQ(GameObjectFactory(nullptr, "x", "box"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "GameObjectFactory: Unknown object class name ''\n");
}

namespace {

// A class of the game above the framework: its maker counts the objects it built.
class RegisteredFish : public Character {
public:
  RegisteredFish(const char* objectName, const char* spriteName) : Character(objectName, spriteName) { ++built; }
  static inline int built = 0;
};

class OtherFish : public Character {
public:
  using Character::Character;
};

}  // namespace

TEST_F(Definitions, AClassTheGameRegisteredIsBuiltFromTheFileAndALaterMakerOfTheNameWins) {
  RegisterExtraObjectClass("SwimmingFish", ObjectClass::Make<RegisteredFish>);
  EXPECT_EQ(Load("[swimmingfish fish box]\nx = 7\n"), "");
  auto* fish = dynamic_cast<RegisteredFish*>(Object("fish"));
  ASSERT_NE(fish, nullptr);
  EXPECT_EQ(fish->GetX(), 7.0f);
  EXPECT_EQ(RegisteredFish::built, 1);

  RegisterExtraObjectClass("SWIMMINGFISH", ObjectClass::Make<OtherFish>);
  RegisterExtraObjectClass(nullptr, ObjectClass::Make<RegisteredFish>);
  RegisterExtraObjectClass("SwimmingFish", nullptr);
  EXPECT_EQ(Load("[SwimmingFish other box]\n"), "");
  EXPECT_NE(dynamic_cast<OtherFish*>(Object("other")), nullptr);
  EXPECT_EQ(RegisteredFish::built, 1);
  // The framework's own class is still found before the registered ones.
  GenericObject* button = ExtraObjectFactory("activegamebutton", "b", "box");
  EXPECT_NE(dynamic_cast<ActiveGameButton*>(button), nullptr);
  delete button;
}
