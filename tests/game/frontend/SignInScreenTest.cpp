// The sign-in screen on the generated content, with the prepared saves as slot files: the greeting
// chains and what they highlight, the idle prompts, slots used and unused on both display paths,
// play into the hub behind the loading picture, delete and exit dialogs, the caption toggle, help,
// the bobbing, the fish, the optional decoration and version text, damaged saves, a chain cut short,
// and definition files without the objects the screen needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "../ContentCopy.h"
#include "SignInStage.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/HelpDialog.h"
#include "framework/MouseCursor.h"
#include "framework/TextObject.h"
#include "framework/YesNoDialog.h"
#include "frontend/SIBobbingMgr.h"

namespace {

using Names = std::vector<std::string>;

constexpr uint32_t kNormal = GameButton::kLookNormal;
constexpr uint32_t kDisabledLook = ActiveGameButton::kLookDisabled;
constexpr uint32_t kActiveLook = ActiveGameButton::kLookActive;
constexpr uint32_t kToggleOn = 1;
constexpr uint32_t kToggleHighlight = 2;

class SignIn : public test::SignInStage {
protected:
  // The six slot buttons' names.
  Names SlotNames() const {
    Names names;
    for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot)
      names.push_back(m_screen->GetSlotButton(slot)->GetName());
    return names;
  }
  static Names Unused(const std::string& suffix = "UnUsed") {
    Names names;
    for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot)
      names.push_back("Char" + std::to_string(slot) + suffix);
    return names;
  }
  // The sounds the screen started from the first one named on.
  Names StartedFrom(const std::string& first) const {
    const Names all = Started();
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] == first) return Names(all.begin() + static_cast<long>(i), all.end());
    }
    return {};
  }
  // The same, spoken lines only (their names are numbers).
  Names LinesFrom(const std::string& first) const {
    Names lines;
    for (const std::string& name : StartedFrom(first)) {
      if (!name.empty() && name[0] >= '0' && name[0] <= '9') lines.push_back(name);
    }
    return lines;
  }
  // Frames until the line has ended.
  bool UntilFinished(const std::string& name, int limit = 400) {
    return FramesUntil([&] { return Finished(name); }, limit);
  }
  // Frames of game time without a click, in steps of 100 ms.
  void Idle(uint32_t ms) { Frames(static_cast<int>(ms / 100), 100); }
};

}  // namespace

TEST_F(SignIn, WithoutSavesTheFirstGreetingHighlightsEachButtonItSpeaksOfAndThenTheIdlePromptsFollow) {
  Start();
  EXPECT_STREQ(m_screen->GetName(), "SignIn");
  EXPECT_FALSE(m_screen->IsQuitAllowed());
  EXPECT_EQ(SlotNames(), Unused());
  for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot) {
    const GameButton* button = m_screen->GetSlotButton(slot);
    EXPECT_EQ(button->GetZ(), 101);
    EXPECT_EQ(button->GetRolloverCursor(), 1);
  }
  EXPECT_EQ(m_screen->FirstUsedSlot(), SignInScreen::kNoSlot);
  EXPECT_EQ(m_screen->GetSelectedSlot(), SignInScreen::kNoSlot);
  EXPECT_FALSE(test::Shown(m_screen->GetPortrait()));
  EXPECT_FALSE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_EQ(gCaptionsOn, 1);
  EXPECT_EQ(SaveGameManager::Instance().GetCurrentSlot(), SaveGameManager::kNoSlot);

  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kGreetingNew);
  ASSERT_EQ(Voice(), "0010");
  Frame();
  EXPECT_EQ(Look(m_screen->GetPlayButton()), kActiveLook);
  EXPECT_FALSE(m_screen->GetPlayButton()->IsEnabled());

  ASSERT_TRUE(UntilVoice("0070"));
  Frame();
  EXPECT_EQ(Look(m_screen->GetPlayButton()), kDisabledLook);
  EXPECT_EQ(Look(m_screen->GetExitButton()), kActiveLook);
  EXPECT_FALSE(m_screen->GetExitButton()->IsEnabled());

  ASSERT_TRUE(UntilVoice("0090"));
  Frame();
  EXPECT_EQ(Look(m_screen->GetExitButton()), kNormal);
  EXPECT_TRUE(m_screen->GetExitButton()->IsEnabled());
  EXPECT_EQ(Look(m_screen->GetCaptionToggle()), kToggleHighlight);
  ASSERT_TRUE(UntilVoice("0091"));
  EXPECT_EQ(Look(m_screen->GetCaptionToggle()), kToggleHighlight);

  ASSERT_TRUE(UntilVoice("0012"));
  Frame();
  EXPECT_EQ(Look(m_screen->GetCaptionToggle()), kToggleOn);
  EXPECT_EQ(Look(m_screen->GetHelpButton()), kActiveLook);
  ASSERT_TRUE(UntilFinished("0012"));
  Frame();
  EXPECT_EQ(Look(m_screen->GetHelpButton()), kNormal);
  EXPECT_TRUE(m_screen->GetHelpButton()->IsEnabled());
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);
  EXPECT_EQ(StartedFrom("0010"), Names({"0010", "0070", "0090", "0091", "0012"}));

  // Thirty-one seconds without a click: "0140", with the play button highlighted while it speaks,
  // then "0130" after the next thirty-one.
  Idle(30000);
  EXPECT_EQ(Voice(), "none");
  ASSERT_TRUE(UntilVoice("0140", 200));
  Frame();
  EXPECT_EQ(Look(m_screen->GetPlayButton()), kActiveLook);
  ASSERT_TRUE(UntilFinished("0140"));
  Frame();
  EXPECT_EQ(Look(m_screen->GetPlayButton()), kDisabledLook);
  EXPECT_FALSE(m_screen->GetPlayButton()->IsEnabled());
  Idle(31200);
  EXPECT_EQ(m_screen->GetLastIdleLine(), 130);
  EXPECT_EQ(LinesFrom("0140"), Names({"0140", "0130"}));

  // With a slot selected the prompt asks for play.
  ClickSlot(2);
  Idle(31200);
  EXPECT_EQ(LinesFrom("0140"), Names({"0140", "0130", "0150"}));
}

