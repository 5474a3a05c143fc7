// The hub: activation with its layout, the clicks and typed characters, resumption and deactivation.
#include "frontend/HubNode.h"

#include <cstdio>

#include "core/DatabaseManager.h"
#include "core/Point2.h"
#include "core/Rect.h"
#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/CurrentPlayer.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/GameSpriteLoader.h"
#include "framework/MainApp.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/Player.h"
#include "framework/SaveGameManager.h"
#include "framework/SpriteObject.h"
#include "frontend/CHubHud.h"
#include "frontend/HubHotspot.h"
#include "graphics/SceneObject.h"

// When a scenery button is made, and which hover area belongs to it.
struct HubNode::GameButtonRow {
  enum class When { kAlways, kPastFirstLevel, kCheatMode };

  const char* name;
  const char* sprite;
  int32_t x, y;
  // Zero for none.
  int32_t hotspotWidth, hotspotHeight;
  bool hasArea;
  int32_t left, top, right, bottom;
  int32_t target;
  const char* loadingArt;
  When when;
};

namespace {

constexpr const char* kDatabase = "HUB";
constexpr const char* kObjectFile = "HubObjs";
constexpr const char* kLowSpecObjectFile = "HubObjsLowMem";
constexpr const char* kMusic = "HUB_music_tempMSB";
constexpr const char* kRoomData = "Hub_roomdata";
constexpr const char* kCaptions = "Hub";
constexpr const char* kSpeakerPoses = "SubRm1_TovinPos";
constexpr const char* kAmbientName = "Hubambientsfx";
constexpr const char* kAmbientFile = "underwater_amb_01";
constexpr const char* kBackArt = "loading_gen2";
constexpr int32_t kButtonDepth = 41;

// The sign-in screen's picture of each save slot stands on the progress button.
constexpr const char* kProgressIcons[] = {"ProgIcon0", "ProgIcon1", "ProgIcon2",
                                          "ProgIcon3", "ProgIcon4", "ProgIcon5"};

struct PanelSpec {
  const char* name;
  const char* sprite;
  const char* lowSpecSprite;
  int32_t depth;
};
constexpr PanelSpec kPanels[HubNode::kPanelCount] = {
    {"HubBk1", "Hub_1", "sdl_Hub_bkg1", 0}, {"HubBk2", "Hub_2", "sdl_Hub_bkg2", 1},
    {"HubBk3", "Hub_3", "sdl_Hub_bkg3", 0}, {"HubBk4", "Hub_4", "sdl_Hub_bkg4", 0},
    {"HubBk5", "Hub_1", "sdl_Hub_bkg1", 0},
};

struct StripSpec {
  const char* name;
  const char* sprite;
  int32_t depth;
};
constexpr StripSpec kStrips[HubNode::kStripCount] = {{"fg0", "Fore_Hub1", 134},
                                                     {"fg1", "Fore_Hub2", 135},
                                                     {"fg2", "Fore_Hub3", 136},
                                                     {"fg3", "Fore_Hub4", 137}};

struct SpriteSpec {
  const char* name;
  const char* sprite;
  int32_t depth;
};
// Per fish: right body, left body, right mouth, left mouth.
constexpr SpriteSpec kCastSprites[HubNode::kCastCount][4] = {
    {{"Pilo_Right", "Pilo_Hub_R", 110},
     {"Pilo_Left", "Pilo_Hub_L", 114},
     {"Pilo_Mouth_R", "Hub_Pilo_Talk_R", 127},
     {"Pilo_Mouth_L", "Hub_Pilo_Talk_L", 124}},
    {{"Tovin_Right", "Tovin_Hub_R", 112},
     {"Tovin_Left", "Tovin_Hub_L", 115},
     {"Tovin_Mouth_R", "Hub_Tovin_Talk_R", 128},
     {"Tovin_Mouth_L", "Hub_Tovin_Talk_L", 125}},
    {{"Zelka_Right", "Zelka_Hub_R", 113},
     {"Zelka_Left", "Zelka_Hub_L", 116},
     {"Zelka_Mouth_R", "Hub_Zelka_Talk_R", 129},
     {"Zelka_Mouth_L", "Hub_Zelka_Talk_L", 126}},
};
// Where the mouths wait until a fish first speaks.
constexpr float kMouthParkX = 1000.0f;
constexpr float kMouthParkY = -1000.0f;

// The six speakers: Tovin, Pilo and Zelka on the right side, then the same on the left.
struct SpeakerSpec {
  const char* body;
  const char* head;
};
constexpr SpeakerSpec kSpeakers[6] = {
    {"Tovin_Right", "Tovin_mouth_R"}, {"Pilo_Right", "Pilo_mouth_R"}, {"Zelka_Right", "Zelka_mouth_R"},
    {"Tovin_Left", "Tovin_Mouth_L"},  {"Pilo_Left", "Pilo_mouth_L"},  {"Zelka_Left", "Zelka_mouth_L"},
};
// The speaker of each fish on the right side; the left side's is three further on.
constexpr int32_t kRightSpeaker[HubNode::kCastCount] = {1, 0, 2};
constexpr int32_t kLeftSideSpeakerOffset = 3;

constexpr const char* kSignNames[] = {"tribal1", "moonfish1", "shellgame1", "feeding1", "concentration1"};
constexpr int32_t kClickPointCount = 20;

// The buttons fixed to the screen, at the view's left edge plus these.
constexpr int32_t kProgressX = 612, kProgressY = 538;
constexpr int32_t kBackX = 5, kBackY = 531;
constexpr int32_t kMovieX = 672, kMovieY = 541;
constexpr int32_t kHelpX = 732, kHelpY = 541;
constexpr int32_t kProgressDepth = 1000;
constexpr int32_t kFixedButtonDepth = 1100;

constexpr int32_t kBubbleDepth = 800;
constexpr float kBubbleRestY = 1000.0f;

// Levels of the games that unlock the replayed movies.
constexpr int32_t kMovieLevel = 6;
constexpr uint32_t kMusicGame = kNodeGame3;

}  // namespace

