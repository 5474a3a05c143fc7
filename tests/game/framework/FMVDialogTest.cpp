// The movie gallery over a node of the running game: which movies the progress record unlocks, the
// places of the entries and how the arrows scroll them, the narration's parts, the clicks that reach
// the node, the art for displays with and without alpha blending, and a movie played from it, after
// which the game stays paused under the gallery.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogStage.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/ClosedCaption.h"
#include "framework/FMVDialog.h"
#include "framework/GameButton.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/MoviePlayer.h"
#include "framework/UnClickableGameButton.h"
#include "graphics/SceneObject.h"
#include "graphics/SceneWorld.h"
#include "sound/Sound.h"
#include "support/MovieFiles.h"

namespace {

using Names = std::vector<std::string>;

// Unlocks movie 0..6 in the record as the games do when they are done.
void Unlock(PlayerData& data, int movie) {
  const int games[] = {15, 11, 10, 14, 13};
  if (movie < 5) data.games[games[movie]].level = 6;
  if (movie == 5) data.games[9].firstTime = 0;
  if (movie == 6)
    for (uint8_t& flag : data.games[12].levelFlags) flag = 1;
}

bool Shown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

// The names of the application-state events, as "pause <movie>" and "resume <movie>".
class AppStateLog : public Qel::IEventListener {
public:
  AppStateLog() { Qel::EventManager::GetInstance()->AddListener(kEventAppState, this); }
  ~AppStateLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  void HandleEvent(int, int id, void* data) override {
    lines.push_back((id == EventId::Pause ? "pause " : "resume ") +
                    std::string(static_cast<const char*>(data)));
  }
  Names lines;
};

class Gallery : public test::DialogStage {
protected:
  void SetUp() override {
    DialogStage::SetUp();
    ActivePlayerData = PlayerData();
    AddSprite("replayMovieBK", 800, 600, 3, 1, test::kDialogRed);
    AddSprite("actback_blank", 10, 10);
    AddSprite("ActBackArrow", 86, 63, 3, 1, test::kDialogBlue);
    AddSprite("replayUpArrow", 50, 40);
    AddSprite("replayDownArrow", 50, 40);
    AddSprite("replayUpArrow_sdl", 52, 42);
    AddSprite("replayDownArrow_sdl", 52, 42);
    // One sequence more than there are movies, for a button that shows none of them.
    AddSprite("replay_mov_but", 200, 150, 8);
    m_stage.AddFile("FMVScreen.txt", "4440 Pilo One\n4441 Pilo Two\n4442 Pilo Three\n4450 Pilo Again\n");
  }
  void TearDown() override {
    if (m_gallery && m_node && m_node->GetOverlay() == m_gallery.get()) m_node->HideOverlay(m_gallery.get());
    m_gallery.reset();
    DialogStage::TearDown();
  }

  // A gallery over the node for the movies given, shown as its overlay: its clicks go to HandleClick
  // and the exit closes it; the node's resume resets the controls while it is shown, as the front
  // end's nodes do.
  void Open(std::initializer_list<int> movies, bool show = true) {
    for (const int movie : movies) Unlock(ActivePlayerData, movie);
    m_gallery = std::make_unique<FMVDialog>("FMVScreen");
    m_node->onClick = [this](GenericObject* object) {
      m_handled.push_back(m_gallery->HandleClick(object));
      if (m_handled.back()) m_node->HideOverlay(m_gallery.get());
    };
    m_node->onResume = [this] {
      if (m_node->GetOverlay() == m_gallery.get()) m_gallery->ResetControls();
    };
    if (show) m_node->ShowOverlay(m_gallery.get());
  }

  // The names of the buttons shown, and their places.
  Names ShownEntries() const {
    Names shown;
    for (int place = 0; place < FMVDialog::kMovieCount; ++place) {
      const Clickable* button = m_gallery->GetMovieButton(place);
      if (!Shown(button)) continue;
      shown.push_back(std::string(button->GetName()) + " " +
                      std::to_string(static_cast<int>(button->GetX())) + "," +
                      std::to_string(static_cast<int>(button->GetY())));
    }
    return shown;
  }