TEST_F(SignIn, AnEmptySlotEnablesPlayAndPlayTakesTheNewPlayerToTheHubBehindTheLoadingPictureWritingNoFile) {
  Start();
  ClickSlot(2);
  EXPECT_EQ(m_screen->GetSelectedSlot(), 2);
  EXPECT_TRUE(m_screen->GetPlayButton()->IsEnabled());
  EXPECT_TRUE(test::Shown(m_screen->GetPortrait()));
  EXPECT_EQ(Look(m_screen->GetPortrait()), 2u);
  EXPECT_TRUE(test::Shown(m_screen->GetFakePortrait()));
  EXPECT_FALSE(test::Shown(m_screen->GetDeleteButton()));

  ClickOn(m_screen->GetPlayButton());
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);
  ASSERT_NE(m_screen->GetLoadingScreen(), nullptr);
  EXPECT_STREQ(m_screen->GetLoadingScreen()->GetName(), "KxLoadScreenxlm1");
  EXPECT_EQ(m_screen->GetLoadingScreen()->GetZ(), 9800);
  EXPECT_EQ(ActivePlayerData.saveSlot, 2u);
  EXPECT_EQ(ActivePlayerData.signedIn, 1);
  EXPECT_EQ(SaveGameManager::Instance().GetCurrentSlot(), 2u);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 1);
  EXPECT_FALSE(HubRequested());
  Frame();
  Frame();
  EXPECT_TRUE(HubRequested());
  Frame();
  EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeHub);
  for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot)
    EXPECT_FALSE(std::filesystem::exists(SlotFile(slot)));
}

TEST_F(SignIn, PlayOnAUsedSlotLoadsItsPlayerUnderTheSlotPlayed) {
  // The prepared record names slot 0; played from slot 3 it is the player of slot 3.
  const std::string bytes = UseSave("level2.sav", 3);
  Start();
  EXPECT_EQ(m_screen->GetSlotButton(3)->GetName(), std::string("Char3Used"));
  ClickSlot(3);
  EXPECT_TRUE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_EQ(ActivePlayerData.games[10].level, 2);
  ActivePlayerData.games[10].level = 7;  // the selection's copy; play loads the file again

  ClickOn(m_screen->GetFakePortrait());
  EXPECT_EQ(ActivePlayerData.games[10].level, 2);
  EXPECT_EQ(ActivePlayerData.saveSlot, 3u);
  EXPECT_EQ(ActivePlayerData.signedIn, 1);
  EXPECT_EQ(CurrentPlayer::Instance().freshProfile, 0);
  EXPECT_EQ(SaveGameManager::Instance().GetCurrentSlot(), 3u);
  ASSERT_TRUE(FramesUntil([&] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }, 5));
  EXPECT_EQ(test::ReadFile(SlotFile(3)), bytes);
}

// Which saves lie in which slots, and the greeting they lead to.
struct GreetingCase {
  const char* what;
  std::vector<int> slots;
  bool freshFlags;
  const char* greeting;
  const char* deleteHint;
  int32_t state;
};

void PrintTo(const GreetingCase& c, std::ostream* out) {
  *out << c.what;
}

class Greeting : public SignIn, public testing::WithParamInterface<GreetingCase> {};

