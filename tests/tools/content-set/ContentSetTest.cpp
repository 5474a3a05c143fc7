// The generated content set read through the game's own readers: every sprite loads with the
// animations and end modes the manifest lists, every object file loads with unique names and the
// manifest's objects, every wave opens as one the mixer plays, every text resource and caption file
// loads; and the names the screens' code asks for are there while the code does not define them twice.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/DatabaseManager.h"
#include "core/ResourceAddress.h"
#include "fixture-content/ContentDatabases.h"
#include "framework/ActiveGameButton.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/ChangeNodeButton.h"
#include "framework/Clickable.h"
#include "framework/ClosedCaption.h"
#include "framework/GameButton.h"
#include "framework/LevelBanner.h"
#include "framework/GameClock.h"
#include "framework/GameSpriteLoader.h"
#include "framework/GenericObject.h"
#include "framework/IHasLoadableTxtData.h"
#include "framework/MainApp.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/ObjectList.h"
#include "framework/TxtDataManager.h"
#include "game6/Game6Pilo.h"
#include "graphics/SpriteData.h"
#include "graphics/SpriteLoader.h"
#include "sound/CWaveStream.h"
#include "support/ObjectStage.h"
#include "support/WindowsPath.h"

namespace {

namespace fs = std::filesystem;

const fs::path kContent = QEL_CONTENT_DIR;

// Just enough JSON for the manifest: objects, arrays, strings without escapes other than \" and \\,
// integers and the three words.
struct Json {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = Kind::kNull;
  bool boolean = false;
  long long number = 0;
  std::string text;
  std::vector<Json> items;
  // An object's members, in file order.
  std::vector<std::string> keys;
  std::vector<Json> values;

  const Json& operator[](const std::string& key) const;
  std::vector<std::pair<std::string, Json>> Members() const;
};

const Json& Json::operator[](const std::string& key) const {
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == key) return values[i];
  }
  static const Json none;
  return none;
}

std::vector<std::pair<std::string, Json>> Json::Members() const {
  std::vector<std::pair<std::string, Json>> members;
  for (size_t i = 0; i < keys.size(); ++i) members.emplace_back(keys[i], values[i]);
  return members;
}

class JsonReader {
public:
  explicit JsonReader(std::string text) : m_text(std::move(text)) {}

  Json Read() {
    Skip();
    Json value;
    const char c = Peek();
    if (c == '{') {
      value.kind = Json::Kind::kObject;
      ++m_at;
      for (Skip(); Peek() != '}'; Skip()) {
        value.keys.push_back(String());
        Expect(':');
        value.values.push_back(Read());
        Skip();
        if (Peek() == ',') ++m_at;
      }
      ++m_at;
    } else if (c == '[') {
      value.kind = Json::Kind::kArray;
      ++m_at;
      for (Skip(); Peek() != ']'; Skip()) {
        value.items.push_back(Read());
        Skip();
        if (Peek() == ',') ++m_at;
      }
      ++m_at;
    } else if (c == '"') {
      value.kind = Json::Kind::kString;
      value.text = String();
    } else if (c == 't' || c == 'f' || c == 'n') {
      const std::string word = c == 't' ? "true" : c == 'f' ? "false" : "null";
      if (m_text.compare(m_at, word.size(), word) != 0) throw std::runtime_error("bad word in the manifest");
      m_at += word.size();
      value.kind = c == 'n' ? Json::Kind::kNull : Json::Kind::kBool;
      value.boolean = c == 't';
    } else {
      size_t used = 0;
      value.kind = Json::Kind::kNumber;
      value.number = std::stoll(m_text.substr(m_at, 24), &used);
      m_at += used;
    }
    return value;
  }

private:
  char Peek() const {
    if (m_at >= m_text.size()) throw std::runtime_error("the manifest ends early");
    return m_text[m_at];
  }
  void Skip() {
    while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at]))) ++m_at;
  }
  void Expect(char c) {
    Skip();
    if (Peek() != c) throw std::runtime_error(std::string("the manifest lacks '") + c + "'");
    ++m_at;
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (Peek() != '"') {
      if (m_text[m_at] == '\\') ++m_at;
      out += Peek();
      ++m_at;
    }
    ++m_at;
    return out;
  }

  std::string m_text;
  size_t m_at = 0;
};