const HubNode::GameButtonRow HubNode::kLayout[kGameButtonRows] = {
    {"Turtle Surf", "blank", 0, 0, 526, 168, true, 0, 0, 526, 168, kNodeGame7, "loading_turtl",
     GameButtonRow::When::kAlways},
    {"Turtle Surf wraparound", "blank", 3200, 0, 526, 168, true, 3200, 0, 3726, 168, kNodeGame7,
     "loading_turtl", GameButtonRow::When::kAlways},
    {"Tribal Music", "blank", 980, 21, 175, 182, true, 980, 71, 1105, 203, kNodeGame3, "loading_tribal",
     GameButtonRow::When::kAlways},
    {"Moonfish", "blank", 2770, 19, 208, 179, true, 2770, 19, 2978, 198, kNodeGame4, "loading_moon",
     GameButtonRow::When::kAlways},
    {"Sub Chase", "blank", 2156, 135, 307, 206, true, 2181, 125, 2438, 321, kNodeGame5, "loading_feed",
     GameButtonRow::When::kAlways},
    {"DazodOrer", "blank", 366, 170, 283, 158, true, 366, 170, 649, 328, kNodeGame6, "loading_super",
     GameButtonRow::When::kPastFirstLevel},
    {"DazodOrer wraparound", "blank", 3566, 170, 283, 158, true, 3566, 170, 3849, 328, kNodeGame6,
     "loading_super", GameButtonRow::When::kPastFirstLevel},
    {"DazodOrer Cheat", "SSBut", 398, 132, 0, 0, false, 0, 0, 0, 0, kNodeGame6, "loading_super",
     GameButtonRow::When::kCheatMode},
    {"DazodOrer Cheat wraparound", "SSBut", 3598, 132, 0, 0, false, 0, 0, 0, 0, kNodeGame6, "loading_super",
     GameButtonRow::When::kCheatMode},
    {"fullmontygame", "blank", 1411, 133, 263, 187, true, 1411, 183, 1649, 320, kNodeGame8, "loading_monty",
     GameButtonRow::When::kAlways},
    {"concentrationAGHH", "blank", 1764, 0, 270, 342, true, 1764, 92, 2034, 342, kNodeGame9, "loading_conc",
     GameButtonRow::When::kAlways},
};

HubNode::HubNode() = default;

HubNode::~HubNode() {
  // A hub whose activation stopped part way (bad content) is torn down without its deactivation
  // having finished: nothing it made may stay listed in the node.
  DropAll();
}

template <typename T>
void HubNode::Drop(std::unique_ptr<T>& object) {
  if (!object) return;
  RemoveObject(object.get());
  object.reset();
}