  // The gallery's fixed objects, and others.
  std::vector<const GenericObject*> Controls(std::vector<const GenericObject*> others) const {
    others.insert(others.end(),
                  {m_gallery->GetBackground(), m_gallery->GetUpArrow(), m_gallery->GetDownArrow(),
                   m_gallery->GetExitArt(), m_gallery->GetExitButton()});
    return others;
  }

  std::unique_ptr<FMVDialog> m_gallery;
  std::vector<bool> m_handled;
};

}  // namespace

TEST_F(Gallery, TheProgressRecordUnlocksEachMovieByItsOwnGameAndTheButtonsFillFromTheFront) {
  Start();
  struct Case {
    const char* what;
    std::function<void(PlayerData&)> change;
    Names buttons;
  };
  const auto level = [](int game, int32_t value) {
    return [=](PlayerData& d) { d.games[game].level = value; };
  };
  const Case cases[] = {
      {"a new record", [](PlayerData&) {}, {}},
      {"game 15 done", level(15, 6), {"FMVNameIcon0"}},
      {"game 15 at level 5", level(15, 5), {}},
      {"game 11 done", level(11, 6), {"FMVNameIcon1"}},
      {"game 10 done", level(10, 6), {"FMVNameIcon2"}},
      {"game 14 done", level(14, 6), {"FMVNameIcon3"}},
      {"game 13 beyond its last level", level(13, 7), {"FMVNameIcon4"}},
      {"game 9 visited", [](PlayerData& d) { d.games[9].firstTime = 0; }, {"FMVNameIcon5"}},
      {"game 12 done with a level first", level(12, 6), {}},
      {"all five flags of game 12", [](PlayerData& d) { Unlock(d, 6); }, {"FMVNameIcon6"}},
      {"four flags of game 12",
       [](PlayerData& d) {
         Unlock(d, 6);
         d.games[12].levelFlags[3] = 0;
       },
       {}},
      {"games 9 and 11",
       [](PlayerData& d) {
         Unlock(d, 5);
         Unlock(d, 1);
       },
       {"FMVNameIcon1", "FMVNameIcon5"}},
      {"everything",
       [](PlayerData& d) {
         for (int movie = 0; movie < 7; ++movie) Unlock(d, movie);
       },
       {"FMVNameIcon0", "FMVNameIcon1", "FMVNameIcon2", "FMVNameIcon3", "FMVNameIcon4", "FMVNameIcon5",
        "FMVNameIcon6"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ActivePlayerData = PlayerData();
    c.change(ActivePlayerData);
    FMVDialog gallery("FMVScreen");
    ASSERT_EQ(gallery.GetMovieCount(), static_cast<int32_t>(c.buttons.size()));
    for (int place = 0; place < FMVDialog::kMovieCount; ++place) {
      const Clickable* button = gallery.GetMovieButton(place);
      if (place >= gallery.GetMovieCount()) {
        EXPECT_EQ(button, nullptr);
        continue;
      }
      ASSERT_NE(button, nullptr);
      EXPECT_STREQ(button->GetName(), c.buttons[static_cast<size_t>(place)].c_str());
      // The button shows the sequence of its movie, at a depth of its own, and is listed.
      const uint32_t movie = static_cast<uint32_t>(button->GetName()[11] - '0');
      EXPECT_EQ(button->GetAnimationId(), movie);
      EXPECT_EQ(button->GetZ(), 9919 + static_cast<int32_t>(movie));
      EXPECT_TRUE(button->IsEnabled());
      EXPECT_EQ(gallery.GetObjects().Find(button->GetName()), button);
    }
  }
}

TEST_F(Gallery, EntriesStandAtTheirThreePlacesAndTheArrowsScrollOnlyAsFarAsThereAreMore) {
  Start();
  struct Case {
    std::vector<int> movies;
    std::vector<int32_t> firstShownGoingDown;
  };
  const Case cases[] = {
      {{1, 5}, {0}},
      {{0, 1, 2}, {0}},
      {{0, 2, 4, 6}, {0, 1}},
      {{0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4}},
  };
  const int rows[] = {60, 239, 415};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.movies.size()) + " movies");
    ActivePlayerData = PlayerData();
    for (const int movie : c.movies) Unlock(ActivePlayerData, movie);
    m_gallery = std::make_unique<FMVDialog>("FMVScreen");
    const auto expected = [&](int32_t first) {
      Names shown;
      for (int row = 0; row < 3 && first + row < static_cast<int>(c.movies.size()); ++row) {
        shown.push_back("FMVNameIcon" + std::to_string(c.movies[static_cast<size_t>(first + row)]) + " 140," +
                        std::to_string(rows[row]));
      }
      return shown;
    };
    EXPECT_EQ(ShownEntries(), expected(0));
    // Down as far as it goes, and twice more.
    std::vector<int32_t> seen = {m_gallery->GetFirstShown()};
    for (int press = 0; press < 6; ++press) {
      EXPECT_FALSE(m_gallery->HandleClick(m_gallery->GetDownArrow()));
      if (m_gallery->GetFirstShown() != seen.back()) seen.push_back(m_gallery->GetFirstShown());
      EXPECT_EQ(ShownEntries(), expected(m_gallery->GetFirstShown()));
    }
    EXPECT_EQ(seen, c.firstShownGoingDown);
    // Up returns to the first, and stops there.
    for (int press = 0; press < 6; ++press) EXPECT_FALSE(m_gallery->HandleClick(m_gallery->GetUpArrow()));
    EXPECT_EQ(m_gallery->GetFirstShown(), 0);
    EXPECT_EQ(ShownEntries(), expected(0));
    m_gallery.reset();
  }
}

