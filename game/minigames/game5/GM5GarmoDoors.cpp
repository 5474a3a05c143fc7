// The shark and its three doors.
#include <algorithm>

#include "game5/Game5Node.h"
#include "game5/Gm5Sprites.h"
#include "platform/win/kernel/Random.h"

namespace {

constexpr Game5Node::GM5GarmoDoors::Looks kLooks[15] = {
    {1, 2, 1000}, {1, 2, 900}, {1, 3, 800}, {1, 3, 700}, {2, 4, 600}, {2, 4, 500}, {2, 4, 400}, {2, 4, 350},
    {2, 4, 300},  {2, 4, 250}, {2, 4, 200}, {2, 4, 180}, {2, 4, 150}, {2, 4, 120}, {2, 4, 100},
};

// The shark's animations at a door, from the door's base.
constexpr int32_t kAnimsPerDoor = 8;
constexpr int32_t kAppearSome = 2;
constexpr int32_t kAppearMany = 4;
constexpr int32_t kHit = 6;
constexpr int32_t kLeaving = 7;

// The shark moves to another door by itself every 10 to 15 seconds.
constexpr int32_t kMoveInterval = 10000;
constexpr int32_t kMoveSpread = 5000;

bool IsDoor(int32_t index) {
  return index >= 0 && index < Game5Node::GM5GarmoDoors::kDoorCount;
}

}  // namespace

Game5Node::GM5GarmoDoors::Looks Game5Node::GM5GarmoDoors::LooksFor(int32_t level) {
  return kLooks[std::clamp(level, 1, 15) - 1];
}

Game5Node::GM5GarmoDoors::GM5GarmoDoors() {
  m_rects[0].Set({118, 110}, {110, 78});
  m_rects[1].Set({364, 26}, {94, 92});
  m_rects[2].Set({600, 110}, {98, 70});
  m_rects[kFloorRect].Set({-100, 560}, {1000, 140});
}

void Game5Node::GM5GarmoDoors::ShowDoors() {
  for (int32_t i = 0; i < kDoorCount; ++i) {
    // A closed door rests on the closing's last frame.
    if (i == m_door) {
      gm5::Animate(m_doorSprites[static_cast<size_t>(i)], kDoorOpen, 0);
    } else {
      gm5::Animate(m_doorSprites[static_cast<size_t>(i)], kDoorClosing, 2);
    }
  }
}

void Game5Node::GM5GarmoDoors::PlaySharkAnimation() {
  gm5::Animate(m_shark, static_cast<uint32_t>(m_sharkAnim));
}

bool Game5Node::GM5GarmoDoors::IsSharkShowing() const {
  return (m_sharkAnim >= 0 && m_sharkAnim <= 5) || (m_sharkAnim >= 8 && m_sharkAnim <= 13) ||
         (m_sharkAnim >= 16 && m_sharkAnim <= 21);
}

int32_t Game5Node::GM5GarmoDoors::FindRect(Qel::Point2 point) const {
  for (size_t i = 0; i < m_rects.size(); ++i) {
    if (m_rects[i].Contains(point)) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t Game5Node::GM5GarmoDoors::TestBall(Qel::Point2 point) {
  const int32_t rect = FindRect(point);
  if (rect < 0 || !IsSharkShowing()) return kNothing;
  if (rect == m_door) {
    ++m_goals;
    OnGoal();
    return kGoal;
  }
  return rect == kFloorRect ? kFloor : kNothing;
}

void Game5Node::GM5GarmoDoors::DrawNewDoor() {
  int32_t door = m_door;
  while (door == m_door || !IsDoor(door)) door = ScaledDraw(plat::win::rand(), kDoorCount);
  m_door = door;
}

int32_t Game5Node::GM5GarmoDoors::NextMoveTime() const {
  return GameTimeNow() + kMoveInterval + ScaledDraw(plat::win::rand(), kMoveSpread);
}

void Game5Node::GM5GarmoDoors::OnGoal() {
  m_moveAt = NextMoveTime();
  m_sharkAnim = kAnimsPerDoor * m_door + kHit;
  m_prevDoor = m_door;
  DrawNewDoor();
  PlaySharkAnimation();
}

bool Game5Node::GM5GarmoDoors::UpdateMoveTimer() {
  if (m_moveAt == -1) {
    m_moveAt = NextMoveTime();
    return false;
  }
  if (!gm5::IsPast(m_moveAt)) return false;
  m_moveAt = NextMoveTime();
  m_sharkAnim = kAnimsPerDoor * m_door + kLeaving;
  m_prevDoor = m_door;
  DrawNewDoor();
  PlaySharkAnimation();
  return true;
}

bool Game5Node::GM5GarmoDoors::OnSharkLooped(int32_t /*level*/) {
  if (UpdateMoveTimer()) return true;
  const int32_t step = m_sharkAnim % kAnimsPerDoor;
  if (step == 0 || step == kAppearSome || step == kAppearMany) {
    ++m_sharkAnim;
    PlaySharkAnimation();
  } else if (step == kHit || step == kLeaving) {
    if (gm5::IsShown(m_shark)) {
      gm5::SetShown(m_shark, false);
      m_phase = kClosing;
      CloseDoor(m_prevDoor);
    }
  }
  return false;
}

void Game5Node::GM5GarmoDoors::OnDoorAnimationEnded(int32_t /*index*/, int32_t /*level*/) {
  if (m_phase == kClosing) {
    m_phase = kOpening;
    OpenDoor(m_door);
  } else if (m_phase == kOpening) {
    m_phase = kWaiting;
    m_returnAt = -1;
  }
}

void Game5Node::GM5GarmoDoors::UpdateReturn(int32_t level) {
  if (m_phase != kWaiting) return;
  if (m_returnAt == -1) {
    m_returnAt = GameTimeNow() + LooksFor(level).returnDelay;
    return;
  }
  if (!gm5::IsPast(m_returnAt)) return;
  m_phase = kShown;
  gm5::SetShown(m_shark, true);
  ShowSharkAtDoor(level);
}

void Game5Node::GM5GarmoDoors::ShowSharkAtDoor(int32_t level) {
  const Looks looks = LooksFor(level);
  const int32_t offset = m_goals >= looks.many ? kAppearMany : m_goals >= looks.some ? kAppearSome : 0;
  m_sharkAnim = kAnimsPerDoor * m_door + offset;
  PlaySharkAnimation();
}

void Game5Node::GM5GarmoDoors::OpenDoor(int32_t index) {
  if (IsDoor(index)) gm5::Animate(m_doorSprites[static_cast<size_t>(index)], kDoorOpening);
}

void Game5Node::GM5GarmoDoors::CloseDoor(int32_t index) {
  if (IsDoor(index)) gm5::Animate(m_doorSprites[static_cast<size_t>(index)], kDoorClosing);
}
