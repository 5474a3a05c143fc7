// The music game's node: activation, the frame's update, the clicks and the node's events.
#include "game3/Game3Node.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/DatabaseManager.h"
#include "core/EventManager.h"
#include "core/Trace.h"
#include "framework/ActivePlayerData.h"
#include "framework/ButtonSeries.h"
#include "framework/Clickable.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/NodeId.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "framework/ValueTokenizer.h"
#include "game3/Game3Clam.h"
#include "game3/Game3Recorder.h"
#include "game3/Game3Text.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/AsciiCase.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kTimerName = "game3Timer";
constexpr uint32_t kTimerDuration = 500;
constexpr const char* kLoadingPicture = "loading_gen1";
constexpr int32_t kWaitCursor = 12;
constexpr uint16_t kSpace = ' ';
constexpr uint32_t kHelpPage = 9;

struct Speaker {
  const char* head;
  const char* body;
};
constexpr Speaker kSpeakers[] = {
    {"dialogue_oskelhead", "blank_head"},  {"dialogue_orvelhead", "blank_head"},
    {"dialogue_teshhead", "blank_head"},   {"dialogue_fizwinhead", "blank_head2"},
    {"dialogue_pertuhead", "blank_head"},  {"dialogue_lirrahead", "blank_head"},
    {"dialogue_humbohead", "blank_head"},  {"dialogue_pilohead", "NPCPilo"},
    {"blank_head", "blank_head"},
};

struct QueuedLine {
  uint32_t speaker;
  const char* name;
};
constexpr QueuedLine kFirstVisitLines[] = {
    {7, "3020"}, {0, "3030"}, {1, "3033"}, {2, "3032"}, {3, "3035"}, {4, "3036"}, {5, "3034"},
    {6, "3031"}, {0, "3040"}, {7, "3050"}, {0, "3060"}, {7, "3070"}, {0, "3080"}, {0, "3081"},
};
constexpr QueuedLine kLaterVisitLines[] = {{7, "3160"}, {7, "3090"}, {0, "3100"}, {7, "3050"}, {0, "4160"}};
constexpr QueuedLine kExitLines[] = {{0, "3190"}, {6, "3211"}, {3, "3220"}};
constexpr QueuedLine kFirstVisitExitLine = {8, "6002"};

constexpr int32_t kHelpList[] = {3082, 3083, 3084, 3085, 3086, 3087, 3088, 3089,
                                 3130, 3150, 3170, 3180, 3182, 3183, 3185, 3186};
struct HelpPage {
  int32_t line;
  int32_t page;
};
constexpr HelpPage kHelpPages[] = {
    {3082, 1},  {3083, 5},  {3084, 6},  {3085, 7},  {3086, 8},  {3087, 9},  {3088, 1},
    {3089, 12}, {3130, 2},  {3150, 0},  {3170, 2},  {3180, 3},  {3181, 12}, {3182, 12},
    {3183, 11}, {3184, 11}, {3185, 10}, {3186, 10}, {3187, 12}, {3188, 10},
};

uint32_t LineNumberOf(const char* name) {
  return static_cast<uint32_t>(std::strtoul(name, nullptr, 10));
}

bool Is(const char* name, const char* other) {
  return name && plat::EqualsIgnoringCase(name, other);
}

void Stop(GameSound* sound) {
  if (sound) sound->Stop();
}

const char* SoundName(const GameSound* sound) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine ? engine->GetId().c_str() : "";
}

std::string Numbered(const char* format, int number) {
  char name[64];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

}  // namespace

Game3Node::Game3Node() : m_mainTimer(std::make_unique<GameTimer>(kTimerName, kTimerDuration)) {}

Game3Node::~Game3Node() = default;

SpriteObject* Game3Node::FindSprite(const char* name) const {
  return dynamic_cast<SpriteObject*>(FindObject(name));
}

Clickable* Game3Node::FindClickable(const char* name) const {
  return dynamic_cast<Clickable*>(FindObject(name));
}

