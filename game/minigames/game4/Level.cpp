// The shape game's rules.
#include "game4/Level.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "core/EventManager.h"
#include "core/Trace.h"
#include "framework/Clickable.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/GameSound.h"
#include "framework/MultiTimer.h"
#include "framework/SpriteObject.h"
#include "framework/ThrowErrorText.h"
#include "framework/TxtDataManager.h"
#include "framework/ValueTokenizer.h"
#include "framework/VariantSound.h"
#include "game4/BubbleList.h"
#include "game4/Moonfish.h"
#include "game4/Sequence.h"
#include "game4/SequenceList.h"
#include "game4/ShapeList.h"
#include "game4/TimingMark.h"
#include "platform/win/kernel/AsciiCase.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kPointSoundNames[] = {"sweetPointsSound", "notePointsSound", "shapePointsSound",
                                            "noPointsSound"};
constexpr const char* kSweetStart = "sweetspot_start_";
constexpr const char* kSweetStop = "sweetspot_stop_";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && plat::EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string Numbered(const char* format, int32_t n) {
  char name[64];
  std::snprintf(name, sizeof name, format, n);
  return name;
}

// All tokens of a value, so that a value cut short can be told before anything is made of it.
std::vector<std::string> Tokens(const char* value) {
  ValueTokenizer tokenizer(value);
  std::vector<std::string> tokens;
  while (const char* token = tokenizer.NextToken()) tokens.emplace_back(token);
  return tokens;
}

int32_t Decimal(const std::string& token) {
  return ValueTokenizer::DecimalValue(token.c_str());
}

float Variation(const std::string& token) {
  ValueTokenizer tokenizer(token.c_str());
  return static_cast<float>(tokenizer.NextFloat());
}

}  // namespace

Game4Node::Level::Level(GameNode& node, LevelListener& listener) : m_node(node), m_listener(listener) {
  m_timeout.Stop(false);
  Qel::EventManager::GetInstance()->AddListener(kEventGameObject, this);
}

Game4Node::Level::~Level() {
  if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  Unload();
  TimingMark::SetSounds({});
}

// Text data.

void Game4Node::Level::ReadFile(const char* name) {
  m_reading = name;
  const bool found = TxtDataManager::Instance().LoadTxtData(name, *this);
  if (!found) Qel::Trace("WARN: Text data '%s' missing.\n", name);
  m_reading.clear();
}

void Game4Node::Level::RefuseValue(const char* key) const {
  ThrowErrorText("The value of '%s' in '%s' is cut short\n", key, m_reading.c_str());
}

void Game4Node::Level::SetTxtValue(const char* key, const char* value) {
  if (!key || !value) return;
  if (plat::EqualsIgnoringCase(key, "settings")) {
    ReadSettings(value);
  } else if (plat::EqualsIgnoringCase(key, "easy_settings")) {
    ReadDifficulty(value, 0);
  } else if (plat::EqualsIgnoringCase(key, "hard_settings")) {
    ReadDifficulty(value, 1);
  } else if (plat::EqualsIgnoringCase(key, "sequences")) {
    ReadSequences(value);
  } else if (plat::EqualsIgnoringCase(key, "metronome")) {
    ValueTokenizer tokens(value);
    const char* file = tokens.NextToken();
    const char* marks = tokens.NextToken();
    m_metronomeFile = file ? file : "";
    m_metronomeMarks = marks ? marks : "";
  } else if (plat::EqualsIgnoringCase(key, "timing_mark_sound")) {
    ReadPointSounds(value);
  } else if (plat::EqualsIgnoringCase(key, "sequence_sound")) {
    ValueTokenizer tokens(value);
    if (const char* file = tokens.NextToken())
      m_sequenceSound = m_node.GetSound("sequenceSound", file, false);
  } else if (plat::EqualsIgnoringCase(key, "moonfish")) {
    ReadSchool(value);
  } else if (plat::EqualsIgnoringCase(key, "bubbles")) {
    ReadBubbles(value);
  }
}

void Game4Node::Level::ReadSettings(const char* value) {
  ValueTokenizer tokens(value);
  m_sequenceCount = tokens.NextInt();
  m_bubbleSteps = tokens.NextInt();
  // The rows may have come first, made with a step count of 1: the level's own count holds.
  if (m_bubbles) {
    m_bubbles->SetStepCount(m_bubbleSteps);
  } else {
    m_bubbles = std::make_unique<BubbleList>(m_bubbleSteps);
  }
  AttachBubbles();
}

