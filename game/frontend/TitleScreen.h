// The title screen: the first node of the game, which plays the opening movies one after another and
// then asks for the sign-in screen.
#pragma once

#include <cstdint>

#include "frontend/ScreenNode.h"

class TitleScreen : public ScreenNode {
public:
  // The opening movies in the order they play.
  static constexpr int32_t kMovieCount = 6;
  static const char* const kMovies[kMovieCount];

  TitleScreen();
  ~TitleScreen() override;

  // Names the node, adds the "TitleScreen" database with its objects and data, and turns captions off
  // until the sign-in screen sets the player's own switch.
  void Activate() override;
  // Removes the "TitleScreen" database, then the room's deactivation.
  void Deactivate() override;
  // Starts the first movie once; after the last, asks for the sign-in screen on every update.
  void Update() override;
  // A press that reaches the node skips the rest of the opening.
  void OnLeftButtonDown(const InputEventInfo& input) override;
  void OnRightButtonDown(const InputEventInfo& input) override;
  // A character while no movie plays skips the rest of the opening (one during a movie only stops
  // that movie, before the node sees it).
  void OnChar(uint16_t code) override;
  // A movie has ended or was stopped: the next one starts here, inside the movie player's resume.
  void Resume(void* data) override;

  bool IsStarted() const { return m_started; }
  bool IsSequenceDone() const { return m_sequenceDone; }
  // The movie that plays (0 to 5); -1 after the last.
  int32_t GetStep() const { return m_step; }

private:
  void RequestSignIn();

  bool m_started = false;
  bool m_sequenceDone = false;
  int32_t m_step = 0;
};