void Game3Node::SetAnimationOf(const char* name, uint32_t animation) {
  if (SpriteObject* object = FindSprite(name)) object->SetAnimation(animation, 0);
}

void Game3Node::Activate() {
  m_recorder.reset();
  m_mode = kReadingLevelList;
  RoomNode::Activate();
  m_firstFrame = true;
  m_exiting = false;
  SetName("Tribal Music");
  Qel::DatabaseManager::GetInstance()->AddDatabase("GAME3");
  SetQuitAllowed(false);

  const char* objectFile = GetApp().IsLowSpec() ? kObjectFileLowSpec : kObjectFile;
  LoadObjects(objectFile);
  // The node cannot start without the character it waits on.
  RequireObject<SpriteObject>(kMainCharacter, kObjectFile);

  // Nothing plays yet, so the main character does not dance before the first song is loaded.
  m_finished.fill(true);
  m_songs.clear();
  m_songIndex = 0;
  m_stopDelay = 500;
  if (!ReadInMode(kReadingLevelList, "GAME3_LevelList")) Qel::Trace("WARN: Game3: no level list 'GAME3_LevelList'\n");
  LoadRoomData("GAME3_roomdata", "Tribal");
  for (int slot = 0; slot < kSpeakerCount; ++slot)
    SetSpeaker(slot, kSpeakers[slot].body, kSpeakers[slot].head, nullptr, 0, 0);
  SetSpeakersRaised(false);

  m_setIndex = -1;
  if (!ReadInMode(kReadingSets, "GAME3_object_set_sounds"))
    Qel::Trace("WARN: Game3: no sound sets 'GAME3_object_set_sounds'\n");
  m_setIndex = 0;
  m_percussionRestart = false;

  if (ActivePlayerData.games[kNodeId].firstTime) {
    ActivePlayerData.SetPlayersFirstTime(kNodeId, 0);
    for (const QueuedLine& line : kFirstVisitLines) QueueLine(line.speaker, line.name, LineNumberOf(line.name));
    m_firstVisit = true;
  } else {
    for (const QueuedLine& line : kLaterVisitLines) QueueLine(line.speaker, line.name, LineNumberOf(line.name));
    m_firstVisit = false;
  }

  if (Clickable* exit = FindClickable("exit1")) exit->ClearEnabled();

  for (int i = 0; i < kTrackCount; ++i) {
    CharacterTrack& track = m_tracks[static_cast<size_t>(i)];
    track.oneShot = nullptr;
    track.loopSound = nullptr;
    track.character = nullptr;
    track.noteStart = 0;
    track.noteEnd = 0;
    track.noteIndex = -1;
    track.changeRequested = false;
    track.loopCount = 0;
    track.notes.clear();
    track.loopToggle = std::make_unique<ButtonSeries>();
    for (int part = 0; part < 2; ++part) {
      char name[32];
      std::snprintf(name, sizeof name, "loopToggle%d_%d", i, part);
      track.loopToggle->Add(FindObject(name));
    }
  }

  for (int i = 0; i < kClamCount; ++i) {
    auto clam = std::make_unique<Clam>(i, FindSprite(Numbered("clam%d", i).c_str()));
    Qel::EventManager::GetInstance()->AddListener(kEventGameObject, clam.get());
    m_clams[static_cast<size_t>(i)] = std::move(clam);
  }

  for (int i = 0; i < kSparkleCount; ++i) {
    SpriteObject* sparkle = FindSprite(Numbered("sparkles%d", i).c_str());
    if (sparkle && sparkle->GetSceneObject()) sparkle->GetSceneObject()->Hide();
    m_sparkles[static_cast<size_t>(i)] = sparkle;
  }

  m_meter = std::make_unique<RecordMeter>(*this);
  m_recorder = std::make_unique<InputTraceList>(*this);

  m_songChangePending = false;
  if (m_songIndex < m_songs.size()) {
    LoadSong(m_songs[m_songIndex].c_str());
  } else {
    Qel::Trace("WARN: Game3: the level list names no song\n");
    m_mode = kFreePlay;
  }
  m_startSongAfterIntro = true;

  if (FindObject("sets_randomize")) RandomizeSetObjects();
  m_percussionOn = false;

  RestoreClickSounds(true);

  m_helpLines.Clear();
  for (const int32_t line : kHelpList) m_helpLines.Add(line);
  // The first request starts at the first line.
  m_helpLines.SetCurrentIndex(m_helpLines.Count() - 1);

  m_introSound = GetSound("introDitty", "Intro_ditty_v2_22k", false);
  if (m_introSound) m_introSound->Play(false, true);
}