Json ReadManifest() {
  std::ifstream in(kContent / "manifest.json", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return JsonReader(text.str()).Read();
}

std::string Folded(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The play mode a sprite file stores for the manifest's end mode.
int16_t PlayModeOf(const std::string& end) {
  if (end == "stop") return 0;
  if (end == "hold") return 1;
  if (end == "chain") return 3;
  return 2;
}

class NoKeys : public IHasLoadableTxtData {
public:
  void SetTxtValue(const char*, const char*) override { ++pairs; }
  int pairs = 0;
};

// The content's databases added as the game adds them: from "hdpath", in the language and universal
// folders, Global always and the one a screen adds on top.
class ContentSet : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kContent / "manifest.json")) << "the content fixture did not run";
    ASSERT_TRUE(stage.IsReady());
    manifest = ReadManifest();
    ASSERT_TRUE(Qel::DatabaseManager::GetInstance()->Init("", test::WindowsPathOf(kContent), "eng_usa"));
    Qel::DatabaseManager::GetInstance()->AddDatabase("Global");
    // The object files also name the classes a mini-game teaches the factory when its node starts.
    Game6Node::Game6Pilo::RegisterClass();
  }

  // The databases' names, each once (a database has a language and a universal half).
  std::set<std::string> DatabaseNames() const {
    std::set<std::string> names;
    for (const auto& [key, database] : manifest["databases"].Members()) names.insert(database["name"].text);
    return names;
  }

  // Runs check with Global and the database added, then takes the database away again.
  template <typename Check>
  void WithDatabase(const std::string& name, Check check) {
    Qel::DatabaseManager* databases = Qel::DatabaseManager::GetInstance();
    if (name != "Global") databases->AddDatabase(name);
    check();
    if (name != "Global") databases->RemoveDatabase(name);
    RenewSpriteLoader();
  }

  test::ObjectStage stage;
  Json manifest;
};

TEST_F(ContentSet, EverySpriteLoadsWithTheManifestsAnimationsAndEndModes) {
  size_t sprites = 0;
  for (const auto& [key, database] : manifest["databases"].Members()) {
    WithDatabase(database["name"].text, [&, &key = key, &database = database] {
      for (const auto& [name, sprite] : database["sprites"].Members()) {
        SCOPED_TRACE(key + "/" + name);
        Qel::SpriteData data;
        const auto loaded =
            GetSpriteLoader().LoadSprite(Qel::NameHash(name.c_str()), GetApp().GetDisplay(), 0,
                                         &GameClock::Instance(), true, false, nullptr, &data);
        ASSERT_TRUE(loaded);
        const Json& animations = sprite["animations"];
        ASSERT_EQ(data.m_animations.size(), animations.items.size());
        for (size_t a = 0; a < animations.items.size(); ++a) {
          const Json& animation = animations.items[a];
          EXPECT_EQ(data.m_animations[a].m_frames.size(), static_cast<size_t>(animation["frames"].number))
              << a;
          EXPECT_EQ(data.m_animations[a].m_playMode, PlayModeOf(animation["end"].text)) << a;
          if (animation["end"].text == "chain") {
            EXPECT_EQ(data.m_animations[a].m_nextAnimation, animation["next"].number) << a;
            EXPECT_LT(animation["next"].number, static_cast<long long>(animations.items.size())) << a;
          }
        }
        ++sprites;
      }
    });
  }
  EXPECT_GT(sprites, 100u);
}