TEST_P(Greeting, UsedSlotsShowUsedButtonsAndTheGreetingFollowsTheSecondFlagsThenHighlightsDelete) {
  const GreetingCase& c = GetParam();
  for (const int slot : c.slots) {
    std::string bytes = UseSave("fresh.sav", slot);
    bytes.back() = static_cast<char>(c.freshFlags ? 1 : 0);
    test::WriteFile(SlotFile(slot), bytes);
  }
  Start();
  Names expected = Unused();
  for (const int slot : c.slots) expected[static_cast<size_t>(slot)] = "Char" + std::to_string(slot) + "Used";
  EXPECT_EQ(SlotNames(), expected);
  EXPECT_EQ(m_screen->FirstUsedSlot(), c.slots.front());
  EXPECT_EQ(m_screen->GetVoiceState(), c.state);
  ASSERT_EQ(Voice(), c.greeting);
  ASSERT_TRUE(UntilVoice(c.deleteHint));
  Frame();
  EXPECT_TRUE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_EQ(Look(m_screen->GetDeleteButton()), kActiveLook);
  ASSERT_TRUE(UntilFinished(c.deleteHint));
  Frame();
  // No slot is selected, so delete rests hidden again.
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);
  EXPECT_FALSE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_TRUE(m_screen->GetDeleteButton()->IsEnabled());
  EXPECT_EQ(StartedFrom(c.greeting), Names({c.greeting, c.deleteHint}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Greeting,
    testing::Values(
        GreetingCase{"OnePlayerWhoPlayed", {4}, false, "0030", "0050", SignInScreen::kGreetingReturning},
        GreetingCase{"OneFreshProfile", {1}, true, "0040", "0060", SignInScreen::kGreetingAgain},
        GreetingCase{"ThreeFreshProfiles", {0, 2, 5}, true, "0040", "0060", SignInScreen::kGreetingAgain}),
    [](const testing::TestParamInfo<GreetingCase>& info) { return std::string(info.param.what); });

TEST_F(SignIn, WithoutAlphaBlendingTheUnusedSlotsAndTheObjectsAreTheSdlOnesAndTheLowSpecScreenHasNoBubbles) {
  UseSave("fresh.sav", 1);
  Start(0);
  ASSERT_FALSE(m_app.IsAlphaCapable());
  Names expected = Unused("UnUsed_sdl");
  expected[1] = "Char1Used";
  EXPECT_EQ(SlotNames(), expected);
  for (int i = 0; i < SignInScreen::kBubbleStreamCount; ++i) EXPECT_EQ(m_screen->GetBubbleStream(i), nullptr);
  EXPECT_EQ(m_screen->GetVersionText(), nullptr);
}

TEST_F(SignIn, WithAlphaBlendingFiveBubbleStreamsAndInCheatModeTheVersionText) {
  Start(1, "cheatmode = KelpIsPurple\n");
  ASSERT_TRUE(m_app.IsAlphaCapable());
  const std::array<float, 5> xs = {-36, 108, -386, -164, 334};
  const std::array<int32_t, 5> depths = {60, 301, 30, 303, 304};
  for (int i = 0; i < SignInScreen::kBubbleStreamCount; ++i) {
    const Ambient* stream = m_screen->GetBubbleStream(i);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetName(), "SIAmbBubbleStrm" + std::to_string(i));
    EXPECT_EQ(stream->GetX(), xs[static_cast<size_t>(i)]);
    EXPECT_EQ(stream->GetZ(), depths[static_cast<size_t>(i)]);
  }
  ASSERT_NE(m_screen->GetVersionText(), nullptr);
  EXPECT_EQ(m_screen->GetVersionText()->GetText(), "BUILD VERSION : 74 :");
  EXPECT_EQ(m_screen->GetVersionText()->GetZ(), 8000);
}

TEST_F(SignIn, DeletingTheOnlyUsedSlotAsksWithItsPortraitAndYesEmptiesItWhileNoKeepsIt) {
  const std::string bytes = UseSave("fresh.sav", 4);
  Start();
  ClickSlot(4);
  ASSERT_TRUE(test::Shown(m_screen->GetDeleteButton()));
  ASSERT_TRUE(UntilFinished("0050"));
  Frame();

  // No keeps the file.
  ClickOn(m_screen->GetDeleteButton());
  ASSERT_TRUE(m_screen->IsDeleteDialogOpen());
  FEOverlayDialog* dialog = m_screen->GetDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_STREQ(dialog->GetName(), "confirmOverlay");
  EXPECT_EQ(m_screen->GetOverlay(), dialog);
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_FALSE(dialog->AreHintsOn());
  ASSERT_NE(dialog->GetPortrait(), nullptr);
  EXPECT_STREQ(dialog->GetPortrait()->GetName(), "SIportrait");
  ASSERT_NE(dialog->GetPrompt(), nullptr);
  EXPECT_EQ(dialog->GetPrompt()->GetCaptionNumber(), 171u);
  EXPECT_EQ(dialog->GetPrompt()->GetEngineSound()->GetName(), "0171");
  Frame();
  ClickOn(dialog->GetNoButton());
  EXPECT_FALSE(m_screen->IsDeleteDialogOpen());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_EQ(test::ReadFile(SlotFile(4)), bytes);
  EXPECT_EQ(m_screen->GetSelectedSlot(), 4);

  // Yes deletes it: six empty slots, nothing selected, and the record a fresh profile.
  Frame();
  ClickOn(m_screen->GetDeleteButton());
  ASSERT_TRUE(m_screen->IsDeleteDialogOpen());
  Frame();
  ClickOn(m_screen->GetDialog()->GetYesButton());
  EXPECT_FALSE(std::filesystem::exists(SlotFile(4)));
  EXPECT_EQ(SlotNames(), Unused());
  EXPECT_EQ(m_screen->GetSelectedSlot(), SignInScreen::kNoSlot);
  EXPECT_FALSE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_FALSE(test::Shown(m_screen->GetPortrait()));
  EXPECT_FALSE(m_screen->GetPlayButton()->IsEnabled());
  EXPECT_EQ(CurrentPlayer::Instance().freshProfile, 1);
  EXPECT_FALSE(m_app.IsPaused());
  // The new buttons bob like the old ones.
  EXPECT_EQ(m_screen->GetBobbing().GetObject(4), m_screen->GetSlotButton(4));
}

TEST_F(SignIn, EscapeOpensTheExitDialogAfterTheFirstTwoUpdatesNoStaysAndYesLeavesWithoutWriting) {
  // The screen's first update is the frame that activates it; Escape then is ignored.
  Start();
  TypeKey(27);
  EXPECT_FALSE(m_screen->IsExitDialogShown());
  Frame();
  TypeKey(27);
  ASSERT_TRUE(m_screen->IsExitDialogShown());
  FEOverlayDialog* dialog = m_screen->GetDialog();
  EXPECT_STREQ(dialog->GetName(), "SIExitDlg");
  EXPECT_EQ(dialog->GetPortrait(), nullptr);
  EXPECT_EQ(dialog->GetPrompt()->GetCaptionNumber(), 100u);
  EXPECT_FALSE(dialog->AreHintsOn());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);

  Frame();
  ClickOn(dialog->GetNoButton());
  EXPECT_FALSE(m_screen->IsExitDialogShown());
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_EQ(Voice(), "0110");

  Frame();
  ClickOn(m_screen->GetExitButton());
  ASSERT_TRUE(m_screen->IsExitDialogShown());
  Frame();
  ClickOn(m_screen->GetDialog()->GetYesButton());
  EXPECT_EQ(Voice(), "0120");
  EXPECT_TRUE(m_screen->IsLeaving());
  EXPECT_FALSE(MouseCursor::Instance().IsEnabled());
  EXPECT_FALSE(m_app.IsQuitRequested());
  // Escape no longer opens the dialog.
  TypeKey(27);
  EXPECT_FALSE(m_screen->IsExitDialogShown());
  ASSERT_TRUE(FramesUntil([&] { return m_app.IsQuitRequested(); }));
  EXPECT_TRUE(Finished("0120"));
  for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot)
    EXPECT_FALSE(std::filesystem::exists(SlotFile(slot)));
}

