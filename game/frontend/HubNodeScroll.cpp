// The hub's scrolling: the view that follows the pointer at the screen's edges around the wrapping
// panorama, the panels attached under it, the strips, and the cast that swims along and swaps sides.
#include "frontend/HubNode.h"

#include <algorithm>

#include "core/Point2.h"
#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/Player.h"
#include "framework/SpriteObject.h"
#include "frontend/CHubHud.h"

namespace {

// The pointer scrolls the view beyond these screen columns, and not in the band below this row.
constexpr int32_t kRightEdge = 600;
constexpr int32_t kLeftEdge = 200;
constexpr int32_t kBottomBand = 510;
// Every 20 pixels nearer the edge a step faster, up to the eighth.
constexpr int32_t kSpeedBand = 20;
constexpr int32_t kMaxSpeedStep = 8;

enum Direction : int32_t { kStill = 0, kViewLeft = 1, kViewRight = 2 };

// The cast's members in the order their bodies are tested for the end of a swim across.
constexpr int32_t kSwapOrder[] = {HubNode::kZelka, HubNode::kTovin, HubNode::kPilo};

}  // namespace

void HubNode::MoveCast(int32_t x) {
  for (HubActor& actor : m_cast) actor.MoveTo(static_cast<float>(x), 0.0f);
}

bool HubNode::IsAnyFishTalking() const {
  return std::any_of(m_cast.begin(), m_cast.end(), [](const HubActor& actor) { return actor.IsTalking(); });
}

bool HubNode::IsAnyFishSwimmingAcross() const {
  return std::any_of(m_cast.begin(), m_cast.end(), [](const HubActor& actor) {
    return actor.GetVisibleAnimation() == HubActor::kSwimAcross;
  });
}

void HubNode::MoveStrips(int32_t step, int32_t oldX) {
  for (auto& strip : m_foregrounds) {
    if (!strip) continue;
    float x = strip->GetX() + static_cast<float>(step);
    // A strip that has left the view on one side comes back on the other.
    if (step < 0 && x < static_cast<float>(oldX - kPanelWidth)) x += static_cast<float>(kPanoramaWidth);
    if (step > 0 && x > static_cast<float>(oldX + kPanelWidth)) x -= static_cast<float>(kPanoramaWidth);
    strip->SetPosition(x, strip->GetY());
  }
}

void HubNode::ShiftStrips(int32_t dx) {
  for (auto& strip : m_foregrounds) {
    if (strip) strip->SetPosition(strip->GetX() + static_cast<float>(dx), strip->GetY());
  }
}

void HubNode::UpdateScrolling() {
  if (m_hubHud && m_hubHud->IsScrollLocked()) return;
  const Qel::Point2 scroll = GetScroll();
  if (IsAnyFishTalking()) {
    MoveCast(scroll.X());
    return;
  }
  Qel::Point2 pointer;
  MouseCursor::Instance().GetPosition(pointer);
  if (pointer.Y() > kBottomBand) {
    for (HubActor& actor : m_cast) actor.RequestStop();
    m_scrollDirection = m_lastScrollDirection = kStill;
    MoveCast(scroll.X());
    return;
  }
  if (IsAnyFishSwimmingAcross()) return;

  const bool right = pointer.X() > kRightEdge;
  const bool left = pointer.X() < kLeftEdge;
  if (right || left) {
    const int32_t k =
        std::min(kMaxSpeedStep, (right ? pointer.X() - kRightEdge : kLeftEdge - pointer.X()) / kSpeedBand);
    const int32_t speed = 7 * k / 4;
    const bool lowSpec = GetApp().IsLowSpec();
    // The strips lie nearer than the scenery, so they pass faster than the view.
    const int32_t stripStep = speed / 10 + speed;
    int32_t x = scroll.X();
    if (right) {
      x += speed;
      if (!lowSpec) MoveStrips(-stripStep, scroll.X());
      if (x >= kPanoramaWidth) {
        x -= kPanoramaWidth;
        if (!lowSpec) ShiftStrips(-kPanoramaWidth);
      }
    } else {
      x -= speed;
      if (!lowSpec) MoveStrips(stripStep, scroll.X());
      if (x < 0) {
        x += kPanoramaWidth;
        if (!lowSpec) ShiftStrips(kPanoramaWidth);
      }
    }
    m_panel = x / kPanelWidth;
    if (m_panel != m_shownPanel) ShowPanels(m_panel);
    m_scrollDirection = x == scroll.X() ? kStill : right ? kViewRight : kViewLeft;
    SetScroll(x, scroll.Y());
    ActivePlayerData.hubCounter = static_cast<uint32_t>(x);
  } else {
    m_scrollDirection = kStill;
  }

  MoveCast(GetScroll().X());
  if (m_scrollDirection != m_lastScrollDirection) {
    for (HubActor& actor : m_cast) {
      if (m_scrollDirection == kStill) {
        actor.RequestStop();
      } else if (m_scrollDirection == kViewLeft) {
        actor.FollowLeft();
      } else {
        actor.FollowRight();
      }
    }
  }
  m_lastScrollDirection = m_scrollDirection;
  m_shownPanel = m_panel;
}

void HubNode::PlaceCast() {
  const int32_t x = GetScroll().X();
  MoveCast(x);
  for (int32_t member = 0; member < kCastCount; ++member)
    SetSpeakerOffset(SpeakerSlotOf(member), static_cast<float>(x), 0.0f);
}

void HubNode::OnAnimationLooped(GenericObject* object) {
  for (HubActor& actor : m_cast) {
    if (object && actor.GetVisibleBody() == object) actor.OnBodyLooped();
  }
  // The speakers' animator reads the loops of the sprites it moves as the ends of its moves.
  RoomNode::OnAnimationEnded(object);
}

void HubNode::OnAnimationEnded(GenericObject* object) {
  const auto* sprite = dynamic_cast<const SpriteObject*>(object);
  if (sprite && sprite->GetAnimationId() == HubActor::kSwimAcross) {
    for (const int32_t member : kSwapOrder) {
      if (m_cast[static_cast<size_t>(member)].FinishSwimAcross(object)) return;
    }
  }
  if (GetApp().IsAlphaCapable()) m_mouseBubbles.Release(m_mouseBubbles.IndexOf(object));
}
