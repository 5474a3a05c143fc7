// The swim game's hoop: its four parts, their layout and the side test.
#include "game6/Game6Hoop.h"

#include <string>

#include "framework/GenericObject.h"

namespace {

constexpr const char* kPartSuffix[] = {" - top", " - left", " - bottom", " - right"};
constexpr int32_t kPartDepth[] = {2, 1, 2, 3};
// Whatever depth each is drawn at, the collision test compares the objects at this one.
constexpr int32_t kTestDepth = 2;

}  // namespace

Game6Node::CHoop::CHoop(const char* name, const char* topSprite, const char* leftSprite, const char* bottomSprite,
                        const char* rightSprite) {
  const char* sprites[] = {topSprite, leftSprite, bottomSprite, rightSprite};
  for (int32_t i = 0; i < kPartCount; ++i) {
    const std::string partName = std::string(name ? name : "") + kPartSuffix[i];
    m_parts[static_cast<size_t>(i)] = std::make_unique<Ambient>(partName.c_str(), sprites[i], 0);
  }
}

Game6Node::CHoop::~CHoop() = default;

void Game6Node::CHoop::Layout() {
  for (int32_t i = 0; i < kPartCount; ++i) {
    Ambient& part = *m_parts[static_cast<size_t>(i)];
    const Qel::Point2& offset = m_offsets[static_cast<size_t>(i)];
    part.SetAnchorPoint(m_anchors[static_cast<size_t>(i)]);
    part.SetPosition(static_cast<float>(m_position.X() + kPartShiftX + m_shift.X() + m_partShift.X() + offset.X()),
                     static_cast<float>(m_position.Y() + m_shift.Y() + m_partShift.Y() + offset.Y()));
    part.SetZ(kPartDepth[i]);
    if (i != kLeft) part.EnableCollision();
  }
}

bool Game6Node::CHoop::Collides(GenericObject& a, GenericObject& b) {
  const int32_t depthA = a.GetZ();
  const int32_t depthB = b.GetZ();
  a.SetZ(kTestDepth);
  b.SetZ(kTestDepth);
  const bool touching = a.CollidesWith(b);
  a.SetZ(depthA);
  b.SetZ(depthB);
  return touching;
}

int32_t Game6Node::CHoop::HitSide(GenericObject& fish) {
  Ambient& right = *m_parts[kRight];
  right.SetZ(1);
  int32_t side = kNone;
  if (Collides(*m_parts[kTop], fish)) {
    side = kHitTop;
  } else if (Collides(*m_parts[kBottom], fish)) {
    side = kHitBottom;
  } else if (Collides(right, fish)) {
    side = kHitRight;
  }
  right.SetZ(2);
  return side;
}

int Game6Node::CHoop::Tick() {
  for (std::unique_ptr<Ambient>& part : m_parts) part->Update();
  return Periodical::Update();
}