bool Game3Node::ReadInMode(Mode mode, const char* name) {
  m_mode = mode;
  return LoadTxtData(name);
}

void Game3Node::SetTxtValue(const char* key, const char* value) {
  if (!key || !value) return;
  if (m_mode == kReadingLevelList) {
    if (Is(key, "song")) {
      m_songs.emplace_back(value);
    } else if (Is(key, "default")) {
      for (size_t i = 0; i < m_songs.size(); ++i) {
        if (plat::EqualsIgnoringCase(m_songs[i], value)) {
          m_songIndex = static_cast<uint32_t>(i);
          break;
        }
      }
    } else if (Is(key, "ttl_pilo")) {
      m_stopDelay = ValueTokenizer::DecimalValue(value);
    }
  } else if (m_mode == kReadingSets) {
    if (Is(key, "new_set")) {
      m_sets.emplace_back();
    } else if (m_sets.empty()) {
      Qel::Trace("WARN: Game3: the sound '%s' comes before the first set and was ignored\n", key);
    } else {
      GameSound* sound = GetSound(key, value, false);
      if (sound && sound->GetEngineSound()) sound->GetEngineSound()->SetVolume(1.0f);
      m_sets.back().push_back(sound);
    }
  } else {
    ReadSongValue(key, value);
  }
}

void Game3Node::Deactivate() {
  // First, so that a run in progress posts and records nothing while the rest goes.
  m_recorder.reset();
  for (CharacterTrack& track : m_tracks) track.loopToggle.reset();
  m_meter.reset();
  UnloadSong();
  m_songs.clear();
  std::vector<GameSound*> released;
  for (std::vector<GameSound*>& set : m_sets) {
    for (GameSound* sound : set) {
      if (!sound || sound == m_introSound || sound == GetClickSound() ||
          std::find(released.begin(), released.end(), sound) != released.end())
        continue;
      Stop(sound);
      released.push_back(sound);
      ReleaseSound(sound);
    }
  }
  m_sets.clear();
  for (auto& clam : m_clams) clam.reset();
  m_sparkles.fill(nullptr);
  m_mainTimer->Stop(false);
  Qel::DatabaseManager::GetInstance()->RemoveDatabase("GAME3");
  ProgressNode::Deactivate();
}