void HubNode::DropAll() {
  for (auto& button : m_gameButtons) Drop(button);
  Drop(m_progressButton);
  Drop(m_backButton);
  Drop(m_movieButton);
  for (int32_t i = 0; i < MouseBubbles::kBubbleCount; ++i) {
    m_mouseBubbles.SetBubble(i, nullptr);
    Drop(m_bubbleSprites[static_cast<size_t>(i)]);
  }
  m_backgroundShown.fill(false);
  for (auto& panel : m_backgrounds) Drop(panel);
  for (auto& strip : m_foregrounds) Drop(strip);
  for (HubActor& actor : m_cast) actor.SetSprites(nullptr, nullptr, nullptr, nullptr);
  for (auto& sprite : m_castSprites) Drop(sprite);
  m_buttons.clear();
  m_hotspots.clear();
  if (m_hubHud) {
    if (GetHud() == m_hubHud.get()) HideHud(m_hubHud.get());
    m_hubHud.reset();
  }
}

void HubNode::Activate() {
  RoomNode::Activate();
  SetQuitAllowed(false);
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  SaveSlot();
  const bool lowSpec = GetApp().IsLowSpec();
  LoadHubObjects(lowSpec);
  if (!GetHud()) {
    m_hubHud = std::make_unique<CHubHud>();
    ShowHud(m_hubHud.get());
  }
  CreateGameButtons();
  FindSigns();
  // The panorama and the cast are large and always on screen: their frames are decompressed once.
  sKeepSpritesCompressed = false;
  CreatePanorama(lowSpec);
  CreateCast();
  sKeepSpritesCompressed = true;
  for (int32_t i = 0; i < kPanelCount; ++i) {
    if (m_backgrounds[static_cast<size_t>(i)]) RemoveObject(m_backgrounds[static_cast<size_t>(i)].get());
  }
  m_backgroundShown.fill(false);

  const PlayerData& record = ActivePlayerData;
  for (const uint32_t game : PlayerData::kOverallLevelGames) {
    if (record.games[game].level >= kMovieLevel) m_moviesUnlocked = true;
  }
  if (record.games[kMusicGame].firstTime == 0) m_moviesUnlocked = true;

  const int32_t scrollX = RestoreScroll();
  SetScroll(scrollX, 0);
  ShowPanels(scrollX / kPanelWidth);
  // Both start at the panel shown: a first step without movement makes them equal anyway, and the
  // next crossing of a panel's edge must find the panels it leaves attached.
  m_panel = m_shownPanel = scrollX / kPanelWidth;

  LoadRoomData(kRoomData, kCaptions);
  SetUpSpeakers();
  PlaceCastAtStart();
  for (int32_t i = 0; i < kClickPointCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "cp%d", static_cast<int>(i));
    if (GenericObject* point = FindObject(name)) m_clickPoints.push_back(point);
  }

  MusicManager::Instance().QueueMusic(kMusic, true);
  MusicManager::Instance().PlayNext(false);
  m_ambientSound = GetSound(kAmbientName, kAmbientFile, false);
  if (m_ambientSound) m_ambientSound->Play(true, true);

  if (GetApp().IsAlphaCapable()) CreateBubbles();
  if (!lowSpec && scrollX > 2400 && m_foregrounds[0]) {
    Ambient& strip = *m_foregrounds[0];
    strip.SetPosition(strip.GetX() + static_cast<float>(kPanoramaWidth), strip.GetY());
  }
  CreateScreenButtons();

  m_hubHud->SetScrollLock(true);
  m_arrivalLock = true;
  m_unlockTime = GameTimeNow() + kArrivalLockMs;
  if (ActivePlayerData.newResult == 1) {
    ActivePlayerData.newResult = 0;
    OpenProgressScreen();
  }
  m_talkState = 0;
}

void HubNode::SaveSlot() {
  CurrentPlayer::Instance().AssignByValue(ActivePlayerData);
  SaveGameManager::Instance().SaveCurrentSlot();
}

void HubNode::LoadHubObjects(bool lowSpec) {
  m_objectFile = lowSpec ? kLowSpecObjectFile : kObjectFile;
  // Without its file the first object the hub requires names what is missing.
  LoadObjects(m_objectFile);
}

bool HubNode::IsRowCreated(const GameButtonRow& row) const {
  switch (row.when) {
    case GameButtonRow::When::kPastFirstLevel:
      return ActivePlayerData.GetOverallLevel() != -1;
    case GameButtonRow::When::kCheatMode:
      return GetApp().GetOptions().IsCheatMode();
    default:
      return true;
  }
}

