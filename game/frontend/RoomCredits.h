// The credits roll: sixteen pages stacked below the screen rise over looping music; when the last
// has left the top, or at any click, the slot is saved and the hub comes back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "frontend/RoomNode.h"

class Clickable;
class SpriteObject;

class RoomCredits : public RoomNode {
public:
  static constexpr int32_t kPageCount = 16;
  // Pixels per second, upward.
  static constexpr float kRollSpeed = 40.0f;

  // The pages' sprites are decompressed while the roll exists: they are drawn moving every frame.
  RoomCredits();
  ~RoomCredits() override;

  // Adds the "credits" database, loads the room data and pages, starts the music, lays the pages
  // out below the screen edge to edge and sets them rising. A missing page throws.
  void Activate() override;
  // Takes out the dismiss box and the "credits" database, then the room's deactivation.
  void Deactivate() override;
  // Pages past the top stop and hide; once the last has, the roll ends.
  void Update() override;
  // A click anywhere ends the roll.
  void OnObjectClicked(GenericObject* object) override;

  SpriteObject* GetPage(int32_t index) const { return m_pages[static_cast<size_t>(index)]; }
  Clickable* GetDismissBox() const { return m_dismissBox.get(); }
  bool IsFinished() const { return m_finished; }

private:
  // Stops the music, saves the player's progress and asks for the hub, once.
  void Finish();
  // Puts the rising pages below the first of them edge to edge again.
  void KeepPagesTogether();
  static bool IsPastTop(const SpriteObject& page);

  std::unique_ptr<Clickable> m_dismissBox;
  // In the node's object list.
  std::array<SpriteObject*, kPageCount> m_pages{};
  bool m_finished = false;
};