TEST_F(SignIn, TheCaptionToggleSwitchesTheRecordAndTheProgramsCaptions) {
  Start();
  ASSERT_TRUE(UntilFinished("0012"));
  Frame();
  Clickable* toggle = m_screen->GetCaptionToggle();
  ASSERT_EQ(Look(toggle), kToggleOn);
  ClickOn(toggle);
  EXPECT_EQ(Look(toggle), 0u);
  EXPECT_EQ(gCaptionsOn, 0);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 0);
  // The pointer resting on it changes nothing: it has no hover look.
  Frames(5);
  EXPECT_EQ(Look(toggle), 0u);
  ClickOn(toggle);
  EXPECT_EQ(Look(toggle), kToggleOn);
  EXPECT_EQ(gCaptionsOn, 1);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 1);
  // Play takes the toggle's state along.
  ClickOn(toggle);
  ClickSlot(0);
  ClickOn(m_screen->GetPlayButton());
  EXPECT_EQ(gCaptionsOn, 0);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 0);
}

namespace {

constexpr size_t kCaptionByte = 540;
constexpr size_t kFreshByte = 541;

// A prepared save with its two trailing bytes, the caption switch and the second flag, as given.
std::string SaveWith(const std::string& bytes, uint8_t captions, uint8_t fresh) {
  std::string changed = bytes;
  changed[kCaptionByte] = static_cast<char>(captions);
  changed[kFreshByte] = static_cast<char>(fresh);
  return changed;
}

// The save the hub writes on arrival: the active record copied in, then the current slot saved.
std::string SaveAsTheHubDoes(int slot) {
  CurrentPlayer::Instance().AssignByValue(ActivePlayerData);
  EXPECT_TRUE(SaveGameManager::Instance().SaveCurrentSlot());
  return test::ReadFile("SaveGame" + std::to_string(slot) + ".sav");
}

// A player's saved caption switch, the clicks on the toggle once the player is chosen, and the switch
// that play then saves.
struct CaptionChoiceCase {
  const char* what;
  uint8_t saved;
  int clicks;
  uint8_t played;
};

void PrintTo(const CaptionChoiceCase& c, std::ostream* out) {
  *out << c.what;
}

class CaptionChoice : public SignIn, public testing::WithParamInterface<CaptionChoiceCase> {};

}  // namespace

TEST_P(CaptionChoice, TheToggleShowsTheChosenPlayersSwitchAtOnceAndPlaySavesWhatItShows) {
  const CaptionChoiceCase& c = GetParam();
  // Slot 5, the greeting's last probe, holds the other switch.
  const std::string fresh = test::ReadFile(Content() / "saves" / "fresh.sav");
  test::WriteFile(SlotFile(2), SaveWith(fresh, c.saved, 1));
  test::WriteFile(SlotFile(5), SaveWith(fresh, c.saved ? 0 : 1, 1));
  Start();
  Clickable* toggle = m_screen->GetCaptionToggle();
  ClickSlot(2);
  EXPECT_EQ(Look(toggle), c.saved);
  EXPECT_EQ(gCaptionsOn, c.saved);
  uint32_t shown = c.saved;
  for (int click = 0; click < c.clicks; ++click) {
    SCOPED_TRACE(click);
    Frame();
    ClickOn(toggle);
    shown ^= 1u;
    EXPECT_EQ(Look(toggle), shown);
    EXPECT_EQ(gCaptionsOn, shown);
    EXPECT_EQ(CurrentPlayer::Instance().captionsOn, shown);
  }
  ClickOn(m_screen->GetPlayButton());
  ASSERT_EQ(SaveGameManager::Instance().GetCurrentSlot(), 2u);
  EXPECT_EQ(gCaptionsOn, c.played);
  const std::string saved = SaveAsTheHubDoes(2);
  ASSERT_EQ(saved.size(), CurrentPlayer::kFileSize);
  EXPECT_EQ(static_cast<uint8_t>(saved[kCaptionByte]), c.played);
  EXPECT_EQ(static_cast<uint8_t>(saved[kFreshByte]), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptionChoice,
    testing::Values(CaptionChoiceCase{"OffStaysOff", 0, 0, 0}, CaptionChoiceCase{"OnStaysOn", 1, 0, 1},
                    CaptionChoiceCase{"OffSwitchedOn", 0, 1, 1}, CaptionChoiceCase{"OnSwitchedOff", 1, 1, 0},
                    CaptionChoiceCase{"OffSwitchedTwice", 0, 2, 0}),
    [](const testing::TestParamInfo<CaptionChoiceCase>& info) { return std::string(info.param.what); });

TEST_F(SignIn, BeforeAPlayerIsChosenTheToggleSwitchesAtOnceWhateverTheGreetingFoundInTheSlots) {
  // The greeting probes slot 4, whose player has the captions off.
  test::WriteFile(SlotFile(4), SaveWith(test::ReadFile(Content() / "saves" / "fresh.sav"), 0, 1));
  Start();
  Clickable* toggle = m_screen->GetCaptionToggle();
  ASSERT_EQ(Look(toggle), kToggleOn);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 1);
  Frame();
  ClickOn(toggle);
  EXPECT_EQ(Look(toggle), 0u);
  EXPECT_EQ(gCaptionsOn, 0);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 0);
}

