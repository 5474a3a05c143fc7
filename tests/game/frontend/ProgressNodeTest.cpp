// The progress node over the running game: the help narration line by line with its pages, the
// lines dropped by a clear, the help screen closed while a line plays, the progress and movie screens
// closed with their click and the room's sounds back, and the movie screen's controls after a movie.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProgressStage.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/FMVDialog.h"
#include "framework/GameButton.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/HelpDialog.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/UnClickableGameButton.h"
#include "frontend/ProgressDialog.h"
#include "sound/Sound.h"
#include "support/MovieFiles.h"

namespace {

using Names = std::vector<std::string>;

constexpr uint32_t kCardGamePage = 15;
// A kind that no update shows by itself, so that its return is the screen's doing.
constexpr int32_t kOddCursor = 13;

class Progress : public test::ProgressStage {
protected:
  // The file and line number of the help line that plays, and the page shown.
  std::string Playing() const {
    const CCSound* line = m_room->GetNarration();
    if (!line || !line->GetEngineSound() || !line->GetEngineSound()->IsPlaying()) return "none";
    return line->GetEngineSound()->GetName() + " " + std::to_string(m_room->GetNarrationLineNumber()) +
           " page " + std::to_string(Page());
  }
  uint32_t Page() const { return m_room->GetHelpScreen()->GetPageObject()->GetAnimationId(); }

  GameSound* PlayHum() {
    GameSound* hum = m_room->GetSound("hum", "hum", false);
    hum->Play(true, true);
    return hum;
  }
};

}  // namespace

TEST_F(Progress, TwoHelpLinesPlayInTurnWithTheirPagesAndThenThePageRests) {
  StartRoom();
  m_room->QueueHelpLine("4503", 4503, 1, true);
  m_room->QueueHelpLine("4504", 4504, 2, false);
  m_room->OpenHelpScreen("theme", kCardGamePage);

  ASSERT_TRUE(m_room->IsHelpScreenOpen());
  EXPECT_EQ(m_room->GetOverlay(), m_room->GetHelpScreen());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_EQ(Playing(), "4503 4503 page 1");
  EXPECT_EQ(m_room->GetNarration()->GetCaptionNumber(), 4503u);
  EXPECT_EQ(m_room->GetNarration()->GetEngineSound()->GetId(), "HelpDlgm7");
  EXPECT_TRUE(m_room->IsNarrationRunning());

  // The narration goes on while the game is paused.
  ASSERT_TRUE(FramesUntil([&] { return Playing() != "4503 4503 page 1"; }));
  EXPECT_EQ(Playing(), "4504 4504 page 2");
  EXPECT_EQ(m_room->GetQueuedHelpLineCount(), 0u);
  EXPECT_TRUE(m_room->IsNarrationRunning());

  ASSERT_TRUE(FramesUntil([&] { return !m_room->IsNarrationRunning(); }));
  EXPECT_EQ(Page(), 0u);
  Frames(20);
  EXPECT_EQ(Page(), 0u);
  EXPECT_EQ(StartsOf("HelpDlgm7"), 2u);
  EXPECT_TRUE(m_room->IsHelpScreenOpen());
}

TEST_F(Progress, AClearFirstDropsTheLinesQueuedBeforeIt) {
  StartRoom();
  m_room->QueueHelpLine("4503", 4503, 3, true);
  m_room->QueueHelpLine("4504", 4504, 4, false);
  m_room->QueueHelpLine("4505", 4505, 5, true);
  EXPECT_EQ(m_room->GetQueuedHelpLineCount(), 1u);
  m_room->OpenHelpScreen("theme", kCardGamePage);
  EXPECT_EQ(Playing(), "4505 4505 page 5");
  ASSERT_TRUE(FramesUntil([&] { return !m_room->IsNarrationRunning(); }));
  EXPECT_EQ(Page(), 0u);
  EXPECT_EQ(StartsOf("HelpDlgm7"), 1u);
}