void Game4Node::Level::ReadDifficulty(const char* value, int side) {
  ValueTokenizer tokens(value);
  for (auto& setting : m_settings) setting[side] = tokens.NextInt();
}

void Game4Node::Level::ReadSequences(const char* value) {
  if (!m_sequences) m_sequences = std::make_unique<SequenceList>();
  m_sequences->DeleteAll();
  for (const std::string& name : Tokens(value)) m_sequences->Add(new Sequence(name.c_str(), m_bubbles.get()));
}

void Game4Node::Level::ReadPointSounds(const char* value) {
  const std::vector<std::string> tokens = Tokens(value);
  TimingMark::Sounds sounds;
  VariantSound** slots[] = {&sounds.sweet, &sounds.note, &sounds.shape, &sounds.none};
  for (size_t i = 0; i < m_pointSounds.size(); ++i) {
    m_pointSounds[i].reset();
    if (2 * i < tokens.size()) {
      GameSound* sound = m_node.GetSound(kPointSoundNames[i], tokens[2 * i].c_str(), false);
      const float variation = 2 * i + 1 < tokens.size() ? Variation(tokens[2 * i + 1]) : 0.0f;
      m_pointSounds[i] = std::make_unique<VariantSound>(sound, variation);
    }
    *slots[i] = m_pointSounds[i].get();
  }
  // The marks must never hold the sounds just replaced.
  TimingMark::SetSounds(sounds);
}

void Game4Node::Level::ReadSchool(const char* value) {
  const std::vector<std::string> tokens = Tokens(value);
  auto shapes = std::make_unique<ShapeList>();
  size_t at = 0;
  while (at < tokens.size()) {
    auto* sprite = dynamic_cast<SpriteObject*>(m_node.FindObject(tokens[at].c_str()));
    if (!sprite) break;
    if (at + 3 >= tokens.size()) RefuseValue("moonfish");
    const std::string& name = tokens[at];
    GameSound* fish = m_node.GetSound((name + "_fish").c_str(), tokens[at + 1].c_str(), false);
    GameSound* good = m_node.GetSound((name + "_good").c_str(), tokens[at + 2].c_str(), false);
    GameSound* bad = m_node.GetSound((name + "_bad").c_str(), tokens[at + 3].c_str(), false);
    shapes->Add(new Shape(sprite, fish, good, bad));
    at += 4;
  }
  if (at + 2 > tokens.size()) RefuseValue("moonfish");
  const int32_t repeatLimit = Decimal(tokens[at]);
  auto* school = dynamic_cast<SpriteObject*>(m_node.FindObject(tokens[at + 1].c_str()));
  // Marks of sequences still loaded point at the old shapes.
  if (m_sequences) {
    for (uint32_t i = 0; i < m_sequences->Count(); ++i) {
      TimingMarkList& marks = m_sequences->At(i)->GetLoadedMarks();
      for (uint32_t k = 0; k < marks.Count(); ++k) marks.Peek(k)->SetShape(-1, nullptr);
    }
  }
  m_school = std::make_unique<Moonfish>(school, std::move(shapes), repeatLimit);
}

void Game4Node::Level::ReadBubbles(const char* value) {
  const std::vector<std::string> tokens = Tokens(value);
  if (tokens.size() < 5) RefuseValue("bubbles");
  if (!m_bubbles) m_bubbles = std::make_unique<BubbleList>(1);
  m_bubbles->RemoveAll();
  const float variation = Variation(tokens[3]);
  m_popSound = std::make_unique<VariantSound>(m_node.GetSound("bubbles_pop_sound", tokens[2].c_str(), false),
                                              variation);
  m_blowSound = std::make_unique<VariantSound>(
      m_node.GetSound("bubbles_blow_sound", tokens[2].c_str(), false), variation);
  const int32_t count = std::clamp<int32_t>(Decimal(tokens[4]), 0, BubbleList::kMaxBubbles);
  for (int32_t i = 0; i < count; ++i) {
    char name[96];
    std::snprintf(name, sizeof name, "%s%02d", tokens[0].c_str(), i);
    auto* sprite = dynamic_cast<SpriteObject*>(m_node.FindObject(name));
    m_bubbles->Add(std::make_unique<Bubble>(sprite, m_popSound.get(), m_blowSound.get(), nullptr));
  }
  AttachBubbles();
}

void Game4Node::Level::AttachBubbles() {
  if (!m_sequences || !m_bubbles) return;
  for (uint32_t i = 0; i < m_sequences->Count(); ++i) {
    Sequence* sequence = m_sequences->At(i);
    if (!sequence->GetBubbleList()) sequence->SetBubbleList(m_bubbles.get());
  }
}

