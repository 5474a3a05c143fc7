// The prepared save files.
#include "fixture-content/media/PreparedSaves.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

#include "framework/CurrentPlayer.h"
#include "framework/SaveOutputStream.h"

namespace fixture {

namespace {

// The games whose levels make up the overall level, and the others that keep progress.
constexpr uint32_t kLevelGames[] = {10, 11, 13, 14, 15};
constexpr uint32_t kMusicGame = 9;
constexpr uint32_t kDazodOrerGame = 12;
// The mini-games' last level: twenty each, five for the game of node 12.
constexpr int32_t kLastLevel = 20;
constexpr int32_t kDazodOrerLastLevel = 5;

// A player who has signed in once in slot 0 and done nothing yet.
void FreshPlayer(CurrentPlayer& player) {
  player.Reset();
  player.signedIn = 1;
  player.saveSlot = 0;
  player.freshProfile = 0;
}

// A player back from the hub, its view left scrolled to scroll: the way to a game's button.
constexpr uint32_t kHub = 6;
void AtHub(CurrentPlayer& player, uint32_t scroll) {
  FreshPlayer(player);
  player.games[kHub].firstTime = 0;
  player.hubCounter = scroll;
}

// The record's bytes through the game's writer, which writes only to files: into a scratch folder and
// back.
std::string SavedBytes(const std::function<void(CurrentPlayer&)>& prepare) {
  std::string folder = (std::filesystem::temp_directory_path() / "fixture-saves-XXXXXX").string();
  if (!mkdtemp(folder.data())) throw std::runtime_error("no temporary folder for the saves");
  const std::filesystem::path file = std::filesystem::path(folder) / "SaveGame0.sav";
  CurrentPlayer& player = CurrentPlayer::Instance();
  prepare(player);
  SaveOutputStream out;
  const bool written = out.Open(file.c_str()) && (player.Write(out), out.Close());
  player.Reset();
  std::string bytes;
  if (written) {
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  if (bytes.size() != CurrentPlayer::kFileSize)
    throw std::runtime_error("the save writer wrote no whole save");
  return bytes;
}

// A game visited: at the level, to resume at resume, with the prizes of the first levels owned.
void Visit(GameProgress& game, int32_t level, uint32_t resume, int prizes = 0) {
  game.firstTime = 0;
  game.level = level;
  game.gameValue = resume;
  for (int i = 0; i < prizes; ++i) game.levelFlags[i] = 1;
}

// A player just signed in who has visited the one game and nothing else.
std::string VisitedBytes(uint32_t id, int32_t level, uint32_t resume, int prizes = 0) {
  return SavedBytes([=](CurrentPlayer& player) {
    FreshPlayer(player);
    Visit(player.games[id], level, resume, prizes);
  });
}

}  // namespace

std::vector<PreparedSave> PreparedSaves() {
  std::vector<PreparedSave> saves;
  saves.push_back({"fresh.sav", "a player just signed in: nothing visited, every game at level 1",
                   SavedBytes(FreshPlayer)});
  saves.push_back({"level2.sav",
                   "games 10, 11, 13, 14 and 15 at level 2 (overall level 0), the music game visited",
                   SavedBytes([](CurrentPlayer& player) {
                     FreshPlayer(player);
                     for (const uint32_t game : kLevelGames) {
                       player.games[game].firstTime = 0;
                       player.games[game].level = 2;
                       player.games[game].levelFlags[0] = 1;
                     }
                     player.games[kMusicGame].firstTime = 0;
                   })});
  saves.push_back({"highscore.sav",
                   "the new-high-score byte set; high scores 10: 1200, 11: 850, 13: 640, 14: 300, 15: 975; "
                   "games at level 3 with the prizes of levels 1 and 2",
                   SavedBytes([](CurrentPlayer& player) {
                     FreshPlayer(player);
                     constexpr uint32_t kScores[] = {1200, 850, 640, 300, 975};
                     for (size_t i = 0; i < std::size(kLevelGames); ++i) {
                       GameProgress& game = player.games[kLevelGames[i]];
                       game.firstTime = 0;
                       game.level = 3;
                       game.highScore = kScores[i];
                       game.levelFlags[0] = 1;
                       game.levelFlags[1] = 1;
                     }
                     player.newResult = 1;
                   })});
  saves.push_back(
      {"lastlevel.sav",
       "every game at its last level (20; 5 for game 12) with all prizes, the music game visited, "
       "game 12's final level won: every gallery movie unlocked",
       SavedBytes([](CurrentPlayer& player) {
         FreshPlayer(player);
         for (const uint32_t id : kLevelGames) {
           GameProgress& game = player.games[id];
           game.firstTime = 0;
           game.level = kLastLevel;
           for (uint8_t& flag : game.levelFlags) flag = 1;
         }
         GameProgress& dazodOrer = player.games[kDazodOrerGame];
         dazodOrer.firstTime = 0;
         dazodOrer.level = kDazodOrerLastLevel;
         dazodOrer.gameFlag = 1;
         for (uint8_t& flag : dazodOrer.levelFlags) flag = 1;
         player.games[kMusicGame].firstTime = 0;
         player.galleryFlag = 1;
       })});
  // The swim game's entry (12): its highest level won, next to the overall level of the other games.
  saves.push_back({"game6-won4.sav",
                   "games 10, 11, 13, 14 and 15 done (overall level 4), game 12 visited with levels 1 to 4 won "
                   "and their prizes, its final level not yet won",
                   SavedBytes([](CurrentPlayer& player) {
                     FreshPlayer(player);
                     for (const uint32_t id : kLevelGames) {
                       player.games[id].firstTime = 0;
                       player.games[id].level = kLastLevel;
                     }
                     GameProgress& dazodOrer = player.games[kDazodOrerGame];
                     dazodOrer.firstTime = 0;
                     dazodOrer.level = 5;
                     dazodOrer.gameValue2 = 4;
                     for (int i = 0; i < 4; ++i) dazodOrer.levelFlags[i] = 1;
                   })});
  saves.push_back({"game6-won-minus7.sav", "game 12 visited, its highest-level-won word -7",
                   SavedBytes([](CurrentPlayer& player) {
                     FreshPlayer(player);
                     player.games[kDazodOrerGame].firstTime = 0;
                     player.games[kDazodOrerGame].gameValue2 = static_cast<uint32_t>(-7);
                   })});
  // The shape game's entry (10): at level 5 with the first four prizes, past the last level, and last
  // played levels outside the game.
  constexpr uint32_t kShapeGame = 10;
  saves.push_back({"game4-level5.sav", "game 10 visited, at level 5 with the prizes of levels 1 to 4",
                   VisitedBytes(kShapeGame, 5, 5, 4)});
  saves.push_back({"game4-level12.sav", "game 10 visited, at level 12", VisitedBytes(kShapeGame, 12, 12)});
  for (int32_t last : {0, 99}) {
    saves.push_back({"game4-last" + std::to_string(last) + ".sav",
                     "game 10 visited, at level 3, last played level " + std::to_string(last),
                     VisitedBytes(kShapeGame, 3, static_cast<uint32_t>(last))});
  }
  // The memory game's entry (15): the level to resume at below, inside and above the levels that exist.
  constexpr uint32_t kMemoryGame = 15;
  saves.push_back({"game9-level20.sav", "game 15 visited, at level 20, resuming at level 13",
                   VisitedBytes(kMemoryGame, kLastLevel, 13)});
  saves.push_back({"game9-prize1.sav", "game 15 visited, at level 2 with the prize of level 1, resuming at 1",
                   VisitedBytes(kMemoryGame, 2, 1, 1)});
  for (const uint32_t resume : {0u, 99u}) {
    saves.push_back({"game9-resume" + std::to_string(resume) + ".sav",
                     "game 15 visited, at level 20, resuming at level " + std::to_string(resume),
                     VisitedBytes(kMemoryGame, kLastLevel, resume)});
  }
  // Damaged files: a record cut short, bytes that are no record, and a record naming a slot that does
  // not exist.
  saves.push_back({"short.sav", "11 bytes: the record's header only", SavedBytes(FreshPlayer).substr(0, 11)});
  std::string garbage(CurrentPlayer::kFileSize, '\0');
  uint32_t state = 0x2545F491u;
  for (char& byte : garbage) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<char>(state >> 24);
  }
  saves.push_back({"garbage.sav", "a save's length of pseudo-random bytes", garbage});
  saves.push_back(
      {"slot9.sav", "a fresh player whose record names save slot 9", SavedBytes([](CurrentPlayer& player) {
         FreshPlayer(player);
         player.saveSlot = 9;
       })});
  // The music game's entry (9), the hub visited and scrolled so that its button stands well inside the
  // view (the button's area is x 980 to 1105 of the panorama): before and after the first visit.
  constexpr uint32_t kMusicButtonScroll = 700;
  for (const bool visited : {false, true}) {
    saves.push_back({visited ? "game3-second.sav" : "game3-first.sav",
                     std::string("the hub visited and scrolled to ") + std::to_string(kMusicButtonScroll) +
                         ", the music game " + (visited ? "visited" : "not yet visited"),
                     SavedBytes([visited](CurrentPlayer& player) {
                       AtHub(player, kMusicButtonScroll);
                       player.games[kMusicGame].firstTime = visited ? 0 : 1;
                     })});
  }
  // The shell game's entry (14): at level 5 with the first four prizes, and the level to resume at
  // below and above the levels that exist.
  constexpr uint32_t kShellGame = 14;
  saves.push_back({"game8-level5.sav", "game 14 visited, at level 5 with the prizes of levels 1 to 4, resuming at 5",
                   VisitedBytes(kShellGame, 5, 5, 4)});
  for (const uint32_t resume : {0u, 99u}) {
    saves.push_back({"game8-resume" + std::to_string(resume) + ".sav",
                     "game 14 visited, at level 3, resuming at level " + std::to_string(resume),
                     VisitedBytes(kShellGame, 3, resume)});
  }
  // The hub visited and turned to the shell game's button, the game never visited: its way in from
  // the hub.
  saves.push_back({"game8-hub.sav", "hub visited, scroll 1400 (the shell game's button in view), game 14 not visited",
                   SavedBytes([](CurrentPlayer& player) {
                     AtHub(player, 1400);
                   })});
  // The hub seen before and its view scrolled to the shape game's button (panorama x 2770 to 2978),
  // the shape game not yet visited.
  saves.push_back({"game4-hub.sav", "the hub visited, its view at 2500, game 10 not visited",
                   SavedBytes([](CurrentPlayer& player) {
                     AtHub(player, 2500);
                   })});
  // The submarine ball game's way in: the hub seen, its view on the game's door, the game itself new.
  saves.push_back({"game5-new.sav", "the hub visited, its view scrolled to 2000, game 11 not yet visited",
                   SavedBytes([](CurrentPlayer& player) {
                     AtHub(player, 2000);
                   })});
  // A returning player who finds the memory game's button in view: the hub visited and scrolled to
  // 1400, game 15 at level 2 and resuming there, a high score of one won twelve-card board, level 2's
  // prize owned and level 1's not.
  saves.push_back({"game9-hub.sav",
                   "the hub visited at scroll 1400; game 15 visited, at level 2 resuming at 2, high score 85, "
                   "the prize of level 2 owned",
                   SavedBytes([](CurrentPlayer& player) {
                     AtHub(player, 1400);
                     Visit(player.games[kMemoryGame], 2, 2);
                     player.games[kMemoryGame].highScore = 85;
                     player.games[kMemoryGame].levelFlags[1] = 1;
                   })});
  // The turtle ride's way in: the hub seen, its view at 0 where the ride's button stands, the ride new.
  saves.push_back({"game7-hub.sav", "the hub visited, its view at 0, game 13 not yet visited",
                   SavedBytes([](CurrentPlayer& player) {
                     AtHub(player, 0);
                   })});
  return saves;
}

}  // namespace fixture