TEST_F(ContentSet, EveryObjectFileLoadsWithUniqueNamesAndTheManifestsObjects) {
  for (const auto& [key, database] : manifest["databases"].Members()) {
    WithDatabase(database["name"].text, [&, &key = key, &database = database] {
      for (const auto& [file, objects] : database["objectFiles"].Members()) {
        SCOPED_TRACE(key + "/" + file);
        ObjectList list;
        std::string thrown;
        try {
          EXPECT_TRUE(ObjectDefinitionLoader::Instance().Load(file.c_str(), list));
        } catch (const char* text) {
          thrown = text;
        }
        EXPECT_EQ(thrown, "");
        std::set<std::string> names;
        EXPECT_EQ(list.GetCount(), static_cast<int32_t>(objects.items.size()));
        for (const Json& object : objects.items) {
          EXPECT_TRUE(names.insert(Folded(object["name"].text)).second) << object["name"].text;
          GenericObject* loaded = list.Find(object["name"].text.c_str());
          ASSERT_NE(loaded, nullptr) << object["name"].text;
          EXPECT_EQ(loaded->GetX(), static_cast<float>(object["x"].number)) << object["name"].text;
          EXPECT_EQ(loaded->GetY(), static_cast<float>(object["y"].number)) << object["name"].text;
          const std::string& kind = object["class"].text;
          const bool classHolds = (kind == "ambient" && dynamic_cast<Ambient*>(loaded)) ||
                                  (kind == "background" && dynamic_cast<Background*>(loaded)) ||
                                  (kind == "gamebutton" && dynamic_cast<GameButton*>(loaded)) ||
                                  (kind == "clickable" && dynamic_cast<Clickable*>(loaded)) ||
                                  (kind == "ActiveGameButton" && dynamic_cast<ActiveGameButton*>(loaded)) ||
                                  (kind == "changenodebutton" && dynamic_cast<ChangeNodeButton*>(loaded)) ||
                                  (kind == "LevelBanner" && dynamic_cast<LevelBanner*>(loaded)) ||
                                  (kind == "Game6Pilo" && dynamic_cast<Game6Node::Game6Pilo*>(loaded));
          EXPECT_TRUE(classHolds) << object["name"].text << " is no " << kind;
        }
        while (GenericObject* object = list.At(0)) {
          list.Remove(object);
          delete object;
        }
      }
    });
  }
}

