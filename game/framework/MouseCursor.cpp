// The game's own mouse cursor: an animated sprite that follows the mouse above every node's scene.
#include "framework/MouseCursor.h"

#include <algorithm>

#include "core/Point3.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "framework/ApplicationClock.h"
#include "framework/MainApp.h"
#include "graphics/LoadSpriteFromStream.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/Sprite.h"

namespace {
constexpr const char* kGroupName = "CursorGroup";
constexpr const char* kSpriteName = "MouseCursor";
}  // namespace

MouseCursor& MouseCursor::Instance() {
  static MouseCursor cursor;
  return cursor;
}

MouseCursor::MouseCursor() = default;

MouseCursor::~MouseCursor() = default;

void MouseCursor::Init(const char* spriteName) {
  if (m_sprite) Group().RemoveChild(kSpriteName);
  m_sprite.reset();

  std::shared_ptr<Qel::Stream> stream;
  if (spriteName)
    Qel::ResourceManager::GetInstance()->OpenStream(Qel::NameHash(spriteName), Qel::kTypeSprite, stream);
  if (stream) {
    m_sprite = Qel::LoadSpriteFromStream(*stream, GetApp().GetDisplay(), 0, &ApplicationClock::Instance(),
                                         true, nullptr);
  }
  if (!m_sprite) {
    // Without any game data the first node's fatal error names the data folders; this line would
    // only point away from them.
    if (GetApp().GetMissingGameData().empty())
      Qel::Trace("WARN: No cursor sprite '%s'; the cursor is not drawn.\n", spriteName ? spriteName : "");
    m_kind = 0;
    return;
  }
  m_sprite->SetName(kSpriteName);
  Group().AddChild(m_sprite);
  // The new sprite shows nothing yet, whatever kind was chosen before it.
  m_kind = kNoKind;
  SetCursor(0);
  if (m_shown) {
    UpdatePosition();
  } else {
    PlaceSprite();
  }
}

void MouseCursor::Shutdown() {
  Stop();
  if (m_group) m_group->RemoveAllChildren();
  m_sprite.reset();
  m_group.reset();
}

void MouseCursor::Attach(Qel::Scene& scene) {
  Qel::SceneWorld& world = scene.GetWorld();
  // A group left there from before a Shutdown would keep the name, and this one out.
  std::shared_ptr<Qel::SceneObject> there = world.FindChild(kGroupName);
  if (there && there.get() != m_group.get()) world.RemoveChild(kGroupName);
  Group();
  world.AddChild(m_group);
  Start();
}

void MouseCursor::Detach(Qel::Scene& scene) {
  scene.GetWorld().RemoveChild(kGroupName);
  Stop();
}

void MouseCursor::SetCursor(int32_t kind) {
  if (kind == m_kind) return;
  if (m_sprite) m_sprite->PlayAnimation(static_cast<uint32_t>(kind), 0);
  m_kind = kind;
}

void MouseCursor::Show() {
  if (m_shown) return;
  if (m_group) m_group->Show();
  m_shown = true;
  UpdatePosition();
}

void MouseCursor::Hide() {
  if (!m_shown) return;
  if (m_group) m_group->Hide();
  m_shown = false;
  m_position.Set(kHiddenPosition, kHiddenPosition);
}

void MouseCursor::SetHotspot(int32_t kind, const Qel::Point2& hotspot) {
  if (kind >= 0 && kind < kHotspotCount) m_hotspots[static_cast<size_t>(kind)] = hotspot;
}

Qel::Point2 MouseCursor::GetHotspot(int32_t kind) const {
  return kind >= 0 && kind < kHotspotCount ? m_hotspots[static_cast<size_t>(kind)] : Qel::Point2();
}

void MouseCursor::Tick() {
  if (m_shown) UpdatePosition();
}

int MouseCursor::Update() {
  Tick();
  return 0;
}

Qel::SceneObjectGroup& MouseCursor::Group() {
  if (!m_group) {
    m_group = std::make_shared<Qel::SceneObjectGroup>();
    m_group->SetName(kGroupName);
    m_group->SetLayer(0);
    if (!m_shown) m_group->Hide();
  }
  return *m_group;
}

void MouseCursor::FollowButton(const Qel::Point2& at) {
  if (!m_shown) return;
  MoveTo(at);
  PlaceSprite();
}

void MouseCursor::UpdatePosition() {
  // Without a display the mouse cannot be read; the last position stays.
  if (Qel::DisplayDevice* display = GetApp().GetDisplay()) MoveTo(display->GetMousePosition());
  PlaceSprite();
}

void MouseCursor::MoveTo(const Qel::Point2& mouse) {
  m_position.Set(std::min(std::max(mouse.X(), m_bounds.Left()), m_bounds.Right()),
                 std::min(std::max(mouse.Y(), m_bounds.Top()), m_bounds.Bottom()));
}

void MouseCursor::PlaceSprite() {
  if (!m_sprite) return;
  const Qel::Point2 at = m_position - GetHotspot(m_kind);
  m_sprite->SetLocalPosition(Qel::Point3(at, kDepth));
}

void MouseCursor::ResetForTesting() {
  Shutdown();
  m_kind = kNoKind;
  m_position = Qel::Point2();
  m_shown = true;
  m_enabled = true;
  m_hotspots = {};
  m_bounds = Qel::Rect{-9999, -9999, 10000, 10000};
}