TEST_F(Progress, ClosingHelpWhileALinePlaysStopsItAndTellsTheRoomWithoutAClick) {
  StartRoom();
  GameSound* hum = PlayHum();
  Frame();
  m_room->QueueHelpLine("4504", 4504, 1, true);
  m_room->QueueHelpLine("4503", 4503, 2, false);
  MouseCursor::Instance().SetCursor(kOddCursor);
  m_room->OpenHelpScreen("theme", kCardGamePage);
  EXPECT_TRUE(hum->GetEngineSound()->IsPaused());
  Frames(3);
  ASSERT_EQ(Playing(), "4504 4504 page 1");
  m_sounds.entries.clear();

  Click(400, 300);  // anywhere: the help screen's background
  EXPECT_FALSE(m_room->IsHelpScreenOpen());
  EXPECT_EQ(m_room->GetHelpScreen(), nullptr);
  EXPECT_EQ(m_room->GetOverlay(), nullptr);
  EXPECT_EQ(m_room->GetNarration(), nullptr);
  EXPECT_EQ(m_room->GetQueuedHelpLineCount(), 0u);
  EXPECT_FALSE(m_room->IsNarrationRunning());
  ASSERT_EQ(m_room->speechEvents.size(), 1u);
  EXPECT_EQ(m_room->speechEvents[0].first, EventId::HelpClosed);
  EXPECT_EQ(m_room->speechEvents[0].second, static_cast<GameNode*>(m_room));
  EXPECT_EQ(MouseCursor::Instance().GetCursor(), kOddCursor);
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_TRUE(hum->GetEngineSound()->IsPlaying());

  // Nothing more speaks: neither the rest of the narration nor a click.
  Frames(40);
  EXPECT_EQ(Started(), Names{});
}

TEST_F(Progress, ClosingTheProgressOrMovieScreenClicksAndBringsTheRoomsSoundsBack) {
  struct Case {
    const char* screen;
    std::function<void()> open;
    std::function<bool()> isOpen;
    std::function<CCSound*()> line;  // the screen's spoken line
    int x, y;                        // where the click that closes it lands
  };
  m_stage.AddWave("1430", test::Tone(2000));
  StartRoom();
  const Case cases[] = {
      {"progress", [&] { m_room->OpenProgressScreen(); }, [&] { return m_room->IsProgressScreenOpen(); },
       [&] { return m_room->GetProgressScreen()->GetNarration(); }, 700, 300},
      {"movie", [&] { m_room->OpenMovieScreen(); }, [&] { return m_room->IsMovieScreenOpen(); },
       [&] { return m_room->GetMovieScreen()->GetNarration(); }, 40, 560},
  };
  GameSound* hum = PlayHum();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    Frame();
    MouseCursor::Instance().SetCursor(kOddCursor);
    c.open();
    ASSERT_TRUE(c.isOpen());
    EXPECT_NE(m_room->GetOverlay(), nullptr);
    EXPECT_TRUE(m_app.IsPaused());
    EXPECT_TRUE(hum->GetEngineSound()->IsPaused());
    Frames(3);
    m_sounds.entries.clear();
    CCSound* line = c.line();
    ASSERT_NE(line, nullptr);
    ASSERT_TRUE(line->GetEngineSound()->IsPlaying());

    Click(c.x, c.y);
    EXPECT_FALSE(c.isOpen());
    // The screen itself goes at the next frame; its line has ended with the click.
    EXPECT_FALSE(line->GetEngineSound()->IsPlaying());
    EXPECT_EQ(m_room->GetOverlay(), nullptr);
    EXPECT_EQ(m_room->GetProgressScreen(), nullptr);
    EXPECT_EQ(m_room->GetMovieScreen(), nullptr);
    EXPECT_EQ(MouseCursor::Instance().GetCursor(), kOddCursor);
    EXPECT_FALSE(m_app.IsPaused());
    EXPECT_TRUE(hum->GetEngineSound()->IsPlaying());
    EXPECT_EQ(StartsOf("ProgressClick4mx8"), 1u);
    EXPECT_EQ(m_room->GetClickSound()->GetEngineSound()->GetName(), "ButtonDown4");
    EXPECT_TRUE(m_room->speechEvents.empty());
  }
}