namespace {

// A new player in slot 3 after the greeting found a returning player in slot 1 (captions off, second
// flag clear, games played), with that player chosen first or not.
struct NewPlayerCase {
  const char* what;
  bool chooseReturningFirst;
  uint8_t captions;
};

void PrintTo(const NewPlayerCase& c, std::ostream* out) {
  *out << c.what;
}

class NewPlayer : public SignIn, public testing::WithParamInterface<NewPlayerCase> {};

}  // namespace

TEST_P(NewPlayer, StartsFromAFreshRecordWithOnlyTheSwitchTheToggleShows) {
  const NewPlayerCase& c = GetParam();
  test::WriteFile(SlotFile(1), SaveWith(test::ReadFile(Content() / "saves" / "level2.sav"), 0, 0));
  Start();
  ASSERT_EQ(m_screen->GetVoiceState(), SignInScreen::kGreetingReturning);
  if (c.chooseReturningFirst) {
    ClickSlot(1);
    ASSERT_EQ(ActivePlayerData.games[10].level, 2);
    Frame();
  }
  ClickSlot(3);
  EXPECT_EQ(Look(m_screen->GetCaptionToggle()), c.captions);
  ClickOn(m_screen->GetPlayButton());
  ASSERT_EQ(SaveGameManager::Instance().GetCurrentSlot(), 3u);
  const std::string saved = SaveAsTheHubDoes(3);
  ASSERT_EQ(saved.size(), CurrentPlayer::kFileSize);
  // Signed in to slot 3, every game as in a fresh record, then the toggle's switch and a fresh
  // profile's second flag.
  EXPECT_EQ(saved[0], 1);
  EXPECT_EQ(static_cast<uint8_t>(saved[6]), 3);
  const std::string fresh = test::ReadFile(Content() / "saves" / "fresh.sav");
  EXPECT_EQ(saved.substr(CurrentPlayer::kEntriesOffset, kCaptionByte - CurrentPlayer::kEntriesOffset),
            fresh.substr(CurrentPlayer::kEntriesOffset, kCaptionByte - CurrentPlayer::kEntriesOffset));
  EXPECT_EQ(static_cast<uint8_t>(saved[kCaptionByte]), c.captions);
  EXPECT_EQ(static_cast<uint8_t>(saved[kFreshByte]), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, NewPlayer,
                         testing::Values(NewPlayerCase{"StraightAway", false, 1},
                                         NewPlayerCase{"AfterChoosingAnother", true, 0}),
                         [](const testing::TestParamInfo<NewPlayerCase>& info) {
                           return std::string(info.param.what);
                         });

// The help lines and their pages, with and without a used slot.
struct HelpCase {
  const char* what;
  bool used;
  Names lines;
};

void PrintTo(const HelpCase& c, std::ostream* out) {
  *out << c.what;
}

class Help : public SignIn, public testing::WithParamInterface<HelpCase> {};

TEST_P(Help, TheHelpPageSpeaksItsLinesInTurnWithTheirPages) {
  if (GetParam().used) UseSave("fresh.sav", 0);
  Start();
  ClickOn(m_screen->GetHelpButton());
  ASSERT_TRUE(m_screen->IsHelpScreenOpen());
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);
  EXPECT_EQ(Look(m_screen->GetPlayButton()), kDisabledLook);
  Names heard;
  ASSERT_TRUE(FramesUntil(
      [&] {
        const CCSound* line = m_screen->GetNarration();
        if (line && line->GetEngineSound() && line->GetEngineSound()->IsPlaying()) {
          const std::string entry =
              line->GetEngineSound()->GetName() + " page " +
              std::to_string(m_screen->GetHelpScreen()->GetPageObject()->GetAnimationId());
          if (heard.empty() || heard.back() != entry) heard.push_back(entry);
        }
        return !m_screen->IsNarrationRunning() && !heard.empty();
      },
      800));
  EXPECT_EQ(heard, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Help,
    testing::Values(
        HelpCase{"NoSlotUsed", false, {"0020 page 5", "0070 page 4", "0090 page 6", "0091 page 6"}},
        HelpCase{"ASlotUsed",
                 true,
                 {"0020 page 5", "0040 page 2", "0050 page 3", "0070 page 4", "0090 page 6", "0091 page 6"}}),
    [](const testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.what); });