void HubNode::CreateGameButtons() {
  for (int32_t i = 0; i < kGameButtonRows; ++i) {
    const GameButtonRow& row = kLayout[i];
    if (!IsRowCreated(row)) continue;
    auto button = std::make_unique<GameButton>(row.name, row.sprite, SpriteObject::kClockGame);
    button->SetPosition(static_cast<float>(row.x), static_cast<float>(row.y));
    button->SetZ(kButtonDepth);
    button->Disable();
    if (row.hotspotWidth > 0) button->SetHotspotSize(row.hotspotWidth, row.hotspotHeight);
    button->SetRolloverCursor(kScenicCursor);
    AddObject(button.get());
    m_buttons.push_back(button.get());
    if (row.hasArea)
      m_hotspots.push_back(
          std::make_unique<HubHotspot>(Qel::Rect(row.left, row.top, row.right, row.bottom), row.target));
    m_gameButtons[static_cast<size_t>(i)] = std::move(button);
  }
}

void HubNode::FindSigns() {
  m_dazodOrerSign1 = RequireObject<GenericObject>("dazodorer1", m_objectFile);
  m_dazodOrerSign2 = RequireObject<GenericObject>("dazodorer2", m_objectFile);
  for (GenericObject* sign : {m_dazodOrerSign1, m_dazodOrerSign2}) {
    if (sign->GetSceneObject()) sign->GetSceneObject()->Hide();
  }
  // The first three play idle animations of their own, so they are sprites.
  m_tribalSign = RequireObject<SpriteObject>(kSignNames[0], m_objectFile);
  m_moonfishSign = RequireObject<SpriteObject>(kSignNames[1], m_objectFile);
  m_shellGameSign = RequireObject<SpriteObject>(kSignNames[2], m_objectFile);
  m_signs = {m_tribalSign, m_moonfishSign, m_shellGameSign};
  for (const char* name : {kSignNames[3], kSignNames[4]})
    m_signs.push_back(RequireObject<GenericObject>(name, m_objectFile));
}

void HubNode::CreatePanorama(bool lowSpec) {
  for (int32_t i = 0; i < kPanelCount; ++i) {
    const PanelSpec& spec = kPanels[i];
    auto panel = std::make_unique<Background>(spec.name, lowSpec ? spec.lowSpecSprite : spec.sprite);
    panel->SetPosition(static_cast<float>(i * kPanelWidth), 0.0f);
    panel->SetZ(spec.depth);
    m_backgrounds[static_cast<size_t>(i)] = std::move(panel);
  }
  if (lowSpec) return;
  for (int32_t i = 0; i < kStripCount; ++i) {
    const StripSpec& spec = kStrips[i];
    auto strip = std::make_unique<Ambient>(spec.name, spec.sprite, SpriteObject::kClockGame);
    strip->SetPosition(static_cast<float>(i * kPanelWidth), 0.0f);
    strip->SetZ(spec.depth);
    AddObject(strip.get());
    m_foregrounds[static_cast<size_t>(i)] = std::move(strip);
  }
}

void HubNode::CreateCast() {
  for (int32_t member = 0; member < kCastCount; ++member) {
    Player* sprites[4] = {};
    for (int part = 0; part < 4; ++part) {
      const SpriteSpec& spec = kCastSprites[member][part];
      auto sprite = std::make_unique<Player>(spec.name, spec.sprite);
      sprite->SetZ(spec.depth);
      // The mouths (parts 2 and 3) wait off the screen.
      if (part >= 2) sprite->SetPosition(kMouthParkX, kMouthParkY);
      AddObject(sprite.get());
      sprites[part] = sprite.get();
      m_castSprites[static_cast<size_t>(member * 4 + part)] = std::move(sprite);
    }
    m_cast[static_cast<size_t>(member)].SetSprites(sprites[0], sprites[1], sprites[2], sprites[3]);
  }
}

int32_t HubNode::RestoreScroll() {
  int32_t x = static_cast<int32_t>(ActivePlayerData.hubCounter);
  if (x < 0 || x >= kScrollLimit) x = 0;
  // A position past the panorama's width shows the same view as one panorama earlier, which the
  // panels cover; a scroll step wraps it the same way.
  if (x >= kPanoramaWidth) x -= kPanoramaWidth;
  ActivePlayerData.hubCounter = static_cast<uint32_t>(x);
  return x;
}