// The objects each screen looks up in its object files, and the names it creates itself (a second
// object of such a name ends the game).
TEST_F(ContentSet, ObjectFilesHoldWhatTheScreensLookUpAndNothingTheyCreate) {
  struct Lookups {
    const char* file;
    std::vector<std::string> names;
  };
  std::vector<Lookups> lookups = {
      {"SignInObjs", {"portrait", "Playbut", "Deletebut", "ccOnOff"}},
      {"SignInObjs_sdl", {"portrait", "Playbut", "Deletebut", "ccOnOff"}},
      {"HubObjs",
       {"dazodorer1", "dazodorer2", "tribal1", "moonfish1", "shellgame1", "feeding1", "concentration1",
        "helpButton"}},
      {"HubObjsLowMem",
       {"dazodorer1", "dazodorer2", "tribal1", "moonfish1", "shellgame1", "feeding1", "concentration1",
        "helpButton"}},
      {"GAME9_Concentration",
       {"helpButton", "banner", "Zelka", "Zelka_head", "blank_head", "SliderOnesNum", "SliderTensNum",
        "PointsOnesNum", "PointsTensNum", "PointsHundredsNum", "PointsThousandsNum", "PointsTenThousandsNum"}},
      {"GAME5_Sub", {"banner", "zelka", "zelkahead"}},
      {"creditsobjs", {}},
  };
  for (int page = 1; page <= 16; ++page) lookups.back().names.push_back("credits" + std::to_string(page));

  std::set<std::string> created = {"fakeportrait",
                                   "exitbtnsi",
                                   "fefloaterfish1",
                                   "sihelpm7tk",
                                   "fenamedisplay",
                                   "kxloadscreenxlm1",
                                   "hubprogress",
                                   "anyname2",
                                   "fmv",
                                   "gm5dismissbox",
                                   "demotitle1",
                                   "demonext1",
                                   "demoexit1",
                                   "tribaltitle1",
                                   "nodecctext",
                                   "nodeccname",
                                   "nodeccbar",
                                   "turtle surf",
                                   "turtle surf wraparound",
                                   "tribal music",
                                   "sub chase",
                                   "dazodorer",
                                   "dazodorer wraparound",
                                   "dazodorer cheat",
                                   "dazodorer cheat wraparound",
                                   "fullmontygame",
                                   "concentrationaghh"};
  for (int i = 1; i <= 5; ++i) created.insert("hubbk" + std::to_string(i));
  // Names only one node makes: other nodes' files may use them for objects of their own.
  const std::map<std::string, std::string> madeOnlyBy = {
      {"sliderleft", "GAME9_Concentration"}, {"sliderright", "GAME9_Concentration"},
      {"exit1", "GAME9_Concentration"},      {"moonfish", "HubObjs"}};
  for (int i = 0; i < 18; ++i) created.insert("card" + std::to_string(i));
  for (int i = 0; i < 16; ++i) created.insert("sandbackground" + std::to_string(i));
  for (int i = 0; i < 4; ++i) created.insert("fg" + std::to_string(i));
  for (int i = 0; i < 5; ++i) created.insert("siambbubblestrm" + std::to_string(i));
  for (int i = 0; i < 20; ++i) created.insert("hubambbubble" + std::to_string(i));
  for (int i = 0; i < 6; ++i) {
    for (const char* state : {"used", "unused", "unused_sdl"})
      created.insert("char" + std::to_string(i) + state);
  }
  for (const char* member : {"pilo", "tovin", "zelka"}) {
    for (const char* part : {"_right", "_left", "_mouth_r", "_mouth_l"})
      created.insert(std::string(member) + part);
  }
  // The submarine ball game's.
  for (const char* name : {"gm5main_bk1", "gm5next1", "gm5navbar3", "gm5helpbtnk8tm", "gm5leftmask1",
                           "gm5rightmask1", "gm5ballpipe", "gm5pilo1", "gm5ball", "gm5garmo",
                           "gm5garmowinlosexl76m", "gm5garmoiconlt44", "levelsliderdn", "levelsliderup"})
    created.insert(name);
  for (int i = 0; i < 3; ++i) {
    for (const char* prefix : {"gm5soliddr5ht", "gm5kelpicon", "gm5balldeflectbubm2l3"})
      created.insert(prefix + std::to_string(i));
  }
  for (int i = 0; i < 5; ++i) created.insert("gm5scoreicon" + std::to_string(i));
  for (int i = 0; i < 2; ++i) created.insert("gm5levelnumicon" + std::to_string(i));
  for (int i = 0; i < 20; ++i) created.insert("gm5ballbubblexm7z" + std::to_string(i));
  for (int i = 0; i < 6; ++i) created.insert("gm5jellyfishtyr" + std::to_string(i));

  std::map<std::string, std::set<std::string>> files;
  for (const auto& [key, database] : manifest["databases"].Members()) {
    for (const auto& [file, objects] : database["objectFiles"].Members()) {
      for (const Json& object : objects.items) {
        files[file].insert(Folded(object["name"].text));
        const std::string name = Folded(object["name"].text);
        const auto only = madeOnlyBy.find(name);
        const bool made = only == madeOnlyBy.end() ? created.count(name) != 0 : file.rfind(only->second, 0) == 0;
        EXPECT_FALSE(made) << file << " defines " << object["name"].text;
      }
    }
  }
  for (const Lookups& lookup : lookups) {
    ASSERT_EQ(files.count(lookup.file), 1u) << lookup.file;
    for (const std::string& name : lookup.names)
      EXPECT_EQ(files[lookup.file].count(Folded(name)), 1u) << lookup.file << " lacks " << name;
  }
}