TEST_F(SignIn, TheSlotButtonsBobInTenthsOfASecondAndTheFishSwitchesEveryTenSeconds) {
  Start();
  std::array<float, SignInScreen::kSlotCount> base{};
  for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot) {
    EXPECT_EQ(m_screen->GetSlotButton(slot)->GetX(), static_cast<float>(SignInScreen::kSlotX[slot]));
    base[static_cast<size_t>(slot)] =
        m_screen->GetSlotButton(slot)->GetY() - m_screen->GetBobbing().GetOffset(slot);
  }
  EXPECT_EQ(Look(m_screen->GetFloaterFish()), 2u);
  const uint32_t start = GameClock::Instance().GetTime();
  int steps = 0;
  int32_t lastStep = m_screen->GetBobbing().GetNextStepTime();
  while (GameClock::Instance().GetTime() - start < 25000) {
    Frame(50);
    if (m_screen->GetBobbing().GetNextStepTime() != lastStep) {
      ++steps;
      EXPECT_GE(m_screen->GetBobbing().GetNextStepTime() - lastStep, 100);
      lastStep = m_screen->GetBobbing().GetNextStepTime();
    }
    for (int slot = 0; slot < SignInScreen::kSlotCount; ++slot) {
      const float offset = m_screen->GetBobbing().GetOffset(slot);
      // Each offset turns back at ±2.25, at most one step beyond.
      EXPECT_GE(offset, -2.25f - 0.5f);
      EXPECT_LE(offset, 2.25f + 1.0f);
      EXPECT_FLOAT_EQ(m_screen->GetSlotButton(slot)->GetY(), base[static_cast<size_t>(slot)] + offset);
    }
    const uint32_t elapsed = GameClock::Instance().GetTime() - start;
    if (elapsed > 10100 && elapsed < 19900) {
      EXPECT_EQ(Look(m_screen->GetFloaterFish()), 0u) << elapsed;
    }
    if (elapsed > 20100) {
      EXPECT_EQ(Look(m_screen->GetFloaterFish()), 1u) << elapsed;
    }
  }
  EXPECT_GE(steps, 150);
}

TEST(SIBobbing, OffsetsStartAtRandomStepsAndTurnAtTheirBounds) {
  std::array<GenericObject, SIBobbingMgr::kObjectCount> objects;
  std::array<GenericObject*, SIBobbingMgr::kObjectCount> pointers{};
  for (size_t i = 0; i < objects.size(); ++i) {
    objects[i].SetPosition(10.0f * static_cast<float>(i), 100.0f);
    pointers[i] = &objects[i];
  }
  SIBobbingMgr bobbing;
  for (int i = 0; i < SIBobbingMgr::kObjectCount; ++i) {
    const float units = bobbing.GetOffset(i) / SIBobbingMgr::kStartUnit;
    EXPECT_NEAR(units, static_cast<float>(static_cast<int>(units + 0.5f)), 1e-4);
    EXPECT_LE(units, 9.0001f);
    EXPECT_EQ(bobbing.GetVelocity(i), 1.0f);
  }
  pointers[5] = nullptr;
  bobbing.SetObjects(pointers);
  const float start0 = bobbing.GetOffset(0);
  bobbing.Update(0);  // not past the first step time 0
  EXPECT_EQ(bobbing.GetOffset(0), start0);
  bobbing.Update(1);
  EXPECT_FLOAT_EQ(bobbing.GetOffset(0), start0 + 1.0f);
  EXPECT_FLOAT_EQ(objects[0].GetY(), 100.0f + 1.0f);
  bobbing.Update(101);  // the next step is due after 101
  EXPECT_FLOAT_EQ(bobbing.GetOffset(0), start0 + 1.0f);
  // Rising by 1.0 until 2.25 is reached, then down by 0.5 to -2.25 and up again.
  float previous = bobbing.GetOffset(0);
  bool turnedDown = false;
  bool turnedUp = false;
  for (uint32_t now = 102; now < 102 + 101 * 40; now += 101) {
    bobbing.Update(now);
    const float offset = bobbing.GetOffset(0);
    if (previous >= 2.25f) {
      EXPECT_FLOAT_EQ(offset, previous - 0.5f);
      turnedDown = true;
    }
    if (previous <= -2.25f) {
      EXPECT_FLOAT_EQ(offset, previous + 0.5f);
      turnedUp = true;
    }
    previous = offset;
    EXPECT_FLOAT_EQ(objects[0].GetY(), 100.0f + offset - start0);
  }
  EXPECT_TRUE(turnedDown);
  EXPECT_TRUE(turnedUp);
  // The slot without an object keeps its offset.
  EXPECT_EQ(bobbing.GetVelocity(5), 1.0f);
}