TEST_F(Gallery, TheNarrationPlaysItsPartsInTurnOnlyOnceTheGalleryFlagIsSet) {
  Start();
  struct Case {
    uint8_t flag;
    Names lines;
  };
  for (const Case& c : {Case{1, {"4440", "4441", "4442"}}, Case{0, {"4450"}}}) {
    SCOPED_TRACE(static_cast<int>(c.flag));
    ActivePlayerData.galleryFlag = c.flag;
    m_sounds.entries.clear();
    Open({});
    ASSERT_NE(m_gallery->GetCaption(), nullptr);
    EXPECT_EQ(m_gallery->GetCaption()->GetEntryCount(), 4u);
    EXPECT_EQ(m_gallery->GetNarrationStep(), c.flag ? 1u : 0u);
    EXPECT_EQ(Started(), Names({c.lines[0]}));
    // Each part starts in the update that finds the one before ended.
    for (size_t part = 1; part < c.lines.size(); ++part) {
      int frames = 0;
      while (Started().size() == part && frames++ < 50) Frame();
      EXPECT_EQ(Started().size(), part + 1);
      EXPECT_EQ(m_gallery->GetNarrationStep(), part == 1 ? 2u : 0u);
      EXPECT_TRUE(m_gallery->GetNarration()->GetEngineSound()->IsPlaying());
    }
    Frames(100);
    EXPECT_EQ(Started(), c.lines);
    EXPECT_EQ(m_gallery->GetNarrationStep(), 0u);
    m_node->HideOverlay(m_gallery.get());
    m_gallery.reset();
  }
}