// Loading and checking a level.

void Game4Node::Level::LoadGlobals() {
  ReadFile("G4_globals");
}

void Game4Node::Level::LoadLevel(int32_t n) {
  m_sequences = std::make_unique<SequenceList>();
  m_levelIndex = n - 1;
  const std::string name = Numbered("level%02d_", n);
  ReadFile(name.c_str());
  CheckPlayable(name.c_str());
  m_sequenceIndex = 0;
  m_points = 0;
  m_sequences->SetCurrentIndex(0);
  m_success = true;
  SetSchoolAnimation(Moonfish::kRestAnimation);
  m_phase = kWaiting;
  m_timeout.Stop(false);
  PrepareCurrent(true);
  SetCheckBoxes(-1);
}

void Game4Node::Level::CheckPlayable(const char* levelName) {
  if (!m_sequences || m_sequences->IsEmpty())
    ThrowErrorText("Level file '%s' is missing or names no sequence\n", levelName);
  // The difficulty is interpolated over the count.
  if (m_sequenceCount < 1) ThrowErrorText("Level file '%s' gives a sequence count below 1\n", levelName);
  if (!m_school) ThrowErrorText("No moonfish school for '%s'\n", levelName);
  if (!m_school->GetSprite()) ThrowErrorText("The moonfish school of '%s' names no object\n", levelName);
  if (m_school->GetShapeCount() != kShapeCount)
    ThrowErrorText("The moonfish school of '%s' has not five shapes\n", levelName);
  if (const Sequence* missing = m_sequences->LoadAll())
    ThrowErrorText("Timing file '%s' missing\n", missing->GetName().c_str());
  for (uint32_t i = 0; i < m_sequences->Count(); ++i) {
    Sequence* sequence = m_sequences->At(i);
    const int32_t marks = static_cast<int32_t>(sequence->GetMarkCount());
    if (marks < kMinMarks || marks > kMaxMarks)
      ThrowErrorText("Timing file '%s' must hold 3 to 12 marks\n", sequence->GetName().c_str());
    // The weak mark second to last ends the demonstration.
    if (sequence->PeekMark(static_cast<uint32_t>(marks - 2))->IsStrong())
      ThrowErrorText("Timing file '%s' has a strong mark second to last\n", sequence->GetName().c_str());
  }
  CheckMetronome();
}

void Game4Node::Level::CheckMetronome() {
  if (m_metronomeMarks.empty()) return;
  // Read as the metronome itself will read them.
  MultiTimer probe("metronome check", nullptr, m_metronomeMarks.c_str());
  if (probe.IsEmpty()) return;
  uint32_t last = 0;
  for (uint32_t i = 0; i < probe.Count(); ++i) last = std::max(last, probe.At(i));
  // A cycle that ends before its last mark makes the next beat wait for ever.
  if (probe.GetWrap() < last)
    ThrowErrorText("Metronome marks '%s' wrap before their last mark\n", m_metronomeMarks.c_str());
}

// Sequences.

Game4Node::Sequence* Game4Node::Level::GetCurrentSequence() const {
  return m_sequences ? m_sequences->Current() : nullptr;
}

int32_t Game4Node::Level::MarkCount() const {
  Sequence* sequence = GetCurrentSequence();
  return sequence ? static_cast<int32_t>(sequence->GetMarkCount()) : 0;
}