// The sprites each screen's code names, with the database it adds (Global is always there).
TEST_F(ContentSet, SpritesTheScreensNameLoad) {
  std::vector<std::string> global = {
      "Cursor",         "ccBar",         "blank",           "DialogBox",         "DialogBox_2",
      "Pilo_yes",       "Pilo_No",       "ActBackArrow",    "ActBackArrow_sdl",  "HelpButton",
      "loading_gen1",   "loading_gen2",  "help_bkg",        "help_overlay",      "replayMovieBK",
      "actback_blank",  "replayUpArrow", "replayDownArrow", "replayUpArrow_sdl", "replayDownArrow_sdl",
      "replay_mov_but", "prog_main",     "prog_gametitle",  "prog_turtle",       "prog_moon",
      "prog_shark",     "prog_monty",    "prog_conc",       "prog_numbers",      "prog_supertitle",
      "prog_trophys",   "prog_superopen"};
  for (int i = 0; i < 6; ++i) global.push_back("ProgIcon" + std::to_string(i));
  std::vector<std::string> signIn = {"SignIn_fishAmbients", "Catch_bubblestream", "Catch_bubblestream2"};
  for (int i = 0; i < 6; ++i) {
    for (const char* state : {"Used", "UnUsed", "UnUsed_sdl"})
      signIn.push_back("Char" + std::to_string(i) + state);
  }
  std::vector<std::string> hub = {"BubbleRise",     "ReplayMovie",  "SSBut",        "loading_turtl",
                                  "loading_tribal", "loading_moon", "loading_feed", "loading_super",
                                  "loading_monty",  "loading_conc"};
  for (int i = 1; i <= 4; ++i) {
    for (const char* prefix : {"Hub_", "sdl_Hub_bkg", "Fore_Hub"}) hub.push_back(prefix + std::to_string(i));
  }
  for (const char* member : {"Pilo", "Tovin", "Zelka"}) {
    for (const char* side : {"R", "L"}) {
      hub.push_back(std::string(member) + "_Hub_" + side);
      hub.push_back("Hub_" + std::string(member) + "_Talk_" + side);
    }
  }
  const std::vector<std::pair<std::string, std::vector<std::string>>> screens = {
      {"Global", global},
      {"SignIn", signIn},
      {"HUB", hub},
      {"SharkDemo", {"Main_title", "ForwardArrow"}},
      {"UpsellDemo", {"Main_title", "ForwardArrow"}},
      {"TribalDemo", {"loading_tribal", "SignInPlayBut"}},
      {"Game9",
       {"RockPilo", "RockBlennyHard", "CardBackground1", "CardBackground16", "LevelArrowBack", "LevelArrowForward",
        "ActBackArrow", "ActBackArrow_sdl", "loading_gen1"}},
      {"GAME5",
       {"FF_Background", "ActNavBackground", "ActNavBackground_sdl", "FF_Front_left", "FF_Front_right",
        "feeding_Frenzy_Pipe", "FeedingFrenzy_Pilo", "KelpBall", "FeedingFrenzy_Garmo", "FF_left_door",
        "FF_midl_door", "FF_rght_door", "GarmoKelp", "GarmoKelp_sdl", "smNumbers", "Chances", "LevelNumbers",
        "LevelArrowBack", "LevelArrowForward", "BubbleRise", "DeflectBubble", "FF_JellyFish_Back",
        "FF_JellyFish_Front"}},
  };
  for (const auto& [database, sprites] : screens) {
    WithDatabase(database, [&, &database = database, &sprites = sprites] {
      for (const std::string& name : sprites) {
        EXPECT_TRUE(GetSpriteLoader().LoadSprite(Qel::NameHash(name.c_str()), GetApp().GetDisplay(), 0,
                                                 &GameClock::Instance(), true, true, nullptr, nullptr))
            << database << ": " << name;
      }
    });
  }
}