TEST_F(Gallery, ClicksReachTheNodeAndOnlyTheExitClosesTheGallery) {
  Start();
  Open({0, 1, 2, 3});
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_STREQ(m_gallery->GetBackground()->GetName(), "FMVScreenDialogBG");
  EXPECT_STREQ(m_gallery->GetExitArt()->GetName(), "FMVExit2");
  EXPECT_TRUE(m_gallery->GetExitArt()->IsEnabled());
  for (const auto& [button, file] :
       {std::pair<Clickable*, const char*>{m_gallery->GetExitButton(), "ButtonDown"},
        {m_gallery->GetUpArrow(), "ButtonDown"},
        {m_gallery->GetDownArrow(), "ButtonDown3"}}) {
    ASSERT_NE(button->GetClickSound(), nullptr);
    EXPECT_EQ(button->GetClickSound()->GetEngineSound()->GetName(), file);
  }
  Frame();
  Click(600, 100);  // the background
  Click(420, 320);  // the down arrow
  Click(420, 230);  // the up arrow
  Click(420, 320);
  EXPECT_EQ(m_node->clicks,
            Names({"FMVScreenDialogBG", "FMVArrowSliders1", "FMVArrowSliders0", "FMVArrowSliders1"}));
  EXPECT_EQ(m_gallery->GetFirstShown(), 1);
  EXPECT_EQ(m_node->GetOverlay(), m_gallery.get());
  // The exit's hit area reaches past its art, over the exit art, which takes no click.
  Click(90, 593);
  EXPECT_EQ(m_node->clicks.back(), "FMVExit");
  EXPECT_EQ(m_handled, std::vector<bool>({false, false, false, false, true}));
  EXPECT_EQ(m_node->GetOverlay(), nullptr);
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Gallery, OnADisplayThatBlendsAlphaTheArrowsHaveTheirBlendedArt) {
  Start(1);
  ASSERT_TRUE(m_app.IsAlphaCapable());
  Open({}, false);
  EXPECT_EQ(m_gallery->GetUpArrow()->GetSize().X(), 50);
  EXPECT_EQ(m_gallery->GetDownArrow()->GetSize().X(), 50);
}

TEST_F(Gallery, OnADisplayWithoutAlphaTheArrowsHaveTheirOwnArtAndStandAtTheirPlaces) {
  Start(0);
  ASSERT_FALSE(m_app.IsAlphaCapable());
  Open({}, false);
  GameButton* up = m_gallery->GetUpArrow();
  GameButton* down = m_gallery->GetDownArrow();
  EXPECT_STREQ(up->GetName(), "FMVArrowSliders0");
  EXPECT_STREQ(down->GetName(), "FMVArrowSliders1");
  EXPECT_EQ(up->GetSize().X(), 52);
  EXPECT_EQ(down->GetSize().X(), 52);
  EXPECT_EQ(up->GetX(), 408.0f);
  EXPECT_EQ(up->GetY(), 216.0f);
  EXPECT_EQ(up->GetZ(), 9989);
  EXPECT_EQ(down->GetX(), 410.0f);
  EXPECT_EQ(down->GetY(), 311.0f);
  EXPECT_EQ(down->GetZ(), 9990);
}

TEST_F(Gallery, EachButtonPlaysTheMovieOfItsSequenceAndAnyOtherSequencePlaysThePlaceholder) {
  Start();
  Open({0, 1, 2, 3, 4, 5, 6}, false);
  AppStateLog log;
  for (int place = 0; place < 7; ++place) m_gallery->HandleClick(m_gallery->GetMovieButton(place));
  m_gallery->GetMovieButton(0)->SetAnimation(7, 0);
  m_gallery->HandleClick(m_gallery->GetMovieButton(0));
  Names paused;
  for (const std::string& line : log.lines)
    if (line.rfind("pause ", 0) == 0) paused.push_back(line.substr(6));
  EXPECT_EQ(paused, Names({"ConcentrationFMV", "SubGameFMV", "MoonfishFMV", "ShellFMV", "TurtleFMV",
                           "TribalFMV", "final", "Placeholder"}));
  EXPECT_FALSE(m_gallery->HandleClick(nullptr));
  EXPECT_FALSE(m_gallery->HandleClick(m_node->GetCaptionBar()));
}