void Game3Node::Update() {
  if (GetApp().IsPaused()) {
    ProgressNode::Update();
    return;
  }

  const uint32_t now = GameClock::Instance().GetTime();
  if (m_meter) {
    m_meter->Update(now);
    // A recording or a replay that ended by itself ends as the stop button would end it.
    if (m_recorder && m_recorder->IsIdle() && m_meter->IsActive()) ClickRecorderButton("rec_stop");
  }

  for (int i = 0; i < kTrackCount; ++i) {
    Clickable* character = m_tracks[static_cast<size_t>(i)].character;
    if (character && character->GetSceneObject()) {
      if (IsSpeakerTalking(i)) {
        character->GetSceneObject()->Hide();
      } else {
        character->GetSceneObject()->Show();
      }
    }
  }

  if (!m_exiting) {
    SpriteObject* pilo = FindSprite(kMainCharacter);
    if (m_firstFrame) {
      m_firstFrame = false;
      if (pilo) pilo->SetAnimation(5, 0);
      m_introTalk = true;
    }
    bool allFinished = true;
    for (const bool finished : m_finished) allFinished = allFinished && finished;
    if (pilo) {
      const uint32_t animation = pilo->GetAnimationId();
      if (!allFinished && animation != 6 && animation != 7) {
        pilo->SetAnimation(animation == 8 ? 7 : 6, 0);
      } else if (allFinished && !m_mainTimer->IsActive() && animation == 7 && m_mode != kSongPlaying) {
        m_mainTimer->Start(static_cast<uint32_t>(m_stopDelay > 0 ? m_stopDelay : 1));
      }
    }
    if (m_songChangePending) {
      if (m_songChangeCounter == 2) {
        ChangeSong();
      } else {
        ++m_songChangeCounter;
      }
    } else if (m_resumeAfterChange) {
      PlaySong();
      m_resumeAfterChange = false;
    }
    for (auto& clam : m_clams) {
      if (clam) clam->Update();
    }
  }

  if (m_mode != kSongPlaying) {
    if (SpriteObject* trigger = FindSprite("PlaySongTrigger")) trigger->ReplayAnimation(0);
  }
  if (!m_percussionOn) {
    if (SpriteObject* play = FindSprite("prec_play")) play->ReplayAnimation(0);
  }

  UpdateRecorderButtons();
  m_mainTimer->Poll();
  ProgressNode::Update();
}

void Game3Node::UpdateRecorderButtons() {
  const bool recording = m_recorder && m_recorder->IsRecording();
  const bool replaying = m_recorder && m_recorder->IsReplaying();
  auto* record = FindClickable("rec_record");
  auto* replay = FindClickable("rec_play");
  if (recording) {
    if (record && record->GetAnimationId() != 2) record->SetAnimation(2, 0);
  } else if (replaying) {
    if (replay && replay->GetAnimationId() != 2) replay->SetAnimation(2, 0);
  } else {
    for (Clickable* button : {record, replay}) {
      if (button && !button->IsHovered() && button->GetAnimationId() != 0) button->SetAnimation(0, 0);
    }
  }
  const bool idle = !recording && !replaying;
  for (const char* name : {"NextSong", "PrevSong"}) {
    auto* button = dynamic_cast<GameButton*>(FindObject(name));
    if (!button) continue;
    if (idle && !button->IsEnabled()) {
      button->Enable();
    } else if (!idle && button->IsEnabled()) {
      button->Disable();
    }
  }
}

void Game3Node::ChangeSong() {
  StopSong();
  UnloadSong();
  const auto count = static_cast<uint32_t>(m_songs.size());
  if (count > 0) {
    m_songIndex = m_songChangeForward ? (m_songIndex + 1) % count : (m_songIndex + count - 1) % count;
    LoadSong(m_songs[m_songIndex].c_str());
  } else {
    Qel::Trace("WARN: Game3: no song to change to\n");
  }
  if (SpriteObject* trigger = FindSprite("PlaySongTrigger")) trigger->SetAnimation(m_songIndex, 0);
  m_songChangePending = false;
  MouseCursor::Instance().SetEnabled(true);
  SetNodeCursorKind(0);
}

void Game3Node::OnLeftButtonDown(const InputEventInfo& input) {
  if (GetApp().IsPaused()) return;
  for (int i = 0; i < kClamCount; ++i) {
    GenericObject* button = FindObject(Numbered("clam%d_button", i).c_str());
    if (button && button->HitTest(input.position.X(), input.position.Y())) {
      if (m_clams[static_cast<size_t>(i)]) m_clams[static_cast<size_t>(i)]->Press();
      return;
    }
  }
}

void Game3Node::OnLeftButtonUp(const InputEventInfo& /*input*/) {
  if (GetApp().IsPaused()) return;
  for (int i = 0; i < kClamCount; ++i) {
    if (FindObject(Numbered("clam%d_button", i).c_str()) && m_clams[static_cast<size_t>(i)])
      m_clams[static_cast<size_t>(i)]->Release();
  }
}

