// The two rows of progress bubbles.
#include "game4/BubbleList.h"

Game4Node::BubbleList::BubbleList(int32_t stepCount) : m_stepCount(stepCount) {}

Game4Node::BubbleList::~BubbleList() = default;

Game4Node::Bubble* Game4Node::BubbleList::At(int32_t i) {
  if (i < 0) return nullptr;
  return m_bubbles.At(static_cast<uint32_t>(i));
}

void Game4Node::BubbleList::Add(std::unique_ptr<Bubble> bubble) {
  if (!bubble || Count() >= kMaxBubbles) return;
  m_bubbles.Add(bubble.get());
  m_owned.push_back(std::move(bubble));
}

void Game4Node::BubbleList::RemoveAll() {
  m_bubbles.Clear();
  m_bubbles.SetCurrentIndex(0);
  m_owned.clear();
}

void Game4Node::BubbleList::Reset(int32_t target) {
  for (int32_t row : {0, kRowLength}) {
    for (int32_t i = row + kRowLength - 1; i >= row; --i) {
      if (Bubble* bubble = At(i)) bubble->Reset();
    }
  }
  m_target = target;
  m_cursor = 0;
  m_stepCounter = 0;
  m_mode = kFilling;
}

bool Game4Node::BubbleList::ReadyStep() {
  if (m_mode == kReady) return true;
  if (m_mode != kFilling) return false;
  if (m_stepCount <= 0) {
    while (m_cursor < m_target) {
      if (Bubble* bubble = At(m_cursor)) bubble->Show();
      ++m_cursor;
    }
  } else if (++m_stepCounter >= m_stepCount) {
    m_stepCounter = 0;
    if (m_cursor < m_target) {
      if (Bubble* bubble = At(m_cursor)) bubble->Show();
      ++m_cursor;
    }
  }
  if (m_cursor < m_target) return false;
  FinishFilling();
  return true;
}

void Game4Node::BubbleList::FinishFilling() {
  m_cursor = 0;
  m_mode = kReady;
}

void Game4Node::BubbleList::MarkPress(bool scored) {
  if (Bubble* bubble = At(m_cursor + kRowLength)) {
    if (scored) {
      bubble->Blow();
    } else {
      bubble->Pop();
    }
  }
  ++m_cursor;
}
