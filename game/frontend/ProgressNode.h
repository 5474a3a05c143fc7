// The progress node: a room that opens the progress, movie and help screens from its buttons, and
// narrates the help screen line by line.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "frontend/RoomNode.h"

class CCSound;
class FMVDialog;
class GameSound;
class GenericObject;
class HelpDialog;
class Overlay;
class ProgressDialog;

// The base of the sign-in screen, the hub and the mini-games. While one of its screens is open the
// game is paused and the room's sounds wait; closing a screen brings the cursor kind of before back.
// Callers queue the help lines first and then open the help screen; the lines play one after another
// with their page pictures while it is open, and the page returns to picture 0 after the last.
class ProgressNode : public RoomNode {
public:
  // The gallery's and the progress screen's closing click.
  static constexpr const char* kClickSoundName = "ProgressClick4mx8";
  static constexpr const char* kClickSoundFile = "ButtonDown4";
  // The sound of the help line that plays.
  static constexpr const char* kHelpLineName = "HelpDlgm7";

  ProgressNode();
  // Drops the progress and movie screens, stops the narration and drops the help screen, and
  // releases the click sound.
  ~ProgressNode() override;

  // Deletes the screens closed since the last frame; while the help screen is open, the narration's
  // step, also while the game is paused.
  void UpdateAlways() override;
  // After a movie: when the movie screen is open, its controls come back.
  void Resume(void* data) override;
  // The open screen's closing click (progress, then movie, then help screen), then the room's.
  void OnObjectClicked(GenericObject* object) override;

  void OpenProgressScreen();
  void CloseProgressScreen();
  void OpenMovieScreen();
  void CloseMovieScreen();
  // The music name is not used; the page is the caller's node id.
  void OpenHelpScreen(const char* musicName, uint32_t page);
  // Stops the narration and closes the help screen; posts 102/1005 with the node. No click.
  void CloseHelpScreen();
  // With clearFirst the lines left from before are dropped; the line joins the back of the queue.
  void QueueHelpLine(const char* file, int32_t lineNumber, int32_t pageSequence, bool clearFirst);
  // Stops and deletes the line that plays and empties the queue.
  void StopHelpNarration();

  ProgressDialog* GetProgressScreen() const { return m_progressScreen.get(); }
  bool IsProgressScreenOpen() const { return m_progressScreenOpen; }
  FMVDialog* GetMovieScreen() const { return m_movieScreen.get(); }
  bool IsMovieScreenOpen() const { return m_movieScreenOpen; }
  HelpDialog* GetHelpScreen() const { return m_helpScreen.get(); }
  bool IsHelpScreenOpen() const { return m_helpScreenOpen; }
  bool IsNarrationRunning() const { return m_narrationRunning; }
  size_t GetQueuedHelpLineCount() const { return m_helpLines.size(); }
  CCSound* GetNarration() const { return m_narration.get(); }
  int32_t GetNarrationLineNumber() const { return m_narrationLineNumber; }
  GameSound* GetClickSound() const { return m_clickSound; }

protected:
  // Starts the front line of the queue; nothing while a movie plays, with an empty queue or without
  // a help screen.
  void PlayNextHelpLine();
  // The next line once the one before has ended; page picture 0 after the last.
  void UpdateHelpNarration();

private:
  struct HelpLine {
    std::string file;
    int32_t lineNumber = 0;
    int32_t pageSequence = 0;
  };

  // The steps that the progress and movie screens share before and after their own.
  void PrepareScreen();
  void FinishScreen();
  // A screen closes from inside its own click, while its object list is still being walked: it is
  // detached at once and deleted at the next frame.
  void Retire(std::unique_ptr<Overlay> screen);

  // In the node's sound list.
  GameSound* m_clickSound = nullptr;
  std::unique_ptr<ProgressDialog> m_progressScreen;
  bool m_progressScreenOpen = false;
  std::unique_ptr<FMVDialog> m_movieScreen;
  bool m_movieScreenOpen = false;
  std::unique_ptr<HelpDialog> m_helpScreen;
  bool m_helpScreenOpen = false;
  // A line was started and the queue has not yet run out.
  bool m_narrationRunning = false;
  std::deque<HelpLine> m_helpLines;
  std::unique_ptr<CCSound> m_narration;
  int32_t m_narrationLineNumber = 0;
  int32_t m_savedCursorKind = 0;
  std::vector<std::unique_ptr<Overlay>> m_closedScreens;
};
