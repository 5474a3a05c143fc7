// The hub: the wrapping underwater panorama between the mini-games, with its scenery buttons, the four
// buttons fixed to the screen, the talking cast and the bubbles that rise from the pointer.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "frontend/HubActor.h"
#include "frontend/MouseBubbles.h"
#include "frontend/ProgressNode.h"

class Ambient;
class Background;
class CHubHud;
class GameButton;
class GameSound;
class GenericObject;
class HubHotspot;
class Player;
class SpriteObject;

// The hub saves the player's slot on arrival, so a game button only leaves for its game; the back
// arrow and Escape save again. Its buttons stay disabled for the first moments after arrival, while
// the scroll lock of its HUD holds the view still.
class HubNode : public ProgressNode {
public:
  // The panorama: four panels and a fifth that repeats the first, so that the view wraps.
  static constexpr int32_t kPanelWidth = 800;
  static constexpr int32_t kPanoramaWidth = 3200;
  static constexpr int32_t kPanelCount = 5;
  static constexpr int32_t kStripCount = 4;
  static constexpr int32_t kCastCount = 3;
  // The cast: index of each fish in the cast.
  static constexpr int32_t kPilo = 0;
  static constexpr int32_t kTovin = 1;
  static constexpr int32_t kZelka = 2;
  // The rows of the layout of the scenery buttons.
  static constexpr int32_t kGameButtonRows = 11;
  // A saved scroll position of this much or more is not one the hub wrote.
  static constexpr int32_t kScrollLimit = 4000;
  // How long the buttons stay disabled after arrival.
  static constexpr int32_t kArrivalLockMs = 100;
  static constexpr int32_t kScenicCursor = 14;
  static constexpr int32_t kButtonCursor = 1;

  HubNode();
  ~HubNode() override;

  // Saves the slot, builds the panorama, the buttons and the cast at the saved scroll position, and
  // opens the progress screen at once after a new high score.
  void Activate() override;
  // Keeps the overall level for the next greeting, then takes down what Activate built.
  void Deactivate() override;
  // At most once per 8 ms of the game clock: the buttons unlocked once the arrival's moment has
  // passed, the talk (greeting, then scrolling and the side swap), the bubbles, the buttons that
  // follow the view, the signs' idles, the hover lines and the cast's talking flags.
  void Update() override;
  // The end of the speech ends a greeting or the help lines.
  void OnSpeechEvent(int id, void* data) override;
  // Escape (after the first frames) saves and asks whether to quit; space only stops the speech.
  void OnChar(uint16_t code) override;
  // After a movie the hub's music comes back.
  void Resume(void* data) override;
  void OnObjectClicked(GenericObject* object) override;
  // The room data is read only for the speakers.
  void SetTxtValue(const char* key, const char* value) override;

  // Reserved for the hub; does nothing.
  virtual void HubHook(int32_t value);

  // Panels p and p + 1 are attached, the others not.
  void ShowPanels(int32_t panel);
  // The view follows a pointer resting near the left or right edge, faster nearer it, and wraps
  // around the panorama; the strips move faster than the view; the cast swims along. Nothing while
  // the view is locked; the cast only keeps its place while a fish talks, and rests while the
  // pointer is in the bottom band.
  void UpdateScrolling();
  // The cast to the view, and the speakers' places with it, before a talk starts.
  void PlaceCast();
  // Loops of a visible cast body lead its swim on; every loop then reaches the speakers as an end.
  void OnAnimationLooped(GenericObject* object) override;
  // The end of a swim across completes the side swap; the end of a bubble's rise frees it.
  void OnAnimationEnded(GenericObject* object) override;

  // The speaker slot of a cast member on its side of the screen.
  int32_t SpeakerSlotOf(int32_t member) const;

  CHubHud* GetHubHud() const { return m_hubHud.get(); }
  bool IsArrivalLocked() const { return m_arrivalLock; }
  int32_t GetUnlockTime() const { return m_unlockTime; }
  int32_t GetTalkState() const { return m_talkState; }
  bool AreMoviesUnlocked() const { return m_moviesUnlocked; }
  // The scenery button of a row of the layout; null where the row made none.
  GameButton* GetGameButton(int32_t row) const;
  GameButton* GetBackButton() const { return m_backButton.get(); }
  GameButton* GetProgressButton() const { return m_progressButton.get(); }
  GameButton* GetMovieButton() const { return m_movieButton.get(); }
  GameButton* GetHelpButton() const { return m_helpButton; }
  Background* GetPanel(int32_t index) const;
  bool IsPanelShown(int32_t index) const;
  Ambient* GetStrip(int32_t index) const;
  HubActor& GetCast(int32_t member) { return m_cast[static_cast<size_t>(member)]; }
  const HubActor& GetCast(int32_t member) const { return m_cast[static_cast<size_t>(member)]; }
  MouseBubbles& GetMouseBubbles() { return m_mouseBubbles; }
  const MouseBubbles& GetMouseBubbles() const { return m_mouseBubbles; }
  int32_t GetScrollDirection() const { return m_scrollDirection; }
  int32_t GetShownPanel() const { return m_shownPanel; }
  GameSound* GetAmbientSound() const { return m_ambientSound; }
  const std::vector<GenericObject*>& GetClickPoints() const { return m_clickPoints; }
  const std::vector<GameButton*>& GetButtons() const { return m_buttons; }
  const std::vector<GenericObject*>& GetSigns() const { return m_signs; }
  const std::vector<std::unique_ptr<HubHotspot>>& GetHotspots() const { return m_hotspots; }

private:
  struct GameButtonRow;
  static const GameButtonRow kLayout[kGameButtonRows];

