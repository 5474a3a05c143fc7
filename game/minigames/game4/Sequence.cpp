// A sequence of timing marks.
#include "game4/Sequence.h"

#include "framework/TxtDataManager.h"
#include "game4/BubbleList.h"
#include "game4/Moonfish.h"
#include "game4/Shape.h"

Game4Node::Sequence::Sequence(const char* name, BubbleList* bubbles)
    : m_name(name ? name : ""), m_bubbles(bubbles), m_working(std::make_unique<TimingMarkList>()) {}

Game4Node::Sequence::~Sequence() = default;

void Game4Node::Sequence::Prepare(int32_t n) {
  if (m_bubbles) m_bubbles->Reset(n);
  m_working->CopyFrom(m_loaded);
  m_working->SetCurrentIndex(0);
  m_expectedPresses = n;
}

bool Game4Node::Sequence::IsReady() {
  return !m_bubbles || m_bubbles->ReadyStep();
}

Game4Node::BubbleList* Game4Node::Sequence::EnsureBubbleList(int32_t stepCount) {
  if (!m_bubbles) {
    m_ownBubbles = std::make_unique<BubbleList>(stepCount);
    m_bubbles = m_ownBubbles.get();
  }
  return m_bubbles;
}

bool Game4Node::Sequence::Load() {
  const bool found = TxtDataManager::Instance().LoadTxtData(m_name.c_str(), m_loaded);
  m_working = std::make_unique<TimingMarkList>();
  m_working->CopyFrom(m_loaded);
  return found;
}

int32_t Game4Node::Sequence::Score(int64_t t, int32_t shape) {
  const int32_t points = m_working->ScorePress(t, shape);
  if (m_bubbles) m_bubbles->MarkPress(points != 0);
  if (points == 0) {
    TimingMark* mark = CurrentMark();
    if (mark && mark->GetShape()) mark->GetShape()->PlayBad();
  }
  return points;
}

Game4Node::TimingMark* Game4Node::Sequence::CurrentMark() {
  return m_working->Current().get();
}
Game4Node::TimingMark* Game4Node::Sequence::NextMark() {
  return m_working->Next().get();
}
void Game4Node::Sequence::SetCurrentMarkIndex(uint32_t i) {
  m_working->SetCurrentIndex(i);
}
uint32_t Game4Node::Sequence::GetCurrentMarkIndex() const {
  return m_working->GetCurrentIndex();
}
uint32_t Game4Node::Sequence::GetMarkCount() const {
  return m_working->Count();
}

void Game4Node::Sequence::AssignShapes(Moonfish& school) {
  for (uint32_t i = 0; i < m_working->Count(); ++i) {
    const int32_t k = school.NextRandomShape();
    m_working->Peek(i)->SetShape(k, school.GetShape(k));
  }
  m_working->SetCurrentIndex(0);
}

template <typename Step>
void Game4Node::Sequence::Walk(Step step) {
  const uint32_t saved = m_working->GetCurrentIndex();
  for (uint32_t i = 0; i < m_working->Count(); ++i) {
    m_working->SetCurrentIndex(i);
    step(*m_working->Current());
    // The level steps to the next mark at a sweet spot's end: that only moves the walk on.
    if (m_working->GetCurrentIndex() > i) i = m_working->GetCurrentIndex();
  }
  m_working->SetCurrentIndex(saved);
}

void Game4Node::Sequence::ArmAll() {
  Walk([](TimingMark& mark) { mark.Arm(); });
}

void Game4Node::Sequence::PollAll(uint32_t now) {
  Walk([now](TimingMark& mark) { mark.Poll(now); });
}

int32_t Game4Node::Sequence::CountMissed() {
  if (!m_bubbles) return 0;
  const int32_t half = (static_cast<int32_t>(m_bubbles->Count()) + 1) / 2;
  int32_t missed = 0;
  for (int32_t k = 0; k < half && k < BubbleList::kRowLength; ++k) {
    Bubble* shown = m_bubbles->At(k);
    Bubble* copied = m_bubbles->At(k + BubbleList::kRowLength);
    // A copy bubble the level file does not give cannot be judged.
    if (shown && copied && shown->IsBlown() && !copied->IsBlown()) ++missed;
  }
  return missed;
}