void HubNode::SetUpSpeakers() {
  for (int32_t slot = 0; slot < 6; ++slot)
    SetSpeaker(slot, kSpeakers[slot].body, kSpeakers[slot].head, kSpeakerPoses, 1, 0);
}

int32_t HubNode::SpeakerSlotOf(int32_t member) const {
  if (member < 0 || member >= kCastCount) return -1;
  const int32_t slot = kRightSpeaker[member];
  return m_cast[static_cast<size_t>(member)].GetSide() == HubActor::kLeftSide ? slot + kLeftSideSpeakerOffset
                                                                              : slot;
}

void HubNode::PlaceCastAtStart() {
  const float x = static_cast<float>(GetScroll().X());
  for (HubActor& actor : m_cast) {
    Player* right = actor.GetBody(0);
    Player* left = actor.GetBody(1);
    if (left) {
      left->SetAnimation(HubActor::kRest, 0);
      if (left->GetSceneObject()) left->GetSceneObject()->Hide();
    }
    if (right) right->SetAnimation(HubActor::kRest, 0);
    actor.MoveTo(x, 0.0f);
    for (Player* body : {right, left}) {
      if (body) body->ClearEnabled();
    }
  }
  SetSpeakersRaised(false);
}

void HubNode::CreateBubbles() {
  for (int32_t i = 0; i < MouseBubbles::kBubbleCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "HubAmbBubble%i", static_cast<int>(i));
    auto bubble = std::make_unique<Ambient>(name, "BubbleRise", SpriteObject::kClockGame);
    bubble->SetPosition(0.0f, kBubbleRestY);
    bubble->SetZ(kBubbleDepth + i);
    bubble->SetAnimation(MouseBubbles::kRest, 0);
    AddObject(bubble.get());
    m_mouseBubbles.SetBubble(i, bubble.get());
    m_bubbleSprites[static_cast<size_t>(i)] = std::move(bubble);
  }
}

void HubNode::CreateScreenButtons() {
  const int32_t x = GetScroll().X();
  const int32_t slot = static_cast<int32_t>(ActivePlayerData.saveSlot);
  // A slot number the sign-in screen cannot have stored shows the first slot's picture.
  const char* icon = slot >= 0 && slot < 6 ? kProgressIcons[slot] : kProgressIcons[0];
  m_progressButton = std::make_unique<GameButton>("HubProgress", icon, SpriteObject::kClockGame);
  m_progressButton->SetPosition(static_cast<float>(x + kProgressX), static_cast<float>(kProgressY));
  m_progressButton->SetZ(kProgressDepth);
  m_progressButton->SetRolloverCursor(kButtonCursor);
  m_progressButton->SetClickSound("button_01");
  AddObject(m_progressButton.get());
  m_progressButton->Disable();
  m_hotspots.push_back(
      std::make_unique<HubHotspot>(Qel::Rect(612, 538, 667, 593), HubHotspot::kProgressTarget));

  const char* arrow = GetApp().IsAlphaCapable() ? "ActBackArrow" : "ActBackArrow_sdl";
  m_backButton = std::make_unique<GameButton>("anyname2", arrow, SpriteObject::kClockGame);
  m_backButton->SetPosition(static_cast<float>(x + kBackX), static_cast<float>(kBackY));
  m_backButton->SetZ(kFixedButtonDepth);
  m_backButton->SetRolloverCursor(kButtonCursor);
  m_backButton->SetClickSound("ButtonDown");
  AddObject(m_backButton.get());
  m_backButton->Disable();
  m_hotspots.push_back(std::make_unique<HubHotspot>(Qel::Rect(5, 531, 91, 594), HubHotspot::kBackTarget));

  if (m_moviesUnlocked) {
    m_movieButton = std::make_unique<GameButton>("FMV", "ReplayMovie", SpriteObject::kClockGame);
    m_movieButton->SetPosition(static_cast<float>(x + kMovieX), static_cast<float>(kMovieY));
    m_movieButton->SetZ(kFixedButtonDepth);
    m_movieButton->SetRolloverCursor(kButtonCursor);
    AddObject(m_movieButton.get());
    m_movieButton->Disable();
    m_hotspots.push_back(
        std::make_unique<HubHotspot>(Qel::Rect(672, 541, 729, 589), HubHotspot::kMovieTarget));
  }

  m_helpButton = RequireObject<GameButton>("helpButton", m_objectFile);
  m_helpButton->SetPosition(static_cast<float>(x + kHelpX), static_cast<float>(kHelpY));
}

