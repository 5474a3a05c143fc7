// The music game's recorder and its bar of segments.
#include "game3/Game3Recorder.h"

#include <algorithm>
#include <cstdio>

#include "core/EventManager.h"
#include "core/Trace.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GenericObject.h"
#include "framework/MainApp.h"
#include "graphics/SceneObject.h"

namespace {

uint32_t Now() {
  return GameClock::Instance().GetTime();
}

// Timer names carry a running number: the list's address would not fit the timer's 31 characters.
uint32_t NextListNumber() {
  static uint32_t number = 0;
  return ++number;
}

}  // namespace

Game3Node::InputTraceList::InputTraceList(Game3Node& node) : m_node(node) {
  const uint32_t number = NextListNumber();
  std::snprintf(m_mainName, sizeof m_mainName, "InputTraceList_%08X_main", number);
  std::snprintf(m_statesName, sizeof m_statesName, "InputTraceList_%08X_states", number);
  MakeTimers();
  Qel::EventManager::GetInstance()->AddListener(kEventInput, this);
}

Game3Node::InputTraceList::~InputTraceList() {
  // Leaving the game in the middle of a run ends it here: nothing is posted or recorded after.
  m_state = kIdle;
  m_oneMoreEvent = false;
  Qel::Periodical::Stop();
  if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  m_main.reset();
  m_states.reset();
  DeleteEvents();
}

void Game3Node::InputTraceList::MakeTimers() {
  m_main.reset();
  m_states.reset();
  m_main = std::make_unique<MultiTimer>(m_mainName, this, nullptr);
  m_states = std::make_unique<MultiTimer>(m_statesName, this, nullptr);
}

void Game3Node::InputTraceList::DeleteEvents() {
  for (uint32_t i = 0; i < Count(); ++i) delete At(i);
  Clear();
}

void Game3Node::InputTraceList::AddMark(MultiTimer& timer, uint32_t elapsed) {
  uint32_t mark = std::max<uint32_t>(elapsed, 1);
  if (!timer.IsEmpty()) mark = std::max(mark, timer.At(timer.Count() - 1) + 1);
  timer.Add(mark);
}

void Game3Node::InputTraceList::StartRecording(const TraceState& state) {
  if (m_state != kIdle) return;
  m_state = kRecording;
  m_startTime = Now();
  m_pauseStart.reset();
  DeleteEvents();
  m_stateList.clear();
  MakeTimers();
  Qel::Periodical::Start();
  RecordState(state);
  m_oneMoreEvent = false;
}

void Game3Node::InputTraceList::RecordState(const TraceState& state) {
  if (m_state != kRecording) return;
  AddMark(*m_states, Now() - m_startTime);
  m_stateList.push_back(state);
}

void Game3Node::InputTraceList::Stop() {
  if (m_state == kIdle) return;
  if (m_state == kReplaying) {
    m_main->Stop(true);
    m_states->Stop(true);
  } else {
    // On replay the main timer comes back to its first mark once the recorded length has passed.
    uint32_t length = Now() - m_startTime;
    if (!m_main->IsEmpty()) length = std::max(length, m_main->At(m_main->Count() - 1) + 1);
    m_main->SetWrap(length);
    m_oneMoreEvent = true;
  }
  m_state = kIdle;
  Qel::Periodical::Stop();
}

void Game3Node::InputTraceList::StartReplay() {
  if (m_state != kIdle || IsEmpty()) return;
  m_state = kReplaying;
  m_pauseStart.reset();
  m_startTime = Now();
  m_main->Start(true);
  if (!m_states->IsEmpty()) m_states->Start(true);
  Qel::Periodical::Start();
  m_oneMoreEvent = false;
}

void Game3Node::InputTraceList::PauseClock(uint32_t now) {
  if (!m_pauseStart) m_pauseStart = now;
}

void Game3Node::InputTraceList::ResumeClock(uint32_t now) {
  if (!m_pauseStart) return;
  m_startTime += now - *m_pauseStart;
  m_pauseStart.reset();
}