void Game3Node::OnChar(uint16_t code) {
  if (!IsFirstFrames()) {
    if (code == kSpace) {
      StopSpeech();
      m_introTalk = false;
    }
    if (code == kEscape) OpenExitDialog();
  }
  ProgressNode::OnChar(code);
}

void Game3Node::OnSoundFinished(GameSound* sound) {
  const char* name = SoundName(sound);
  const int track = game3::TrackOfSoundName(name);
  if (track >= 0) m_finished[static_cast<size_t>(track)] = true;
  if (sound && sound == m_introSound) m_introSound = nullptr;
  ProgressNode::OnSoundFinished(sound);
}

void Game3Node::OnSoundLooped(GameSound* sound) {
  const char* name = SoundName(sound);
  if (Is(name, "TickTime")) {
    OnTick();
  } else {
    const int track = game3::TrackOfSoundName(name);
    if (track >= 0) {
      if (Clickable* character = m_tracks[static_cast<size_t>(track)].character) character->SetAnimation(3, 2);
    }
  }
  ProgressNode::OnSoundLooped(sound);
}

void Game3Node::Resume(void* data) {
  if (data && Is(static_cast<const char*>(data), kMovie)) ChangeNodeWithLoadingScreen(kNodeHub, kLoadingPicture);
  ProgressNode::Resume(data);
}

void Game3Node::OnTimer(GameTimer* timer) {
  if (timer == m_mainTimer.get()) {
    m_mainTimer->Stop(false);
    SetAnimationOf(kMainCharacter, 8);
  }
  ProgressNode::OnTimer(timer);
}

void Game3Node::ChooseIdle(SpriteObject* object) {
  if (!object) return;
  uint32_t animation = 0;
  if (std::rand() % 100 >= 80) animation = std::rand() % 100 < 60 ? 1 : 2;
  object->SetAnimation(animation, 0);
}

void Game3Node::OnAnimationLooped(GenericObject* object) {
  const int index = object ? game3::TrackOfObjectName(object->GetName()) : -1;
  if (index >= 0) {
    CharacterTrack& track = m_tracks[static_cast<size_t>(index)];
    if (track.character == object && ++track.loopCount >= 5) {
      track.loopCount = 0;
      if (track.loopSound) {
        track.loopSound->Stop();
        track.loopSound->Play(true, true);
      }
      track.character->SetAnimation(track.character->GetAnimationId(), 0);
    }
  }
  ProgressNode::OnAnimationLooped(object);
}

void Game3Node::OnAnimationEnded(GenericObject* object) {
  if (object && Is(object->GetName(), kMainCharacter)) {
    auto* pilo = dynamic_cast<SpriteObject*>(object);
    const uint32_t animation = pilo ? pilo->GetAnimationId() : 0;
    if (animation <= 2) {
      ChooseIdle(pilo);
    } else if (animation == 5) {
      StartSpeech(0, false, true);
      if (Clickable* exit = FindClickable("exit1")) exit->Enable();
    }
  } else if (object) {
    const int index = game3::TrackOfObjectName(object->GetName());
    if (index >= 0 && m_finished[static_cast<size_t>(index)])
      ChooseIdle(dynamic_cast<SpriteObject*>(object));
  }
  ProgressNode::OnAnimationEnded(object);
}

void Game3Node::OnSpeechEvent(int id, void* data) {
  if (id == EventId::SpeechStopped) {
    if (m_exiting) {
      if (m_firstVisit) {
        MoviePlayer::Instance().Play(kMovie);
      } else {
        ChangeNodeWithLoadingScreen(kNodeHub, kLoadingPicture);
      }
    } else {
      m_introTalk = false;
      SetAnimationOf(kMainCharacter, 0);
      if (m_startSongAfterIntro) {
        m_startSongAfterIntro = false;
        PlaySong();
      }
    }
  } else if (id == EventId::HelpClosed) {
    const uint32_t now = GameClock::Instance().GetTime();
    if (m_recorder) m_recorder->ResumeClock(now);
    if (m_meter) m_meter->ResumeClock(now);
  }
  ProgressNode::OnSpeechEvent(id, data);
}