void HubNode::ShowPanels(int32_t panel) {
  for (int32_t i = 0; i < kPanelCount; ++i) {
    Background* background = m_backgrounds[static_cast<size_t>(i)].get();
    bool& shown = m_backgroundShown[static_cast<size_t>(i)];
    if (i == panel || i == panel + 1) {
      if (!shown && background) AddObject(background);
      shown = true;
    } else {
      if (shown && background) RemoveObject(background);
      shown = false;
    }
  }
}

void HubNode::Deactivate() {
  ActivePlayerData.games[kNodeHub].gameValue = static_cast<uint32_t>(ActivePlayerData.GetOverallLevel());
  for (const std::vector<GenericObject*>* list : {&m_clickPoints, &m_signs}) {
    for (GenericObject* object : *list) {
      if (!FindObject(object->GetName())) AddObject(object);
    }
  }
  for (GameButton* button : m_buttons) {
    if (!FindObject(button->GetName())) AddObject(button);
  }
  if (m_hubHud) {
    HideHud(m_hubHud.get());
    m_hubHud.reset();
  }
  for (auto& button : m_gameButtons) Drop(button);
  Drop(m_progressButton);
  Drop(m_backButton);
  Drop(m_movieButton);
  MusicManager::Instance().StopMusic();
  if (m_ambientSound) m_ambientSound->Stop();
  DropAll();
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  m_clickPoints.clear();
  m_signs.clear();
  m_helpButton = nullptr;
  m_tribalSign = m_moonfishSign = m_shellGameSign = nullptr;
  m_dazodOrerSign1 = m_dazodOrerSign2 = nullptr;
  RoomNode::Deactivate();
}

void HubNode::OnChar(uint16_t code) {
  if (code == kEscape) {
    if (!IsFirstFrames()) {
      SaveSlot();
      OpenExitDialog();
    }
    ProgressNode::OnChar(code);
  } else if (code == ' ') {
    StopSpeech();
  } else {
    ProgressNode::OnChar(code);
  }
}

void HubNode::Resume(void* data) {
  ProgressNode::Resume(data);
  MusicManager::Instance().QueueMusic(kMusic, true);
  MusicManager::Instance().PlayNext(false);
}

const HubNode::GameButtonRow* HubNode::RowOf(const GenericObject* object) const {
  for (int32_t i = 0; i < kGameButtonRows; ++i) {
    if (object && m_gameButtons[static_cast<size_t>(i)].get() == object) return &kLayout[i];
  }
  return nullptr;
}

void HubNode::OnObjectClicked(GenericObject* object) {
  if (object && object == m_movieButton.get()) {
    OpenMovieScreen();
  } else if (object && object == m_backButton.get()) {
    SaveSlot();
    SetScroll(0, 0);
    ChangeNodeWithLoadingScreen(kNodeSignIn, kBackArt);
  } else if (object && object == m_helpButton) {
    SpeakHelp();
  } else if (object && object == m_progressButton.get()) {
    StopSpeech();
    OpenProgressScreen();
  } else if (const GameButtonRow* row = RowOf(object)) {
    if (row->when != GameButtonRow::When::kCheatMode || GetApp().GetOptions().IsCheatMode()) {
      // The loading picture joins the scrolling world, so the view goes back to its origin first.
      SetScroll(0, 0);
      ChangeNodeWithLoadingScreen(row->target, row->loadingArt);
    }
  }
  ProgressNode::OnObjectClicked(object);
}

void HubNode::SetTxtValue(const char*, const char*) {}

void HubNode::HubHook(int32_t) {}

GameButton* HubNode::GetGameButton(int32_t row) const {
  return row >= 0 && row < kGameButtonRows ? m_gameButtons[static_cast<size_t>(row)].get() : nullptr;
}

Background* HubNode::GetPanel(int32_t index) const {
  return index >= 0 && index < kPanelCount ? m_backgrounds[static_cast<size_t>(index)].get() : nullptr;
}

bool HubNode::IsPanelShown(int32_t index) const {
  return index >= 0 && index < kPanelCount && m_backgroundShown[static_cast<size_t>(index)];
}

Ambient* HubNode::GetStrip(int32_t index) const {
  return index >= 0 && index < kStripCount ? m_foregrounds[static_cast<size_t>(index)].get() : nullptr;
}