TEST_F(ContentSet, EveryWaveOpensAsTheMixerPlaysItWithTheManifestsLength) {
  size_t sounds = 0;
  for (const auto& [key, database] : manifest["databases"].Members()) {
    for (const auto& [name, sound] : database["sounds"].Members()) {
      SCOPED_TRACE(key + "/" + name);
      Qel::CWaveStream wave;
      const std::string path = test::WindowsPathOf(kContent / key / (name + ".wav"));
      ASSERT_EQ(wave.Open(path.c_str(), nullptr, Qel::CWaveStream::kRead), 0);
      ASSERT_NE(wave.GetFormat(), nullptr);
      EXPECT_EQ(wave.GetFormat()->nSamplesPerSec, static_cast<uint32_t>(sound["rate"].number));
      EXPECT_EQ(wave.GetFormat()->nChannels, 1);
      EXPECT_EQ(wave.GetFormat()->wBitsPerSample, 16);
      EXPECT_EQ(wave.GetSize(), static_cast<uint32_t>(sound["frames"].number) * 2);
      EXPECT_GT(sound["ms"].number, 0);
      ++sounds;
    }
  }
  EXPECT_GE(sounds, 8u);
}

// Every text resource reads as key = value data, and every file of a language folder as captions
// whose entries match its lines.
TEST_F(ContentSet, EveryTextResourceAndCaptionFileLoads) {
  size_t files = 0;
  for (const auto& [key, database] : manifest["databases"].Members()) {
    const fs::path folder = kContent / key;
    if (!fs::is_directory(folder)) continue;
    WithDatabase(database["name"].text, [&, &key = key] {
      for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(key + "/" + name);
        NoKeys sink;
        EXPECT_TRUE(TxtDataManager::Instance().LoadTxtData(name.c_str(), sink));
        if (key.rfind("eng_usa/", 0) == 0) {
          ClosedCaption caption(nullptr, nullptr, nullptr, true);
          EXPECT_TRUE(caption.Load(name.c_str()));
          std::ifstream in(entry.path());
          size_t lines = 0;
          for (std::string line; std::getline(in, line);) lines += !line.empty() && line[0] != ';' ? 1 : 0;
          EXPECT_EQ(caption.GetEntryCount(), lines);
        }
        ++files;
      }
    });
  }
  EXPECT_GT(files, 10u);
}

// The lines that flows wait for are in the tables, with their captions where the rooms look for them.
TEST(ContentTables, LinesThatFlowsWaitForHaveCaptions) {
  // A line name is unique within its database; games share names ("6000"), each in its own folder.
  std::map<std::string, std::set<std::string>> captionFilesOf;
  for (const fixture::DatabaseSpec& database : fixture::AllDatabases()) {
    std::set<std::string> names;
    for (const fixture::SpokenLineSpec& line : database.m_spokenLines) {
      EXPECT_TRUE(names.insert(line.m_name).second) << line.m_name << " twice in " << database.m_name;
      captionFilesOf[line.m_name].insert(line.m_captionFile);
      EXPECT_FALSE(line.m_caption.empty()) << line.m_name;
    }
  }
  const std::vector<std::pair<const char*, const char*>> waited = {
      {"5089", "SignIn"},    {"0120", "SignIn"},    {"0100", "SignIn"}, {"0010", "SignIn"},
      {"0012", "SignIn"},    {"0091", "SignIn"},    {"0121", "SignIn"}, {"5083", "SignIn"},
      {"4440", "FMVScreen"}, {"4442", "FMVScreen"}, {"0180", "Hub"},    {"0304", "Hub"},
      {"1271", "Hub"},       {"1930", "Hub"}};
  for (const auto& [line, file] : waited) EXPECT_EQ(captionFilesOf[line].count(file), 1u) << line;
}

}  // namespace
