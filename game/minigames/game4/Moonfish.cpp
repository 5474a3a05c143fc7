// The moonfish school.
#include "game4/Moonfish.h"

#include "framework/SpriteObject.h"
#include "game4/ShapeList.h"
#include "platform/win/kernel/Random.h"

Game4Node::Moonfish::Moonfish(SpriteObject* school, std::unique_ptr<ShapeList> shapes, int32_t repeatLimit)
    : m_school(school), m_shapes(std::move(shapes)), m_repeatLimit(repeatLimit) {
  if (!m_shapes) m_shapes = std::make_unique<ShapeList>();
}

Game4Node::Moonfish::~Moonfish() = default;

uint32_t Game4Node::Moonfish::GetShapeCount() const {
  return m_shapes->Count();
}

int32_t Game4Node::Moonfish::NextRandomShape() {
  const int32_t count = static_cast<int32_t>(m_shapes->Count());
  if (count == 0) return -1;
  int32_t pick = plat::win::rand() % count;
  if (pick == m_lastPick) {
    if (m_repeats < m_repeatLimit) {
      ++m_repeats;
      return pick;
    }
    // With a single shape there is nothing else to draw.
    while (count > 1 && pick == m_lastPick) pick = plat::win::rand() % count;
  }
  m_repeats = 0;
  m_lastPick = pick;
  return pick;
}

void Game4Node::Moonfish::FormShape(int32_t i, Shape* shape) {
  if (m_school) m_school->SetAnimation(static_cast<uint32_t>(3 * i + 5), 0);
  if (shape) shape->PlayFish();
}

void Game4Node::Moonfish::ReleaseShape(int32_t i, Shape* shape) {
  if (m_school) m_school->SetAnimation(static_cast<uint32_t>(3 * i + 7), 0);
  if (shape) shape->NormalLook();
}

Game4Node::Shape* Game4Node::Moonfish::GetShape(int32_t i) {
  if (i < 0) return nullptr;
  return m_shapes->At(static_cast<uint32_t>(i));
}