TEST_F(Progress, ClicksBesideTheClosingOnesLeaveTheScreensOpen) {
  StartRoom();
  m_room->OpenProgressScreen();
  // The exit arrow only shows; the click goes on to the background below it.
  Frame();
  m_room->OnObjectClicked(m_room->GetProgressScreen()->GetExitButton());
  EXPECT_TRUE(m_room->IsProgressScreenOpen());
  m_room->OnObjectClicked(m_room->GetProgressScreen()->GetSuccessIcon(0));
  EXPECT_TRUE(m_room->IsProgressScreenOpen());
  m_room->CloseProgressScreen();

  m_room->OpenMovieScreen();
  Frame();
  m_room->OnObjectClicked(m_room->GetMovieScreen()->GetBackground());
  EXPECT_TRUE(m_room->IsMovieScreenOpen());
  m_room->CloseMovieScreen();

  m_room->OpenHelpScreen("theme", kCardGamePage);
  Frame();
  m_room->OnObjectClicked(m_room->GetHelpScreen()->GetPageObject());
  EXPECT_TRUE(m_room->IsHelpScreenOpen());
  m_room->CloseHelpScreen();
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Progress, AMovieThatEndsWhileTheMovieScreenIsOpenBringsItsControlsBack) {
  test::WriteMovieFile("movie.tmp", test::SolidMovie(3, 64, 48, 10));
  m_stage.AddFile("ConcentrationFMV.bik", test::ReadFile("movie.tmp"));
  ActivePlayerData.games[15].level = 6;  // the card game done: its movie is in the gallery
  StartRoom();
  m_room->OpenMovieScreen();
  FMVDialog* gallery = m_room->GetMovieScreen();
  Frame();

  Click(200, 100);  // the first movie button
  ASSERT_TRUE(MoviePlayer::Instance().IsPlaying());
  EXPECT_FALSE(test::Shown(gallery->GetMovieButton(0)));
  EXPECT_FALSE(test::Shown(gallery->GetBackground()));
  ASSERT_TRUE(FramesUntil([] { return !MoviePlayer::Instance().IsPlaying(); }));
  Frame();

  EXPECT_TRUE(m_room->IsMovieScreenOpen());
  EXPECT_EQ(m_room->GetOverlay(), gallery);
  EXPECT_TRUE(m_app.IsPaused());
  for (const GenericObject* object : {static_cast<const GenericObject*>(gallery->GetBackground()),
                                      static_cast<const GenericObject*>(gallery->GetMovieButton(0)),
                                      static_cast<const GenericObject*>(gallery->GetUpArrow()),
                                      static_cast<const GenericObject*>(gallery->GetExitButton())})
    EXPECT_TRUE(test::Shown(object)) << object->GetName();
  EXPECT_TRUE(gallery->GetUpArrow()->IsEnabled());
  EXPECT_TRUE(gallery->GetDownArrow()->IsEnabled());

  Click(40, 560);
  EXPECT_FALSE(m_room->IsMovieScreenOpen());
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Progress, OpeningAScreenAgainReplacesItAndTheRoomsDestructionDropsWhatIsOpen) {
  StartRoom();
  m_room->QueueHelpLine("4504", 4504, 1, true);
  m_room->OpenHelpScreen("theme", kCardGamePage);
  Frame();
  // The line of the first screen is captioned on it: it goes with it.
  m_room->QueueHelpLine("4503", 4503, 2, false);
  m_room->OpenHelpScreen("theme", kCardGamePage);
  EXPECT_EQ(Playing(), "4503 4503 page 2");
  EXPECT_EQ(m_room->GetOverlay(), m_room->GetHelpScreen());
  Frames(3);

  m_room->OpenProgressScreen();
  m_room->OpenProgressScreen();
  EXPECT_EQ(m_room->GetOverlay(), m_room->GetProgressScreen());
  Frame();
  m_room->OpenMovieScreen();
  Frame();
  // The game shuts down with all three screens made: the room lets go of each.
}