GameSound* Game3Node::CurrentPercussion() const {
  if (m_percussionIndex < 0 || static_cast<size_t>(m_percussionIndex) >= m_percussion.size()) return nullptr;
  return m_percussion[static_cast<size_t>(m_percussionIndex)];
}

void Game3Node::SilenceTracksAndPercussion() {
  for (CharacterTrack& track : m_tracks) {
    if (track.character && track.character->GetAnimationId() != 0) {
      Stop(track.oneShot);
      Stop(track.loopSound);
      track.character->SetAnimation(0, 0);
    }
  }
  Stop(CurrentPercussion());
  m_percussionOn = false;
}

void Game3Node::RestoreClickSounds(bool on) {
  if (Clickable* next = FindClickable("prec_next")) next->SetClickSound(on ? "TM_change_drumbeat" : nullptr);
  if (Clickable* prev = FindClickable("prec_prev")) prev->SetClickSound(on ? "TM_change_drumbeat" : nullptr);
  if (Clickable* random = FindClickable("sets_randomize"))
    random->SetClickSound(on ? "TM_spiral_button_click" : nullptr);
}

int32_t Game3Node::PartOf(CharacterTrack& track) {
  return track.loopToggle ? track.loopToggle->GetVisibleIndex() : -1;
}

void Game3Node::StepToggleTo(CharacterTrack& track, int32_t part) {
  if (!track.loopToggle) return;
  for (int step = 0; step < 2 && track.loopToggle->GetVisibleIndex() != part; ++step) {
    if (!track.loopToggle->Advance(track.loopToggle->GetVisible())) break;
  }
}

bool Game3Node::HandleLoopToggle(GenericObject* object) {
  for (CharacterTrack& track : m_tracks) {
    if (!track.loopToggle || track.loopToggle->GetVisible() != object) continue;
    track.loopToggle->Advance(object);
    Stop(PartOf(track) == 0 ? track.loopSound : track.oneShot);
    if (track.character) track.character->SetAnimation(0, 0);
    return true;
  }
  return false;
}

void Game3Node::ClickHelp() {
  const uint32_t now = GameClock::Instance().GetTime();
  if (m_recorder) m_recorder->PauseClock(now);
  if (m_meter) m_meter->PauseClock(now);
  bool first = true;
  for (int i = 0; i < 3; ++i) {
    const int32_t line = m_helpLines.Next();
    int32_t page = 0;
    std::string name;
    for (const HelpPage& entry : kHelpPages) {
      if (entry.line == line) {
        page = entry.page;
        name = std::to_string(line);
      }
    }
    QueueHelpLine(name.c_str(), line, page, first);
    first = false;
  }
  OpenHelpScreen("", kHelpPage);
}

void Game3Node::ClickSetObject(GenericObject* object, const char* name) {
  const int number = std::atoi(name + std::strlen("sets_objects"));
  auto* sprite = dynamic_cast<SpriteObject*>(object);
  const uint32_t set = sprite ? sprite->GetAnimationId() : 0;
  if (number >= 0 && number < kSparkleCount) {
    if (SpriteObject* sparkle = m_sparkles[static_cast<size_t>(number)]) {
      if (sparkle->GetSceneObject()) sparkle->GetSceneObject()->Show();
      sparkle->SetAnimation(0, 0);
    }
  }
  if (set < m_sets.size() && number >= 0 && static_cast<size_t>(number) < m_sets[set].size()) {
    GameSound* sound = m_sets[set][static_cast<size_t>(number)];
    if (sound) {
      sound->Stop();
      sound->Play(false, true);
    }
  }
}

void Game3Node::RandomizeSetObjects() {
  for (int i = 0;; ++i) {
    auto* object = FindSprite(Numbered("sets_objects%02d", i).c_str());
    if (!object) break;
    const int count = object->GetAnimationCount();
    if (count <= 0) {
      Qel::Trace("WARN: Game3: '%s' has no animations\n", object->GetName());
      continue;
    }
    object->SetAnimation(static_cast<uint32_t>(std::rand() % count), 0);
  }
}

