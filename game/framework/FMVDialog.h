// The movie gallery: the movies the player has unlocked, three at a time with arrows to scroll, a
// spoken narration, and an exit button.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/Overlay.h"

class CCSound;
class Clickable;
class GameButton;
class GenericObject;
class PlayerData;
class UnClickableGameButton;

// The node that shows the gallery hands it the clicks (HandleClick) and closes it when the exit button
// is clicked; when a movie played from it has ended, the node calls ResetControls. Its objects animate
// on the application clock, as the game is paused while it is shown.
class FMVDialog : public Overlay {
public:
  static constexpr int32_t kMovieCount = 7;
  // Movie buttons shown at once.
  static constexpr int32_t kShownCount = 3;
  static constexpr int32_t kButtonX = 140;
  static constexpr int32_t kButtonY[kShownCount] = {60, 239, 415};

  // Builds the background "<name>DialogBG", the exit button and its art, the two arrows (the "_sdl"
  // art on a display without alpha blending) and one button for each unlocked movie, in movie order;
  // loads the captions "FMVScreen" and plays the narration: "4440", "4441" and "4442" in turn once the
  // player's gallery flag is set, else "4450". Throws as SpriteObject does when a sprite is missing.
  explicit FMVDialog(const char* name);
  // Removes and deletes its objects and the narration.
  ~FMVDialog() override;

  void Show() override {}
  void Hide() override {}
  // The next part of the narration once the one before has ended, then the object updates.
  void Update() override;

  // A movie button hides the gallery's objects, stops the narration and plays its movie; the arrows
  // scroll the list by one. True only for the exit button: the caller then closes the gallery.
  bool HandleClick(GenericObject* object);
  // Shows the gallery's objects again, with both arrows enabled and the entries of the list's place.
  void ResetControls();

  // Whether the progress record unlocks movie 0..6; false for any other number.
  static bool IsMovieUnlocked(int32_t movie, const PlayerData& data);
  // The movie resource of a button's sequence: "Placeholder" outside 0..6.
  static const char* GetMovieName(uint32_t sequence);

  // Null past the unlocked movies.
  Clickable* GetMovieButton(int32_t place) const;
  int32_t GetMovieCount() const { return m_movieCount; }
  int32_t GetFirstShown() const { return m_firstShown; }
  Clickable* GetBackground() const { return m_background.get(); }
  GameButton* GetUpArrow() const { return m_upArrow.get(); }
  GameButton* GetDownArrow() const { return m_downArrow.get(); }
  UnClickableGameButton* GetExitArt() const { return m_exitArt.get(); }
  Clickable* GetExitButton() const { return m_exitButton.get(); }
  CCSound* GetNarration() const { return m_narration.get(); }
  uint32_t GetNarrationStep() const { return m_narrationStep; }

private:
  // Shows the buttons firstShown .. firstShown + 2 at their places and hides the others.
  void RefreshEntries();
  void StartNarration(const char* line, uint32_t captionNumber);

  std::unique_ptr<Clickable> m_background;
  std::array<std::unique_ptr<Clickable>, kMovieCount> m_movieButtons;
  std::unique_ptr<GameButton> m_upArrow;
  std::unique_ptr<GameButton> m_downArrow;
  int32_t m_firstShown = 0;
  int32_t m_movieCount = 0;
  std::unique_ptr<UnClickableGameButton> m_exitArt;
  std::unique_ptr<Clickable> m_exitButton;
  std::unique_ptr<CCSound> m_narration;
  uint32_t m_narrationStep = 0;
};