void Game3Node::InputTraceList::HandleEvent(int kind, int id, void* data) {
  if (kind != kEventInput || !data) return;
  if (m_state != kRecording) {
    if (!m_oneMoreEvent) return;
    m_oneMoreEvent = false;
  }
  const auto* info = static_cast<const InputEventInfo*>(data);
  switch (id) {
    case EventId::KeyDown:
    case EventId::KeyUp:
    case EventId::Char:
      Qel::Trace("***********> keyboard event\n");
      break;
    case EventId::MouseDown:
    case EventId::MouseUp: {
      GenericObject* help = m_node.FindObject("help");
      if (help && help->HitTest(info->position.X(), info->position.Y())) return;
      Qel::Trace("***********> mouse event\n");
      break;
    }
    default:
      return;
  }
  AddMark(*m_main, Now() - m_startTime);
  Add(new _InputTrace{id, *info});
}

int Game3Node::InputTraceList::Update() {
  const uint32_t now = Now();
  if (GetApp().IsPaused()) {
    PauseClock(now);
  } else {
    ResumeClock(now);
  }
  if (m_state == kReplaying) {
    m_main->PollAt(now);
    // A mark may have ended the replay.
    if (m_state == kReplaying) m_states->PollAt(now);
  } else if (m_state == kRecording && now - m_startTime >= kLongestRecording) {
    Stop();
  }
  return 0;
}

void Game3Node::InputTraceList::OnMark(MultiTimer* timer) {
  if (m_state != kReplaying) return;
  const uint32_t index = timer->GetCurrentIndex();
  if (timer == m_main.get()) {
    // Mark k posts event k; after the last mark the timer has come back to its first.
    const uint32_t event = index == 0 ? Count() - 1 : index - 1;
    if (_InputTrace* trace = At(event)) {
      InputEventInfo info = trace->info;
      Qel::EventManager::GetInstance()->PostEvent(kEventInput, trace->id, &info);
    }
    if (index == 0) Stop();
  } else if (timer == m_states.get()) {
    // Mark k applies snapshot k: the start state at the start, each later one at its own time.
    const uint32_t count = static_cast<uint32_t>(m_stateList.size());
    const uint32_t snapshot = index == 0 ? count - 1 : index - 1;
    if (snapshot < count && (m_stateList[snapshot].flags & TraceState::kCaptured))
      m_node.ApplyTraceState(m_stateList[snapshot]);
    if (index == 0 && m_states) m_states->Stop(false);
  }
}

Game3Node::RecordMeter::RecordMeter(Game3Node& node) {
  for (int i = 0;; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "rec_fill_%02d", i);
    GenericObject* segment = node.FindObject(name);
    if (!segment) break;
    m_recordSegments.push_back(segment);
  }
  for (int i = 0;; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "rec_fill2_%02d", i);
    GenericObject* segment = node.FindObject(name);
    if (!segment) break;
    m_replaySegments.push_back(segment);
  }
  for (GenericObject* segment : m_recordSegments) ::SetShown(segment, false);
  for (GenericObject* segment : m_replaySegments) ::SetShown(segment, false);
}

void Game3Node::RecordMeter::Start(Form form, uint32_t now) {
  m_form = form;
  m_active = true;
  m_startTime = now;
  m_pauseStart.reset();
}

void Game3Node::RecordMeter::PauseClock(uint32_t now) {
  if (m_active && !m_pauseStart) m_pauseStart = now;
}

void Game3Node::RecordMeter::ResumeClock(uint32_t now) {
  if (!m_active || !m_pauseStart) return;
  m_startTime += now - *m_pauseStart;
  m_pauseStart.reset();
}

void Game3Node::RecordMeter::Update(uint32_t now) {
  if (!m_active) {
    for (GenericObject* segment : m_recordSegments) ::SetShown(segment, false);
    for (GenericObject* segment : m_replaySegments) ::SetShown(segment, false);
    return;
  }
  const std::vector<GenericObject*>& segments = m_form == kRecordBar ? m_recordSegments : m_replaySegments;
  const uint32_t shown = (now - m_startTime) / kSegmentMs;
  for (size_t i = 0; i < segments.size(); ++i) ::SetShown(segments[i], i < shown);
}