namespace {

// A damaged save in slot 3, and whether the game takes it as a record.
struct BadSaveCase {
  const char* what;
  const char* save;
  bool loads;
};

void PrintTo(const BadSaveCase& c, std::ostream* out) {
  *out << c.what;
}

// The trace is on for the suite's cases; the suite's end takes the setting away again.
class BadSave : public SignIn, public testing::WithParamInterface<BadSaveCase> {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

}  // namespace

TEST_P(BadSave, ADamagedSaveShowsAsUsedIsNeverWrittenAndPlaysOnlyAsTheSlotItLiesIn) {
  const BadSaveCase& c = GetParam();
  const std::string bytes = UseSave(c.save, 3);
  testing::internal::CaptureStderr();
  Start();
  EXPECT_EQ(m_screen->GetSlotButton(3)->GetName(), std::string("Char3Used"));
  ClickSlot(3);
  EXPECT_TRUE(test::Shown(m_screen->GetPortrait()));
  EXPECT_EQ(Look(m_screen->GetPortrait()), 3u);
  EXPECT_TRUE(m_screen->GetPlayButton()->IsEnabled());
  EXPECT_TRUE(test::Shown(m_screen->GetDeleteButton()));
  // Whatever the file held, the caption toggle shows one of its two looks.
  EXPECT_LE(Look(m_screen->GetCaptionToggle()), kToggleOn);

  ClickOn(m_screen->GetPlayButton());
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);
  EXPECT_EQ(ActivePlayerData.signedIn, 1);
  EXPECT_EQ(CurrentPlayer::Instance().freshProfile, 0);
  Frames(5);
  const std::string trace = testing::internal::GetCapturedStderr();
  if (c.loads) {
    EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeHub);
    EXPECT_EQ(ActivePlayerData.saveSlot, 3u);
    EXPECT_EQ(SaveGameManager::Instance().GetCurrentSlot(), 3u);
  } else {
    // The player stays, with the reason on the trace.
    EXPECT_EQ(NodeManager::Instance().GetCurrentId(), kNodeSignIn);
    EXPECT_EQ(m_screen->GetLoadingScreen(), nullptr);
    EXPECT_EQ(SaveGameManager::Instance().GetCurrentSlot(), SaveGameManager::kNoSlot);
    EXPECT_NE(trace.find("ERROR: SaveGameManager: SaveGame3.sav is shorter than a save"), std::string::npos)
        << trace;
    EXPECT_NE(trace.find("ERROR: SignIn: SaveGame3.sav cannot be loaded (see above); slot 3 is not played."),
              std::string::npos)
        << trace;
  }
  EXPECT_EQ(test::ReadFile(SlotFile(3)), bytes);

  if (!c.loads) {
    // Delete still removes it.
    ClickOn(m_screen->GetDeleteButton());
    ASSERT_TRUE(m_screen->IsDeleteDialogOpen());
    Frame();
    ClickOn(m_screen->GetDialog()->GetYesButton());
    EXPECT_FALSE(std::filesystem::exists(SlotFile(3)));
    EXPECT_EQ(m_screen->GetSlotButton(3)->GetName(), std::string("Char3UnUsed"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadSave,
                         testing::Values(BadSaveCase{"CutShort", "short.sav", false},
                                         BadSaveCase{"Garbage", "garbage.sav", true},
                                         BadSaveCase{"NamesSlot9", "slot9.sav", true}),
                         [](const testing::TestParamInfo<BadSaveCase>& info) {
                           return std::string(info.param.what);
                         });

TEST_F(SignIn, APlayerBackFromTheHubFindsTheSlotPlayedSelectedAndAnyOtherNumberSelectsNothing) {
  UseSave("level2.sav", 2);
  ActivePlayerData.signedIn = 1;
  ActivePlayerData.saveSlot = 2;
  Start();
  EXPECT_EQ(m_screen->GetSelectedSlot(), 2);
  EXPECT_EQ(ActivePlayerData.games[10].level, 2);
  EXPECT_TRUE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_EQ(SaveGameManager::Instance().GetCurrentSlot(), SaveGameManager::kNoSlot);
  m_app.Shutdown();

  for (const uint32_t slot : {6u, 9u, 99u}) {
    SCOPED_TRACE(slot);
    ActivePlayerData = PlayerData();
    ActivePlayerData.signedIn = 1;
    ActivePlayerData.saveSlot = slot;
    ActivePlayerData.games[10].level = 5;
    Start();
    EXPECT_EQ(m_screen->GetSelectedSlot(), SignInScreen::kNoSlot);
    EXPECT_FALSE(test::Shown(m_screen->GetPortrait()));
    EXPECT_FALSE(m_screen->GetPlayButton()->IsEnabled());
    EXPECT_EQ(ActivePlayerData.games[10].level, 1);
    m_screen->SelectSlot(static_cast<int32_t>(slot));
    EXPECT_EQ(m_screen->GetSelectedSlot(), SignInScreen::kNoSlot);
    m_app.Shutdown();
  }
}

namespace {

// What cuts the first greeting short, and while which of its lines plays.
enum class Cut { kEscape, kExitButton, kHelpButton };

struct ChainCutCase {
  const char* what;
  const char* line;
  Cut cut;
};

void PrintTo(const ChainCutCase& c, std::ostream* out) {
  *out << c.what;
}

class ChainCut : public SignIn, public testing::WithParamInterface<ChainCutCase> {};

}  // namespace

TEST_P(ChainCut, AGreetingCutShortPutsWhatItHighlightedBackToRestBeforeTheClickIsActedOn) {
  const ChainCutCase& c = GetParam();
  Start();
  ASSERT_TRUE(UntilVoice(c.line));
  Frames(2);
  switch (c.cut) {
    case Cut::kEscape:
      TypeKey(27);
      break;
    case Cut::kExitButton:
      ClickOn(m_screen->GetExitButton());
      break;
    case Cut::kHelpButton:
      ClickOn(m_screen->GetHelpButton());
      break;
  }
  ASSERT_TRUE(c.cut == Cut::kHelpButton ? m_screen->IsHelpScreenOpen() : m_screen->IsExitDialogShown());
  EXPECT_EQ(m_screen->GetVoiceState(), SignInScreen::kVoiceIdle);
  // No slot is selected: play rests disabled; the others are back in play.
  EXPECT_EQ(Look(m_screen->GetPlayButton()), kDisabledLook);
  EXPECT_FALSE(m_screen->GetPlayButton()->IsEnabled());
  EXPECT_EQ(Look(m_screen->GetExitButton()), kNormal);
  EXPECT_TRUE(m_screen->GetExitButton()->IsEnabled());
  EXPECT_EQ(Look(m_screen->GetHelpButton()), kNormal);
  EXPECT_TRUE(m_screen->GetHelpButton()->IsEnabled());
  EXPECT_EQ(Look(m_screen->GetCaptionToggle()), kToggleOn);
  EXPECT_EQ(gCaptionsOn, 1);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 1);

  if (c.cut == Cut::kHelpButton) {
    ASSERT_TRUE(FramesUntil([&] { return !m_screen->IsNarrationRunning(); }, 800));
    ClickOn(m_screen->GetHelpScreen()->GetBackground());
    EXPECT_FALSE(m_screen->IsHelpScreenOpen());
  } else {
    Frame();
    ClickOn(m_screen->GetDialog()->GetNoButton());
    EXPECT_FALSE(m_screen->IsExitDialogShown());
  }
  // The rest of the chain does not come, and the buttons stay in play.
  Frames(150);
  const Names after = LinesFrom(c.line);
  ASSERT_FALSE(after.empty());
  for (const char* chainLine : {"0070", "0090", "0091", "0012"}) {
    if (std::string(chainLine) == c.line || c.cut == Cut::kHelpButton) continue;
    EXPECT_EQ(std::count(after.begin(), after.end(), chainLine), 0) << chainLine;
  }
  EXPECT_TRUE(m_screen->GetExitButton()->IsEnabled());
  EXPECT_TRUE(m_screen->GetHelpButton()->IsEnabled());
  EXPECT_EQ(Look(m_screen->GetCaptionToggle()), kToggleOn);
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChainCut,
    testing::Values(ChainCutCase{"EscapeDuringTheFirstLine", "0010", Cut::kEscape},
                    ChainCutCase{"HelpDuringTheExitHint", "0070", Cut::kHelpButton},
                    ChainCutCase{"EscapeDuringTheCaptionHint", "0090", Cut::kEscape},
                    ChainCutCase{"HelpDuringTheSecondCaptionHint", "0091", Cut::kHelpButton},
                    ChainCutCase{"ExitDuringTheHelpHint", "0012", Cut::kExitButton}),
    [](const testing::TestParamInfo<ChainCutCase>& info) { return std::string(info.param.what); });

TEST_F(SignIn, AReturningGreetingCutShortLeavesDeleteInPlayForTheSelectedSlot) {
  UseSave("fresh.sav", 0);
  Start();
  ClickSlot(0);
  ASSERT_TRUE(UntilVoice("0050"));
  Frames(2);
  ASSERT_EQ(Look(m_screen->GetDeleteButton()), kActiveLook);
  TypeKey(27);
  ASSERT_TRUE(m_screen->IsExitDialogShown());
  EXPECT_TRUE(m_screen->GetDeleteButton()->IsEnabled());
  EXPECT_TRUE(test::Shown(m_screen->GetDeleteButton()));
  EXPECT_TRUE(m_screen->GetPlayButton()->IsEnabled());
  Frame();
  ClickOn(m_screen->GetDialog()->GetNoButton());
  Frames(60);
  ClickOn(m_screen->GetDeleteButton());
  EXPECT_TRUE(m_screen->IsDeleteDialogOpen());
}

namespace {

// A definition file that lacks what the screen needs, and the text the program ends with.
struct MissingObjectCase {
  const char* what;
  // The file's new text; none removes the file.
  const char* objects;
  const char* text;
};

void PrintTo(const MissingObjectCase& c, std::ostream* out) {
  *out << c.what;
}

class MissingObject : public SignIn, public testing::WithParamInterface<MissingObjectCase> {};

constexpr const char* kAllButPlay =
    "[ambient portrait SignIn_portrait]\n"
    "[ActiveGameButton Deletebut SignInDeleteBut]\n"
    "[clickable ccOnOff SignIn_ccOnOff]\n";

}  // namespace

TEST_P(MissingObject, TheProgramEndsThroughATextNamingTheObjectAndTheFile) {
  const MissingObjectCase& c = GetParam();
  // A linked copy of the content, but for the folder-form definition file and the archive, which go.
  const std::filesystem::path content =
      test::LinkContentSet(Content(), std::filesystem::current_path() / "content", test::Archives::kKept);
  std::filesystem::remove(content / "universal" / "SignIn.qel");
  std::filesystem::remove(content / "universal" / "SignIn" / "SignInObjs.txt");
  if (c.objects) test::WriteFile(content / "universal" / "SignIn" / "SignInObjs.txt", c.objects);

  Launch(1, "", content);
  std::string thrown = "nothing thrown";
  try {
    Frame();
  } catch (const char* text) {
    thrown = text;
  }
  EXPECT_EQ(thrown, c.text);
  // The half-made screen goes with the shut-down, under the sanitizers.
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingObject,
    testing::Values(
        MissingObjectCase{"NoFile", nullptr, "Object 'portrait' missing from 'SignInObjs'\n"},
        MissingObjectCase{"NoPlayButton", kAllButPlay, "Object 'Playbut' missing from 'SignInObjs'\n"},
        MissingObjectCase{
            "PlayButtonOfAnotherClass",
            "[ambient portrait SignIn_portrait]\n[gamebutton Playbut SignInPlayBut]\n"
            "[ActiveGameButton Deletebut SignInDeleteBut]\n[clickable ccOnOff SignIn_ccOnOff]\n",
            "Object 'Playbut' of 'SignInObjs' is of another class\n"},
        MissingObjectCase{"DeleteButtonOfAnotherClass",
                          "[ambient portrait SignIn_portrait]\n[ActiveGameButton Playbut SignInPlayBut]\n"
                          "[ambient Deletebut SignInDeleteBut]\n[clickable ccOnOff SignIn_ccOnOff]\n",
                          "Object 'Deletebut' of 'SignInObjs' is of another class\n"},
        MissingObjectCase{"NoCaptionToggle",
                          "[ambient portrait SignIn_portrait]\n[ActiveGameButton Playbut SignInPlayBut]\n"
                          "[ActiveGameButton Deletebut SignInDeleteBut]\n",
                          "Object 'ccOnOff' missing from 'SignInObjs'\n"}),
    [](const testing::TestParamInfo<MissingObjectCase>& info) { return std::string(info.param.what); });