void Game3Node::ClickRecorderButton(const char* name) {
  const uint32_t now = GameClock::Instance().GetTime();
  if (Is(name, "rec_stop")) {
    if (m_recorder) m_recorder->Stop();
    StopSong();
    m_mode = kFreePlay;
    SilenceTracksAndPercussion();
    if (m_meter) m_meter->SetActive(false);
    RestoreClickSounds(true);
  } else if (Is(name, "rec_play")) {
    if (!m_recorder || !m_recorder->IsIdle()) return;
    // The song and the parts still sounding go quiet before the replay brings its own.
    StopSong();
    SilenceTracksAndPercussion();
    m_mode = kReplaying;
    m_recorder->StartReplay();
    if (m_meter) m_meter->Start(RecordMeter::kReplayBar, now);
    RestoreClickSounds(false);
  } else if (Is(name, "rec_record")) {
    if (!m_recorder || !m_recorder->IsIdle()) return;
    StopSong();
    SilenceTracksAndPercussion();
    m_mode = kRecording;
    m_recorder->StartRecording(CaptureTraceState(0x1F));
    if (m_meter) m_meter->Start(RecordMeter::kRecordBar, now);
  }
}

Game3Node::TraceState Game3Node::CaptureTraceState(uint32_t flags) {
  TraceState state;
  state.flags = flags | TraceState::kCaptured;
  if (flags & TraceState::kToggles) {
    for (int i = 0; i < kTrackCount; ++i) {
      if (PartOf(m_tracks[static_cast<size_t>(i)]) == 1) state.toggles |= 1u << i;
    }
  }
  if (flags & TraceState::kSong) state.songIndex = static_cast<int32_t>(m_songIndex);
  if (flags & TraceState::kPercussion) state.percussionIndex = m_percussionIndex;
  if (flags & TraceState::kSetObjects) {
    for (int i = 0; i < 8; ++i) {
      SpriteObject* object = FindSprite(Numbered("sets_objects%02d", i).c_str());
      state.setObjects[i] = object ? static_cast<uint8_t>(object->GetAnimationId()) : 0;
    }
  }
  return state;
}

void Game3Node::ApplyTraceState(const TraceState& state) {
  if ((state.flags & TraceState::kSong) && state.songIndex >= 0 &&
      static_cast<size_t>(state.songIndex) < m_songs.size() &&
      static_cast<uint32_t>(state.songIndex) != m_songIndex) {
    const int32_t mode = m_mode;
    StopSong();
    m_mode = kFreePlay;
    for (CharacterTrack& track : m_tracks) {
      if (track.character && track.character->GetAnimationId() != 0) {
        Stop(track.oneShot);
        Stop(track.loopSound);
        track.character->SetAnimation(0, 0);
      }
    }
    Stop(CurrentPercussion());
    m_percussionOn = false;
    if (m_meter) m_meter->SetForm(RecordMeter::kReplayBar);
    UnloadSong();
    m_songIndex = static_cast<uint32_t>(state.songIndex);
    LoadSong(m_songs[m_songIndex].c_str());
    if (SpriteObject* trigger = FindSprite("PlaySongTrigger")) trigger->SetAnimation(m_songIndex, 0);
    m_songChangePending = false;
    // The replay goes on in its own mode.
    if (mode == kReplaying) m_mode = kReplaying;
  }
  if (state.flags & TraceState::kSetObjects) {
    for (int i = 0; i < 8; ++i) {
      if (SpriteObject* object = FindSprite(Numbered("sets_objects%02d", i).c_str()))
        object->SetAnimation(state.setObjects[i], 0);
    }
  }
  if ((state.flags & TraceState::kPercussion) && state.percussionIndex != m_percussionIndex &&
      state.percussionIndex >= 0 && static_cast<size_t>(state.percussionIndex) < m_percussion.size()) {
    m_percussionIndex = state.percussionIndex;
    SetAnimationOf("prec_play", static_cast<uint32_t>(m_percussionIndex));
  }
  if (state.flags & TraceState::kToggles) {
    for (int i = 0; i < kTrackCount; ++i)
      StepToggleTo(m_tracks[static_cast<size_t>(i)], (state.toggles >> i) & 1u ? 1 : 0);
  }
}

