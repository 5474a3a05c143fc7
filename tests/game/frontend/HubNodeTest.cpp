// The hub on the generated content with prepared saves: the arrival's save, the buttons the record
// unlocks, the progress button's picture, the low-spec and no-alpha art, the restored view, the clicks
// of the game buttons, the back arrow, Escape and space, and content without the hub's required parts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../ContentCopy.h"
#include "HubStage.h"
#include "fixture-content/SpriteContent.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/Clickable.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/MainApp.h"
#include "framework/Player.h"
#include "frontend/CHubHud.h"
#include "frontend/HubHotspot.h"
#include "frontend/ProgressDialog.h"
#include "frontend/SpeechQueue.h"
#include "graphics/DisplayDevice.h"
#include "support/BackBufferColour.h"

namespace {

namespace fs = std::filesystem;

// Rows of the layout of the scenery buttons.
constexpr int32_t kTurtleSurf = 0;
constexpr int32_t kDazodOrer = 5;
constexpr int32_t kDazodOrerWrap = 6;
constexpr int32_t kCheat = 7;
constexpr int32_t kCheatWrap = 8;

uint32_t Word(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

class Hub : public test::HubStage {
protected:
  // Whether the last frame left the colour of the sprite's animation there. Pictures that keep
  // their frames compressed are converted on a display without alpha blending, which may move each
  // channel a little.
  testing::AssertionResult ScreenShows(int x, int y, const std::string& sprite, int animation = 0) {
    const uint32_t expected = fixture::AnimationColour(sprite, animation);
    const uint32_t actual = test::ColourAt(*m_app.GetDisplay()->GetBackBuffer(), x, y);
    for (const int shift : {16, 8, 0}) {
      const int difference =
          static_cast<int>(actual >> shift & 0xFF) - static_cast<int>(expected >> shift & 0xFF);
      if (difference > 8 || difference < -8) {
        char text[96];
        std::snprintf(text, sizeof text, "#%06X at %d, %d instead of #%06X", static_cast<unsigned>(actual), x,
                      y, static_cast<unsigned>(expected));
        return testing::AssertionFailure() << text << " of " << sprite;
      }
    }
    return testing::AssertionSuccess();
  }

  size_t HotspotsOf(int32_t target) const {
    size_t count = 0;
    for (const auto& hotspot : m_hub->GetHotspots()) count += hotspot->GetTarget() == target;
    return count;
  }

  // Every button the hub makes or finds.
  std::vector<Clickable*> AllButtons() const {
    std::vector<Clickable*> buttons(m_hub->GetButtons().begin(), m_hub->GetButtons().end());
    for (Clickable* button : {static_cast<Clickable*>(m_hub->GetProgressButton()),
                              static_cast<Clickable*>(m_hub->GetBackButton()),
                              static_cast<Clickable*>(m_hub->GetMovieButton())}) {
      if (button) buttons.push_back(button);
    }
    return buttons;
  }

  // The hub asks for the node on the second update after the click.
  void ExpectRequestTwoUpdatesLater(int32_t node) {
    EXPECT_FALSE(NodeManager::Instance().IsChangePending());
    Frame();
    EXPECT_FALSE(NodeManager::Instance().IsChangePending());
    Frame();
    EXPECT_TRUE(NodeManager::Instance().IsChangePending());
    EXPECT_EQ(NodeManager::Instance().GetRequestedId(), node);
  }
};

}  // namespace

TEST_F(Hub, ArrivalWritesTheSlotFirstThenOpensTheProgressScreenForANewHighScore) {
  StartGame();
  SignIn("highscore.sav");
  fs::remove("SaveGame0.sav");
  ActivePlayerData.hubCounter = 1234;
  ActivePlayerData.games[kNodeGame4].highScore = 4321;
  EnterHub();

  const std::string saved = FileBytes("SaveGame0.sav");
  ASSERT_EQ(saved.size(), CurrentPlayer::kFileSize);
  EXPECT_EQ(saved[0], 1) << "signed in";
  EXPECT_EQ(Word(saved, 1), 1234u) << "the scroll position";
  // The byte is cleared only after the save; the screen it opens saves nothing.
  EXPECT_EQ(saved[5], 1) << "the new-high-score byte as it arrived";
  EXPECT_EQ(Word(saved, 6), 0u) << "slot";
  const size_t game4 = CurrentPlayer::kEntriesOffset + CurrentPlayer::kEntrySize * kNodeGame4;
  EXPECT_EQ(Word(saved, game4 + 6), 4321u) << "the high score of the active record";

  EXPECT_EQ(ActivePlayerData.newResult, 0);
  EXPECT_TRUE(m_hub->IsProgressScreenOpen());
  EXPECT_TRUE(m_app.IsPaused());
}

TEST_F(Hub, NoProgressScreenWithoutANewHighScore) {
  StartHub("level2.sav");
  EXPECT_FALSE(m_hub->IsProgressScreenOpen());
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Hub, DazodOrerButtonsOnlyOnceAllFiveGamesArePastTheirFirstLevel) {
  struct Case {
    const char* save;
    int32_t backToLevelOne;  // a game put back at level 1, or 0
    bool shown;
  };
  for (const Case& c :
       {Case{"fresh.sav", 0, false}, Case{"level2.sav", 0, true}, Case{"level2.sav", kNodeGame9, false},
        Case{"level2.sav", kNodeGame7, false}, Case{"lastlevel.sav", 0, true}}) {
    SCOPED_TRACE(std::string(c.save) + " with game " + std::to_string(c.backToLevelOne) + " at level 1");
    StartGame();
    SignIn(c.save);
    if (c.backToLevelOne) ActivePlayerData.games[c.backToLevelOne].level = 1;
    EnterHub();
    EXPECT_EQ(m_hub->GetGameButton(kDazodOrer) != nullptr, c.shown);
    EXPECT_EQ(m_hub->GetGameButton(kDazodOrerWrap) != nullptr, c.shown);
    EXPECT_EQ(m_hub->FindObject("DazodOrer wraparound") != nullptr, c.shown);
    EXPECT_EQ(HotspotsOf(kNodeGame6), c.shown ? 2u : 0u);
    // The cheat buttons need the cheat mode, whatever the record.
    EXPECT_EQ(m_hub->GetGameButton(kCheat), nullptr);
    // The signs of the game stay hidden either way.
    EXPECT_FALSE(Shown(m_hub->FindObject("dazodorer1")));
    EXPECT_FALSE(Shown(m_hub->FindObject("dazodorer2")));
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(Hub, CheatModeAddsTheTwoCheatButtonsWithoutHoverAreas) {
  StartHub("fresh.sav", kAlpha, "cheatmode = KelpIsPurple\n");
  ASSERT_NE(m_hub->GetGameButton(kCheat), nullptr);
  ASSERT_NE(m_hub->GetGameButton(kCheatWrap), nullptr);
  EXPECT_STREQ(m_hub->GetGameButton(kCheatWrap)->GetName(), "DazodOrer Cheat wraparound");
  EXPECT_EQ(HotspotsOf(kNodeGame6), 0u);
  EXPECT_EQ(m_hub->GetButtons().size(), 9u);
}

TEST_F(Hub, MovieButtonOnlyAfterTheMusicGameOrALevelSix) {
  struct Case {
    const char* what;
    std::function<void()> change;
    bool shown;
  };
  const std::vector<Case> cases = {
      {"a new player", [] {}, false},
      {"the music game visited", [] { ActivePlayerData.games[kNodeGame3].firstTime = 0; }, true},
      {"level 6 in game 11", [] { ActivePlayerData.games[kNodeGame5].level = 6; }, true},
      {"level 5 in every game",
       [] {
         for (const uint32_t game : PlayerData::kOverallLevelGames) ActivePlayerData.games[game].level = 5;
       },
       false},
      {"level 6 in game 12, which does not count", [] { ActivePlayerData.games[kNodeGame6].level = 6; },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartGame();
    SignIn("fresh.sav");
    c.change();
    EnterHub();
    EXPECT_EQ(m_hub->AreMoviesUnlocked(), c.shown);
    EXPECT_EQ(m_hub->GetMovieButton() != nullptr, c.shown);
    EXPECT_EQ(m_hub->FindObject("FMV") != nullptr, c.shown);
    EXPECT_EQ(HotspotsOf(HubHotspot::kMovieTarget), c.shown ? 1u : 0u);
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(Hub, ProgressButtonShowsThePictureOfTheSlotAndTheFirstForAnyOtherNumber) {
  struct Case {
    uint32_t slot;
    const char* icon;
  };
  for (const Case& c : {Case{PlayerData::kNoSlot, "ProgIcon0"}, Case{0, "ProgIcon0"}, Case{3, "ProgIcon3"},
                        Case{5, "ProgIcon5"}, Case{9, "ProgIcon0"}}) {
    SCOPED_TRACE(c.slot);
    StartGame();
    SignIn("level2.sav");
    ActivePlayerData.saveSlot = c.slot;
    test::MoveMouse(400, 100);
    EnterHub();
    Frame();
    EXPECT_TRUE(ScreenShows(612 + 30, 538 + 30, c.icon));
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(Hub, TheArtFollowsTheMachine) {
  struct Case {
    const char* machine;
    int graphics;
    const char* settings;
    const char* panel;
    bool strips;
    bool bubbles;
    const char* arrow;
  };
  for (const Case& c :
       {Case{"alpha", kAlpha, "", "Hub_1", true, true, "ActBackArrow"},
        Case{"alpha on a slow processor", kAlpha, "cpu = 500\n", "sdl_Hub_bkg1", false, true, "ActBackArrow"},
        Case{"alpha with little memory", kAlpha, "mem = 64\n", "sdl_Hub_bkg1", false, true, "ActBackArrow"},
        Case{"no alpha", kNoAlpha, "", "sdl_Hub_bkg1", false, false, "ActBackArrow_sdl"}}) {
    SCOPED_TRACE(c.machine);
    StartGame(c.graphics, c.settings);
    SignIn("level2.sav");
    test::MoveMouse(400, 100);
    EnterHub();
    Frame();
    EXPECT_TRUE(ScreenShows(300, 100, c.panel));
    EXPECT_TRUE(ScreenShows(5 + 40, 531 + 30, c.arrow));
    EXPECT_EQ(m_hub->GetStrip(0) != nullptr, c.strips);
    EXPECT_EQ(m_hub->FindObject("fg3") != nullptr, c.strips);
    EXPECT_EQ(m_hub->FindObject("HubAmbBubble0") != nullptr, c.bubbles);
    EXPECT_EQ(m_hub->GetMouseBubbles().GetBubble(19) != nullptr, c.bubbles);
    if (c.bubbles) {
      const Ambient* bubble = m_hub->GetMouseBubbles().GetBubble(19);
      EXPECT_STREQ(bubble->GetName(), "HubAmbBubble19");
      EXPECT_EQ(bubble->GetY(), 1000.0f);
      EXPECT_EQ(bubble->GetZ(), 819);
      EXPECT_EQ(bubble->GetAnimationId(), 1u);
    }
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(Hub, EveryButtonIsDisabledAndTheViewLockedOnArrival) {
  StartHub("lastlevel.sav", kAlpha, "cheatmode = KelpIsPurple\n");
  EXPECT_EQ(m_hub->GetButtons().size(), 11u);
  ASSERT_NE(m_hub->GetMovieButton(), nullptr);
  for (Clickable* button : AllButtons()) {
    SCOPED_TRACE(button->GetName());
    EXPECT_FALSE(button->IsEnabled());
  }
  EXPECT_TRUE(m_hub->IsArrivalLocked());
  EXPECT_TRUE(m_hub->GetHubHud()->IsScrollLocked());
  EXPECT_EQ(m_hub->GetHud(), m_hub->GetHubHud());
  EXPECT_EQ(m_hub->GetTalkState(), 0);
  EXPECT_FALSE(m_hub->IsQuitAllowed());
  // The scenery buttons show the scenery's pointer; those fixed to the screen the hand.
  EXPECT_EQ(m_hub->GetGameButton(kTurtleSurf)->GetRolloverCursor(), HubNode::kScenicCursor);
  EXPECT_EQ(m_hub->GetGameButton(kTurtleSurf)->GetZ(), 41);
  EXPECT_EQ(m_hub->GetBackButton()->GetRolloverCursor(), HubNode::kButtonCursor);
  EXPECT_EQ(m_hub->GetProgressButton()->GetZ(), 1000);
}

TEST_F(Hub, TheSavedViewComesBackWrappedIntoThePanorama) {
  struct Case {
    int32_t saved;
    int32_t x;
    int32_t firstPanel;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{1600, 1600, 2}, Case{2401, 2401, 3}, Case{3199, 3199, 3},
                        Case{3200, 0, 0}, Case{3999, 799, 0}, Case{4000, 0, 0}, Case{-5, 0, 0}}) {
    SCOPED_TRACE(c.saved);
    StartGame();
    SignIn("level2.sav");
    ActivePlayerData.hubCounter = static_cast<uint32_t>(c.saved);
    EnterHub();
    EXPECT_EQ(m_hub->GetScroll(), Qel::Point2(c.x, 0));
    EXPECT_EQ(ActivePlayerData.hubCounter, static_cast<uint32_t>(c.x));
    for (int32_t i = 0; i < HubNode::kPanelCount; ++i) {
      const bool under = i == c.firstPanel || i == c.firstPanel + 1;
      EXPECT_EQ(m_hub->IsPanelShown(i), under) << "panel " << i;
      EXPECT_EQ(m_hub->FindObject(m_hub->GetPanel(i)->GetName()) != nullptr, under) << "panel " << i;
    }
    // The first strip stands beyond the wrap when the view shows the panorama's end.
    EXPECT_EQ(m_hub->GetStrip(0)->GetX(), c.x > 2400 ? 3200.0f : 0.0f);
    const float left = static_cast<float>(c.x);
    EXPECT_EQ(m_hub->GetProgressButton()->GetX(), left + 612);
    EXPECT_EQ(m_hub->GetBackButton()->GetX(), left + 5);
    EXPECT_EQ(m_hub->GetMovieButton()->GetX(), left + 672);
    EXPECT_EQ(m_hub->GetHelpButton()->GetX(), left + 732);
    EXPECT_EQ(m_hub->GetHelpButton()->GetY(), 541.0f);
    for (int32_t member = 0; member < HubNode::kCastCount; ++member) {
      const HubActor& actor = m_hub->GetCast(member);
      EXPECT_EQ(actor.GetBody(0)->GetX(), left);
      EXPECT_EQ(actor.GetMouth(1)->GetX(), left);
    }
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(Hub, TheCastStartsOnTheRightWithItsSpeakers) {
  StartHub("level2.sav");
  const char* const bodies[] = {"Pilo_Right", "Tovin_Right", "Zelka_Right"};
  const int32_t rightSlots[] = {1, 0, 2};
  for (int32_t member = 0; member < HubNode::kCastCount; ++member) {
    SCOPED_TRACE(member);
    const HubActor& actor = m_hub->GetCast(member);
    EXPECT_EQ(actor.GetSide(), HubActor::kRightSide);
    EXPECT_STREQ(actor.GetVisibleBody()->GetName(), bodies[member]);
    EXPECT_TRUE(Shown(actor.GetBody(0)));
    EXPECT_FALSE(Shown(actor.GetBody(1)));
    EXPECT_EQ(actor.GetBody(0)->GetAnimationId(), 0u);
    EXPECT_FALSE(actor.GetBody(0)->IsEnabled());
    EXPECT_FALSE(actor.GetBody(1)->IsEnabled());
    EXPECT_EQ(m_hub->SpeakerSlotOf(member), rightSlots[member]);
    EXPECT_NE(m_hub->GetSpeaker(rightSlots[member]), nullptr);
    EXPECT_NE(m_hub->GetSpeaker(rightSlots[member] + 3), nullptr);
  }
  EXPECT_EQ(m_hub->GetSpeaker(6), nullptr);
  EXPECT_EQ(m_hub->GetClickPoints().size(), 20u);
  EXPECT_EQ(m_hub->GetSigns().size(), 5u);
  EXPECT_NE(m_hub->GetAmbientSound(), nullptr);
}

TEST_F(Hub, AGameButtonResetsTheViewShowsItsArtAndRequestsItsGame) {
  struct Case {
    int32_t row;
    const char* art;
    int32_t node;
  };
  for (const Case& c : {Case{0, "loading_turtl", kNodeGame7}, Case{1, "loading_turtl", kNodeGame7},
                        Case{2, "loading_tribal", kNodeGame3}, Case{3, "loading_moon", kNodeGame4},
                        Case{4, "loading_feed", kNodeGame5}, Case{5, "loading_super", kNodeGame6},
                        Case{7, "loading_super", kNodeGame6}, Case{9, "loading_monty", kNodeGame8},
                        Case{10, "loading_conc", kNodeGame9}}) {
    SCOPED_TRACE(c.art);
    StartGame(kAlpha, "cheatmode = KelpIsPurple\n");
    SignIn("level2.sav");
    ActivePlayerData.hubCounter = 1600;
    test::MoveMouse(400, 100);
    EnterHub();
    const std::string before = FileBytes("SaveGame0.sav");
    m_hub->OnObjectClicked(m_hub->GetGameButton(c.row));
    EXPECT_EQ(m_hub->GetScroll(), Qel::Point2(0, 0));
    ASSERT_NE(m_hub->GetLoadingScreen(), nullptr);
    ExpectRequestTwoUpdatesLater(c.node);
    EXPECT_TRUE(ScreenShows(400, 300, c.art));
    // The view the player left is kept for the way back; the slot was written on arrival only.
    EXPECT_EQ(ActivePlayerData.hubCounter, 1600u);
    EXPECT_EQ(FileBytes("SaveGame0.sav"), before);
    m_hub = nullptr;
    m_app.Shutdown();
  }
}

TEST_F(Hub, TheBackArrowSavesAndLeavesForSignIn) {
  StartGame();
  SignIn("level2.sav");
  ActivePlayerData.hubCounter = 2000;
  test::MoveMouse(400, 100);
  EnterHub();
  ActivePlayerData.games[kNodeGame4].highScore = 777;
  m_hub->OnObjectClicked(m_hub->GetBackButton());

  const std::string saved = FileBytes("SaveGame0.sav");
  ASSERT_EQ(saved.size(), CurrentPlayer::kFileSize);
  EXPECT_EQ(Word(saved, 1), 2000u);
  EXPECT_EQ(Word(saved, CurrentPlayer::kEntriesOffset + CurrentPlayer::kEntrySize * kNodeGame4 + 6), 777u);
  EXPECT_EQ(m_hub->GetScroll(), Qel::Point2(0, 0));
  ExpectRequestTwoUpdatesLater(kNodeSignIn);
  EXPECT_TRUE(ScreenShows(400, 300, "loading_gen2"));
}

TEST_F(Hub, EscapeAfterTheFirstFramesSavesAndOpensTheExitDialog) {
  StartHub("level2.sav");
  ASSERT_TRUE(m_hub->IsFirstFrames());
  ActivePlayerData.games[kNodeGame4].highScore = 555;
  const size_t highScoreAt = CurrentPlayer::kEntriesOffset + CurrentPlayer::kEntrySize * kNodeGame4 + 6;

  m_app.PostCharEvent(GameNode::kEscape);
  Frame();
  EXPECT_FALSE(m_hub->IsExitDialogOpen());
  EXPECT_FALSE(m_hub->IsQuitDialogOpen());
  EXPECT_NE(Word(FileBytes("SaveGame0.sav"), highScoreAt), 555u);

  // The room's first updates run only once the arrival's moment has passed.
  ASSERT_TRUE(FramesUntil([&] { return !m_hub->IsFirstFrames(); }));
  m_app.PostCharEvent(GameNode::kEscape);
  Frame();
  EXPECT_TRUE(m_hub->IsExitDialogOpen());
  EXPECT_FALSE(m_hub->IsQuitDialogOpen());
  EXPECT_EQ(Word(FileBytes("SaveGame0.sav"), highScoreAt), 555u);
}

TEST_F(Hub, SpaceStopsTheSpeechEvenWhenItWasStartedNotSkippable) {
  StartHub("level2.sav");
  m_hub->QueueLine(1, "0190", 190);
  m_hub->QueueLine(0, "0180", 180);
  m_hub->StartSpeech(0, false, false);
  ASSERT_TRUE(m_hub->GetSpeechQueue()->IsPlaying());
  m_app.PostCharEvent(' ');
  Frame();
  EXPECT_FALSE(m_hub->GetSpeechQueue()->IsPlaying());
}

TEST_F(Hub, TheProgressAndMovieButtonsOpenTheirScreens) {
  StartHub("lastlevel.sav");
  m_hub->QueueLine(1, "0190", 190);
  m_hub->StartSpeech(0, false, true);
  m_hub->OnObjectClicked(m_hub->GetProgressButton());
  EXPECT_TRUE(m_hub->IsProgressScreenOpen());
  EXPECT_FALSE(m_hub->GetSpeechQueue()->IsPlaying());
  m_hub->CloseProgressScreen();

  m_hub->OnObjectClicked(m_hub->GetMovieButton());
  EXPECT_TRUE(m_hub->IsMovieScreenOpen());
}

TEST_F(Hub, LeavingKeepsTheOverallLevelForTheNextGreetingAndTakesEverythingDown) {
  StartHub("level2.sav");
  ASSERT_EQ(ActivePlayerData.games[kNodeHub].gameValue, 1u);
  NodeManager::Instance().RequestNode(kNodeSignIn);
  m_hub = nullptr;
  Frame();
  EXPECT_EQ(static_cast<int32_t>(ActivePlayerData.games[kNodeHub].gameValue), 0);
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeSignIn);
  EXPECT_EQ(NodeManager::Instance().GetPreviousId(), kNodeHub);
}

namespace {

// The hub on a linked copy of the content from which the hub's archive is gone, so the folder alone
// serves it, and with the change the case makes.
class HubOnBadContent : public Hub {
protected:
  fs::path CopyContent() {
    const fs::path copy = test::LinkContentSet(kContent, fs::current_path() / "content", test::Archives::kKept);
    fs::remove(copy / "universal" / "HUB.qel");
    return copy;
  }

  // Starts the game on the copy and enters the hub; the text the activation throws.
  std::string EnterOn(const fs::path& content) {
    WriteSettings(kAlpha, "", content);
    EXPECT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    SignIn("level2.sav");
    NodeManager::Instance().RequestNode(kNodeHub);
    try {
      Frame();
    } catch (const char* text) {
      return text;
    }
    return "";
  }
};

}  // namespace

TEST_F(HubOnBadContent, MissingPartsEndWithTheirErrorText) {
  struct Case {
    const char* what;
    std::function<void(const fs::path& hub)> spoil;
    const char* error;
  };
  // The object file without one section: written anew, never through the link.
  auto without = [](const std::string& section) {
    return [section](const fs::path& hub) {
      const std::string text = FileBytes((hub / "HubObjs.txt").string());
      const size_t start = text.find("[" + section);
      ASSERT_NE(start, std::string::npos);
      const size_t end = text.find("\n[", start + 1);
      fs::remove(hub / "HubObjs.txt");
      test::WriteFile(hub / "HubObjs.txt", text.substr(0, start) + text.substr(end + 1));
    };
  };
  const std::vector<Case> cases = {
      {"no object file", [](const fs::path& hub) { fs::remove(hub / "HubObjs.txt"); },
       "Object 'dazodorer1' missing from 'HubObjs'\n"},
      {"no help button", without("gamebutton helpButton"), "Object 'helpButton' missing from 'HubObjs'\n"},
      {"a help button of another class",
       [](const fs::path& hub) {
         std::string text = FileBytes((hub / "HubObjs.txt").string());
         const size_t at = text.find("[gamebutton helpButton");
         text.replace(at, std::strlen("[gamebutton"), "[ambient");
         fs::remove(hub / "HubObjs.txt");
         test::WriteFile(hub / "HubObjs.txt", text);
       },
       "Object 'helpButton' of 'HubObjs' is of another class\n"},
      {"no sign", without("ambient shellgame1"), "Object 'shellgame1' missing from 'HubObjs'\n"},
      {"no hidden sign", without("ambient dazodorer2"), "Object 'dazodorer2' missing from 'HubObjs'\n"},
      {"no panel picture", [](const fs::path& hub) { fs::remove(hub / "Hub_2.qela"); },
       "Failed to load sprite 'Hub_2'\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path content = CopyContent();
    c.spoil(content / "universal" / "HUB");
    EXPECT_EQ(EnterOn(content), c.error);
    // What the half-made hub holds is taken down with the program, without a fault.
    m_app.Shutdown();
    fs::remove_all(content);
  }
}

TEST_F(HubOnBadContent, TheClickPointsAreOptional) {
  const fs::path content = CopyContent();
  const fs::path hub = content / "universal" / "HUB";
  std::string text = FileBytes((hub / "HubObjs.txt").string());
  const size_t start = text.find("[ambient cp0");
  ASSERT_NE(start, std::string::npos);
  const size_t end = text.find("[ambient cp5 ");
  fs::remove(hub / "HubObjs.txt");
  test::WriteFile(hub / "HubObjs.txt", text.substr(0, start) + text.substr(end));
  EXPECT_EQ(EnterOn(content), "");
  m_hub = dynamic_cast<HubNode*>(NodeManager::Instance().GetCurrentNode());
  ASSERT_NE(m_hub, nullptr);
  EXPECT_EQ(m_hub->GetClickPoints().size(), 15u);
}
