// The help page: a full-screen picture whose sequence shows the help of one game, over a background
// that dismisses it, with the captions of that game's help lines.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Overlay.h"

class Ambient;
class Clickable;
class GenericObject;
class UnClickableGameButton;

// The node that opens it plays the help lines and turns the pages (SetPageSequence); a click on the
// background (IsBackground) closes it. It is visible from its construction.
class HelpDialog : public Overlay {
public:
  static constexpr int32_t kLastPage = 40;

  // The background "<name>HelpDismisstY42l" over the whole screen, the pictures "HelpPausegrxL7m"
  // and the page "HelpObjectsLt4d", the exit art "HelpExit"; the captions of the node's help (see
  // GetCaptionsOf). Throws as SpriteObject does when a sprite is missing.
  HelpDialog(const char* name, uint32_t nodeId);
  // Removes and deletes its objects.
  ~HelpDialog() override;

  void Show() override {}
  void Hide() override {}

  bool IsBackground(const GenericObject* object) const;
  // Pages 0..kLastPage show that sequence from its first frame; any other value changes nothing.
  void SetPageSequence(int32_t page);

  // The caption resource of the help of a node: "SignIn" for a node without help of its own.
  static const char* GetCaptionsOf(uint32_t nodeId);

  Clickable* GetBackground() const { return m_background.get(); }
  Ambient* GetPicture() const { return m_picture.get(); }
  Ambient* GetPageObject() const { return m_pageObject.get(); }
  UnClickableGameButton* GetExitArt() const { return m_exitArt.get(); }

private:
  std::unique_ptr<Clickable> m_background;
  std::unique_ptr<Ambient> m_picture;
  std::unique_ptr<Ambient> m_pageObject;
  std::unique_ptr<UnClickableGameButton> m_exitArt;
};