  // Activation, step by step.
  void LoadHubObjects(bool lowSpec);
  void CreateGameButtons();
  bool IsRowCreated(const GameButtonRow& row) const;
  void FindSigns();
  void CreatePanorama(bool lowSpec);
  void CreateCast();
  void PlaceCastAtStart();
  void SetUpSpeakers();
  void CreateBubbles();
  void CreateScreenButtons();
  // The saved scroll position, made one the panorama can show.
  int32_t RestoreScroll();

  // Activation's own buttons and sprites: taken out of the node, then deleted.
  template <typename T>
  void Drop(std::unique_ptr<T>& object);
  void DropAll();

  // The update step.
  void Unlock();
  void StepTalk(int32_t now);
  void StepSignIdles();
  void StepHoverLines(int32_t now);
  void StepSideSwap(int32_t now);
  // Queues the greeting that applies; false when none does.
  bool QueueGreeting();
  void QueueHoverLines(int32_t target);
  // The help button's lines by the player's progress; nothing while the cast swims across.
  void SpeakHelp();
  // Lines of Pilo, Tovin and Zelka, each through its speaker on the side the cast is on.
  struct Line {
    int32_t member;
    const char* name;
  };
  void Queue(std::initializer_list<Line> lines);
  void StartTalk();
  bool AllVisibleBodiesShow(uint32_t animation) const;
  bool AnyVisibleBodyShows(uint32_t animation) const;

  // Scrolling.
  void MoveCast(int32_t x);
  bool IsAnyFishTalking() const;
  bool IsAnyFishSwimmingAcross() const;
  // The strips' step against the view's and their wrap around the panorama.
  void MoveStrips(int32_t step, int32_t oldX);
  void ShiftStrips(int32_t dx);

  // The save of the arrival, the back arrow and Escape.
  static void SaveSlot();
  // The scenery button's row, or null.
  const GameButtonRow* RowOf(const GenericObject* object) const;

  bool m_arrivalLock = false;
  int32_t m_unlockTime = -1;
  int32_t m_swapHoverTime = -1;
  int32_t m_lineHoverTime = -1;
  int32_t m_greetingTime = 0;
  int32_t m_talkState = 0;
  int32_t m_panel = 0;
  int32_t m_shownPanel = 0;
  bool m_moviesUnlocked = false;
  int32_t m_lastStepTime = -1;
  std::unique_ptr<CHubHud> m_hubHud;
  int32_t m_scrollDirection = 0;
  int32_t m_lastScrollDirection = 0;
  std::array<HubActor, kCastCount> m_cast;
  std::array<std::unique_ptr<GameButton>, kGameButtonRows> m_gameButtons;
  std::unique_ptr<GameButton> m_backButton;
  std::array<std::unique_ptr<Ambient>, kStripCount> m_foregrounds;
  // Objects of the object file, deleted with it.
  SpriteObject* m_tribalSign = nullptr;
  SpriteObject* m_moonfishSign = nullptr;
  SpriteObject* m_shellGameSign = nullptr;
  GenericObject* m_dazodOrerSign1 = nullptr;
  GenericObject* m_dazodOrerSign2 = nullptr;
  std::array<std::unique_ptr<Background>, kPanelCount> m_backgrounds;
  std::array<bool, kPanelCount> m_backgroundShown{};
  // In the node's sound list.
  GameSound* m_ambientSound = nullptr;
  MouseBubbles m_mouseBubbles;
  std::vector<GenericObject*> m_clickPoints;
  std::vector<GameButton*> m_buttons;
  std::vector<GenericObject*> m_signs;
  std::vector<std::unique_ptr<HubHotspot>> m_hotspots;
  std::unique_ptr<GameButton> m_progressButton;
  std::unique_ptr<GameButton> m_movieButton;
  // Of the object file.
  GameButton* m_helpButton = nullptr;
  // The object file loaded: the low-spec machines' or the others'.
  const char* m_objectFile = "";
  // The cast's sprites, four per fish: right body, left body, right mouth, left mouth.
  std::array<std::unique_ptr<Player>, kCastCount * 4> m_castSprites;
  std::array<std::unique_ptr<Ambient>, MouseBubbles::kBubbleCount> m_bubbleSprites;
};