TEST_F(Gallery, AMovieThatEndsLeavesTheGamePausedUnderTheGalleryWithItsControlsBack) {
  test::WriteMovieFile("movie.tmp", test::SolidMovie(3, 64, 48, 10));
  m_stage.AddFile("ConcentrationFMV.bik", test::ReadFile("movie.tmp"));
  ActivePlayerData.galleryFlag = 1;
  Start();
  GameSound* hum = m_node->GetSound("hum", "hum", false);
  hum->Play(true, true);
  Open({0, 1});
  EXPECT_TRUE(hum->GetEngineSound()->IsPaused());
  Frame();
  m_sounds.entries.clear();

  // The first part of the narration plays when the movie is chosen; it ends there, for good.
  Click(200, 100);
  EXPECT_EQ(m_node->clicks, Names({"FMVNameIcon0"}));
  ASSERT_TRUE(MoviePlayer::Instance().IsPlaying());
  EXPECT_FALSE(m_gallery->GetNarration()->GetEngineSound()->IsPlaying());
  EXPECT_EQ(m_gallery->GetNarrationStep(), 0u);
  for (const GenericObject* object : Controls({m_gallery->GetMovieButton(0), m_gallery->GetMovieButton(1)}))
    EXPECT_FALSE(Shown(object)) << object->GetName();

  int frames = 0;
  while (MoviePlayer::Instance().IsPlaying() && frames++ < 100) Frame(20);
  ASSERT_FALSE(MoviePlayer::Instance().IsPlaying());
  Frames(20);
  // Nothing spoke over the movie or after it.
  EXPECT_TRUE(Started().empty());
  // The gallery is still the node's overlay: the game and the node's sounds stay paused under it.
  EXPECT_EQ(m_node->GetOverlay(), m_gallery.get());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_TRUE(hum->GetEngineSound()->IsPaused());
  EXPECT_EQ(ShownEntries(), Names({"FMVNameIcon0 140,60", "FMVNameIcon1 140,239"}));
  for (const GenericObject* object : Controls({})) EXPECT_TRUE(Shown(object)) << object->GetName();
  EXPECT_TRUE(m_gallery->GetUpArrow()->IsEnabled());

  // Closing it lets the game and its sounds go on.
  Click(40, 560);
  EXPECT_EQ(m_node->GetOverlay(), nullptr);
  EXPECT_FALSE(m_app.IsPaused());
  EXPECT_TRUE(hum->GetEngineSound()->IsPlaying());
}

// Without the movie buttons' art the gallery is refused half built, with the sprite objects' error,
// and what it had built goes with it.
using GalleryArt = test::DialogStage;

TEST_F(GalleryArt, AGalleryWhoseButtonArtIsMissingThrowsAndLeavesTheNodeAsItWas) {
  for (const char* sprite :
       {"replayMovieBK", "actback_blank", "ActBackArrow", "replayUpArrow_sdl", "replayDownArrow_sdl"})
    AddSprite(sprite, 20, 20);
  Start();
  ActivePlayerData = PlayerData();
  Unlock(ActivePlayerData, 2);
  try {
    FMVDialog gallery("FMVScreen");
    ADD_FAILURE() << "a gallery without its button art was built";
  } catch (const char* error) {
    EXPECT_STREQ(error, "Failed to load sprite 'replay_mov_but'\n");
  }
  Frames(3);
  EXPECT_EQ(m_node->GetOverlay(), nullptr);
  EXPECT_FALSE(m_app.IsPaused());
}

TEST_F(Gallery, TheExitArtIsDrawnOverTheBackgroundInTheOrderTheyWereMade) {
  Start();
  Open({});
  Frame();
  EXPECT_TRUE(ScreenHas(600, 100, test::kDialogRed));
  EXPECT_TRUE(ScreenHas(40, 560, test::kDialogBlue));
  EXPECT_LT(m_gallery->GetBackground()->GetZ(), m_gallery->GetExitButton()->GetZ());
  EXPECT_LT(m_gallery->GetExitButton()->GetZ(), m_gallery->GetExitArt()->GetZ());
  EXPECT_LT(m_gallery->GetExitArt()->GetZ(), m_gallery->GetUpArrow()->GetZ());
}
