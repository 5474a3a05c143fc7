// The game's own mouse cursor: an animated sprite that follows the mouse above every node's scene.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/Periodical.h"
#include "core/Point2.h"
#include "core/Rect.h"

namespace Qel {
class Scene;
class SceneObjectGroup;
class Sprite;
}  // namespace Qel

// The system pointer is hidden; this draws the cursor instead, one sprite animation per cursor kind.
// Every operation works without a sprite (before Init, after Shutdown, or when the sprite resource is
// missing): kind, flags and position are kept and nothing is drawn.
class MouseCursor : public Qel::Periodical {
public:
  static constexpr int32_t kNoKind = -1;
  static constexpr int32_t kHotspotCount = 32;
  // In front of everything a node's scene holds.
  static constexpr int32_t kDepth = 9999;
  // Where a hidden cursor stands, so that no object is under the pointer.
  static constexpr int32_t kHiddenPosition = -9999;

  // Built on first use; destroyed at exit.
  static MouseCursor& Instance();

  ~MouseCursor() override;
  MouseCursor(const MouseCursor&) = delete;
  MouseCursor& operator=(const MouseCursor&) = delete;

  // Builds the cursor sprite from the sprite resource of that name, timed by the application clock so
  // that it animates also while the game is paused, and selects kind 0.
  void Init(const char* spriteName);
  // Stops ticking, empties the cursor group and lets go of the sprite and the group.
  void Shutdown();

  // The cursor group joins the world of a node's scene, and the cursor ticks while it is there.
  void Attach(Qel::Scene& scene);
  void Detach(Qel::Scene& scene);

  // Plays the kind's animation from its first frame, unless it is the kind shown already.
  void SetCursor(int32_t kind);
  int32_t GetCursor() const { return m_kind; }

  // Showing follows the mouse at once; hiding parks the position at (-9999, -9999).
  void Show();
  void Hide();
  bool IsShown() const { return m_shown; }

  // While disabled, sprite objects are not hit and mouse buttons reach nothing.
  void SetEnabled(bool enabled) { m_enabled = enabled; }
  bool IsEnabled() const { return m_enabled; }

  // The offset from the pointer to the picture's corner, for kinds 0 to 31; other kinds have none and
  // are ignored here.
  void SetHotspot(int32_t kind, const Qel::Point2& hotspot);
  Qel::Point2 GetHotspot(int32_t kind) const;

  // The rectangle, edges included, that the position is kept in.
  void SetBounds(const Qel::Rect& bounds) { m_bounds = bounds; }
  const Qel::Rect& GetBounds() const { return m_bounds; }

  // The mouse position of the last update, within the bounds.
  void GetPosition(Qel::Point2& out) const { out = m_position; }
  // A button pressed or released there moves the position at once (while shown): a pointer that jumps
  // and clicks within one frame, as a tap does, is where the click is, not where the last update saw it.
  void FollowButton(const Qel::Point2& at);

  // Per frame: follows the mouse while shown.
  void Tick();
  int Update() override;

  // Null without a sprite.
  Qel::Sprite* GetSprite() const { return m_sprite.get(); }

  // Test seam: shut down, shown, enabled, without hotspots and unbounded, as first built.
  void ResetForTesting();

private:
  MouseCursor();

  // Made again on demand after Shutdown, with the shown flag.
  Qel::SceneObjectGroup& Group();
  void UpdatePosition();
  // The position, kept within the bounds.
  void MoveTo(const Qel::Point2& mouse);
  // The picture's corner: the position less the current kind's hotspot.
  void PlaceSprite();

  int32_t m_kind = kNoKind;
  std::shared_ptr<Qel::Sprite> m_sprite;
  std::shared_ptr<Qel::SceneObjectGroup> m_group;
  Qel::Point2 m_position;
  bool m_shown = true;
  bool m_enabled = true;
  std::array<Qel::Point2, kHotspotCount> m_hotspots{};
  Qel::Rect m_bounds{-9999, -9999, 10000, 10000};
};