int32_t Game4Node::Level::Interpolated(Setting setting, int32_t k) const {
  const int64_t n = m_sequenceCount;
  if (n == 0) return m_settings[setting][0];
  const int64_t easy = m_settings[setting][0];
  const int64_t hard = m_settings[setting][1];
  const int64_t value = (easy * n + (hard - easy) * k) / n;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void Game4Node::Level::StartSequence() {
  if (!GetCurrentSequence()) return;
  const bool completed = m_success && m_presses == MarkCount() - 2;
  m_points = 0;
  if (completed) {
    ++m_sequenceIndex;
    m_sequences->Next();
  } else {
    SetSchoolAnimation(Moonfish::kRestAnimation);
  }
  PrepareCurrent(completed);
  Qel::Trace("INFO: Game4 sequence %d of %d starts (%s).\n", m_sequenceIndex + 1, m_sequenceCount,
             completed ? "new shapes" : "again");
}

void Game4Node::Level::PrepareCurrent(bool newShapes) {
  Sequence* sequence = GetCurrentSequence();
  if (!sequence) return;
  sequence->SetCurrentMarkIndex(0);
  m_presses = 0;
  m_success = true;
  sequence->Prepare(static_cast<int32_t>(sequence->GetMarkCount()) - 2);
  if (newShapes && m_school) sequence->AssignShapes(*m_school);
  TimingMark::Sounds sounds{m_pointSounds[0].get(), m_pointSounds[1].get(), m_pointSounds[2].get(),
                            m_pointSounds[3].get()};
  TimingMark::SetSounds(sounds);
  TimingMark::SetWindows(Interpolated(kWindow, m_sequenceIndex), Interpolated(kSweet, m_sequenceIndex));
  TimingMark::SetPoints(Interpolated(kNotePoints, m_sequenceIndex),
                        Interpolated(kShapePoints, m_sequenceIndex));
  m_phase = kWaiting;
}

// The clock.

void Game4Node::Level::Update(int32_t nodeState) {
  Sequence* sequence = GetCurrentSequence();
  const uint32_t now = GameClock::Instance().GetTime();
  if (sequence && nodeState == kStateDemonstration) {
    if (m_phase == kWaiting && sequence->IsReady()) {
      m_phase = kReady;
    } else if (m_phase == kDemonstrating) {
      sequence->PollAll(now);
    }
  } else if (sequence && nodeState == kStateCopying) {
    if (m_phase == kWaiting) {
      m_phase = kCopying;
      sequence->ArmAll();
      m_timeout.Stop(false);
    } else if (m_phase == kCopying) {
      sequence->PollAll(now);
    }
  }
  m_timeout.PollAt(now);
}

void Game4Node::Level::OnMark(MultiTimer*) {
  Sequence* sequence = GetCurrentSequence();
  if (m_phase != kReady || !sequence) return;
  m_phase = kDemonstrating;
  TimingMark::SetOffset(1);
  sequence->ArmAll();
  sequence->PollAll(GameClock::Instance().GetTime());
  m_presses = 0;
}

void Game4Node::Level::HandleEvent(int kind, int id, void* data) {
  if (kind == kEventGameObject && id == kEventTimerExpired && data)
    OnTimerExpired(static_cast<GameTimer*>(data));
}

void Game4Node::Level::OnTimerExpired(GameTimer* timer) {
  const std::string_view name = timer->GetName();
  Sequence* sequence = GetCurrentSequence();
  if (timer == &m_timeout) {
    ShapesToNormal();
    SetSchoolAnimation(Moonfish::kRestAnimation);
    m_listener.OnSequenceResult(false, true);
    DisableShapes();
  } else if (sequence && StartsWith(name, kSweetStart)) {
    TimingMark* mark = sequence->CurrentMark();
    const int32_t index = static_cast<int32_t>(sequence->GetCurrentMarkIndex());
    const int32_t marks = MarkCount();
    if (!mark) return;
    if (m_phase == kDemonstrating && mark->IsStrong()) {
      if (m_school) m_school->FormShape(mark->GetShapeIndex(), mark->GetShape());
    } else if (m_phase == kDemonstrating && index == marks - 2) {
      m_listener.OnPlayersTurn();
      m_phase = kWaiting;
      m_timeout.Start(kTimeout);
    } else if (m_phase == kCopying && index == marks - 1) {
      ShapesToNormal();
      if (!m_success) {
        m_listener.OnSequenceResult(false, false);
      } else if (sequence->CountMissed() != 0) {
        m_listener.OnSequenceResult(false, true);
      }
      DisableShapes();
    }
  } else if (sequence && StartsWith(name, kSweetStop)) {
    TimingMark* mark = sequence->CurrentMark();
    if (m_phase == kDemonstrating && mark && mark->IsStrong()) {
      if (m_school) m_school->ReleaseShape(mark->GetShapeIndex(), mark->GetShape());
    }
    sequence->NextMark();
  } else {
    return;
  }
  timer->Stop(false);
}

// Presses.

void Game4Node::Level::OnShapePressed(int32_t i) {
  if (m_school) m_school->FormShape(i, nullptr);
}

int32_t Game4Node::Level::GetShapePoints(int32_t i) {
  Sequence* sequence = GetCurrentSequence();
  if (!sequence || !m_school) return 0;
  if (Shape* shape = m_school->GetShape(i)) shape->PlayFish();
  const int32_t marks = MarkCount();
  const int32_t previous = m_presses;
  m_presses = previous + 1;
  if (previous >= marks - 2) {
    sequence->SetCurrentMarkIndex(static_cast<uint32_t>(marks - 2));
    if (TimingMark* mark = sequence->PeekMark(static_cast<uint32_t>(marks - 2))) mark->StopTimers(true);
    if (TimingMark* mark = sequence->PeekMark(static_cast<uint32_t>(marks - 1))) mark->StopTimers(true);
    return 0;
  }
  const uint32_t mark = sequence->GetCurrentMarkIndex();
  const int64_t t = static_cast<int64_t>(GameClock::Instance().GetTime() - m_listener.GetPressTime());
  int64_t points = sequence->Score(t, i);
  if (points == 0) m_success = false;
  if (m_presses == marks - 2) {
    sequence->SetCurrentMarkIndex(static_cast<uint32_t>(marks - 3));
    if (TimingMark* next = sequence->PeekMark(static_cast<uint32_t>(marks - 2))) next->StopTimers(true);
    if (TimingMark* next = sequence->PeekMark(static_cast<uint32_t>(marks - 1))) next->StopTimers(true);
    if (m_success) points += Interpolated(kBonus, m_sequenceIndex);
  }
  const int32_t scored = static_cast<int32_t>(std::clamp<int64_t>(points, INT32_MIN, INT32_MAX));
  m_points = static_cast<int32_t>(std::clamp<int64_t>(int64_t{m_points} + scored, INT32_MIN, INT32_MAX));
  Qel::Trace("INFO: Game4 press of shape %d at mark %u, t %lld: %d points.\n", i, mark,
             static_cast<long long>(t), scored);
  return scored;
}

void Game4Node::Level::OnShapeReleased(int32_t i) {
  if (m_school) m_school->ReleaseShape(i, nullptr);
  if (!GetCurrentSequence() || m_presses != MarkCount() - 2) return;
  ShapesToNormal();
  if (m_success) {
    if (m_sequenceSound) m_sequenceSound->Play(false, true);
    if (m_school) m_school->FormShape(Moonfish::kSuccessFigure, nullptr);
    SetCheckBoxes(m_sequenceIndex);
    if (m_sequenceIndex + 1 < m_sequenceCount) {
      m_listener.OnSequenceResult(true, false);
    } else {
      m_listener.OnLevelComplete();
      m_sequences.reset();
      m_metronomeFile.clear();
      m_metronomeMarks.clear();
    }
  } else {
    SetSchoolAnimation(Moonfish::kRestAnimation);
    m_listener.OnSequenceResult(false, false);
  }
  DisableShapes();
}

void Game4Node::Level::OnSoundFinished(GameSound* sound) {
  if (sound && sound->GetEngineSound())
    Qel::Trace("INFO: Game4 sound '%s' finished.\n", sound->GetEngineSound()->GetId().c_str());
}

bool Game4Node::Level::IsSequenceSoundPlaying() const {
  return m_sequenceSound && m_sequenceSound->GetEngineSound() &&
         m_sequenceSound->GetEngineSound()->IsPlaying();
}

void Game4Node::Level::Unload() {
  m_sequences.reset();
  for (auto& sound : m_pointSounds) sound.reset();
  TimingMark::SetSounds({});
  m_school.reset();
  m_bubbles.reset();
  m_popSound.reset();
  m_blowSound.reset();
  m_metronomeFile.clear();
  m_metronomeMarks.clear();
}

// The node's objects.

void Game4Node::Level::SetSchoolAnimation(uint32_t animation) {
  if (m_school && m_school->GetSprite()) m_school->GetSprite()->SetAnimation(animation, 0);
}

void Game4Node::Level::ShapesToNormal() {
  if (!m_school) return;
  for (int32_t k = 0; k < kShapeCount; ++k) {
    if (Shape* shape = m_school->GetShape(k)) shape->NormalLook();
  }
}

void Game4Node::Level::DisableShapes() {
  for (int32_t k = 0; k < kShapeCount; ++k) {
    if (auto* shape = dynamic_cast<Clickable*>(m_node.FindObject(Numbered("shape%d", k).c_str())))
      shape->ClearEnabled();
  }
}

void Game4Node::Level::SetCheckBoxes(int32_t tickedUpTo) {
  for (int32_t k = 0; k < kCheckBoxCount; ++k) {
    if (auto* box = dynamic_cast<SpriteObject*>(m_node.FindObject(Numbered("CheckBox_%d", k).c_str())))
      box->SetAnimation(k <= tickedUpTo ? 1 : 0, 0);
  }
}