void Game3Node::OnObjectClicked(GenericObject* object) {
  const char* name = object ? object->GetName() : "";
  if (m_exiting || !object) {
    ProgressNode::OnObjectClicked(object);
    return;
  }
  const bool free = !m_introTalk;
  const auto startsWith = [name](const char* prefix) {
    return game3::StartsWith(name, prefix);
  };

  if (Is(name, "help")) {
    if (free) ClickHelp();
  } else if (startsWith("char")) {
    if (free && m_mode != kSongPlaying) {
      const int index = game3::TrackOfObjectName(name);
      if (index >= 0) ToggleCharacter(index);
    }
  } else if (startsWith("loopToggle")) {
    if (free && m_mode != kSongPlaying && HandleLoopToggle(object)) return;
  } else if (Is(name, "PlaySongTrigger")) {
    if (!free) return;
    if (m_mode == kSongPlaying) {
      StopSong();
    } else {
      PlaySong();
    }
    return;
  } else if (Is(name, "NextSong") || Is(name, "PrevSong")) {
    if (!free) return;
    m_songChangePending = true;
    m_songChangeCounter = 0;
    m_resumeAfterChange = m_mode == kSongPlaying;
    m_songChangeForward = Is(name, "NextSong");
    SetNodeCursorKind(kWaitCursor);
    MouseCursor::Instance().SetCursor(kWaitCursor);
    MouseCursor::Instance().Show();
    MouseCursor::Instance().SetEnabled(false);
    m_percussionOn = false;
    return;
  } else if (startsWith("sets_objects")) {
    if (free) ClickSetObject(object, name);
  } else if (Is(name, "prec_next") || Is(name, "prec_prev")) {
    if (free && CurrentPercussion()) {
      if (IsSoundPlaying(CurrentPercussion())) m_percussionRestart = true;
      const auto count = static_cast<int32_t>(m_percussion.size());
      m_percussionIndex = Is(name, "prec_next") ? (m_percussionIndex + 1) % count
                                                : (m_percussionIndex + count - 1) % count;
      SetAnimationOf("prec_play", static_cast<uint32_t>(m_percussionIndex));
    }
  } else if (Is(name, "prec_play")) {
    if (free) {
      m_percussionRestart = !m_percussionRestart;
      m_percussionOn = !m_percussionOn;
    }
  } else if (Is(name, "sets_next") || Is(name, "sets_prev")) {
    if (free && !m_sets.empty()) {
      const auto count = static_cast<int32_t>(m_sets.size());
      m_setIndex = Is(name, "sets_next") ? (m_setIndex + 1) % count : (m_setIndex + count - 1) % count;
    }
  } else if (Is(name, "exit1")) {
    StopSpeech();
    StopSong();
    for (const QueuedLine& line : kExitLines) QueueLine(line.speaker, line.name, LineNumberOf(line.name));
    if (m_firstVisit)
      QueueLine(kFirstVisitExitLine.speaker, kFirstVisitExitLine.name, LineNumberOf(kFirstVisitExitLine.name));
    StartSpeech(0, false, true);
    SetAnimationOf(kMainCharacter, 9);
    m_exiting = true;
    MouseCursor::Instance().Hide();
    if (m_recorder) m_recorder->Stop();
  } else if (Is(name, "sets_randomize")) {
    RandomizeSetObjects();
    if (m_recorder && m_recorder->IsRecording())
      m_recorder->RecordState(CaptureTraceState(TraceState::kSetObjects | TraceState::kCaptured));
  } else if (startsWith("rec_")) {
    ClickRecorderButton(name);
  }
  ProgressNode::OnObjectClicked(object);
}
