// The game node: the base of every screen, room and mini-game, driven by the node manager.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/IEventListener.h"
#include "core/Point2.h"
#include "framework/IHasLoadableTxtData.h"
#include "framework/InputEventInfo.h"
#include "framework/ObjectList.h"
#include "framework/SoundList.h"
#include "graphics/Scene.h"

namespace Qel {
class SceneObjectGroup;
class SceneWorld;
}  // namespace Qel
class Ambient;
class CCSound;
class ClosedCaption;
class GameSound;
class GameTimer;
class GenericObject;
class Hud;
class LipSyncSound;
class Overlay;
class TextObject;
class YesNoDialog;

// The node manager activates a node after building it, updates it every frame and deactivates it
// before deleting it. Every input, game-object, sound, pause and speech event reaches the node's
// HandleEvent, which offers it to the modal overlay, the HUD and the objects in depth order before the
// node's own handler. While a modal overlay is shown the game is paused: the game clock stands,
// Update is skipped, the node's sounds are paused and input reaches only the overlay.
class GameNode : public Qel::IEventListener, public IHasLoadableTxtData {
public:
  static constexpr size_t kNameCapacity = 32;
  static constexpr size_t kPromptCapacity = 32;
  // The character that opens and closes the quit dialog.
  static constexpr uint16_t kEscape = 27;
  // Depths of the caption panel, just below the mouse cursor.
  static constexpr int32_t kCaptionTextDepth = 9996;
  static constexpr int32_t kCaptionBarDepth = 9995;

  // Starts a new sprite loader, makes the node scene (world "Node scene") with the scrolling "Node
  // world" and the fixed "CC world" (both on draw layer 3), builds the hidden caption panel
  // ("nodeCCtext", "nodeCCname", "nodeCCbar" with the sprite "ccBar") and puts the mouse cursor into
  // the scene, shown and enabled. Throws as SpriteObject does when "ccBar" is missing.
  GameNode();
  // Deletes the timers and the caption, the caption panel, the quit dialog (detached first when it is
  // open) and any other modal overlay still attached (detached, not deleted); takes the cursor out of
  // the scene; lets go of the worlds, the scene, the sprite loader and the sounds. Objects are not
  // deleted, except as Deactivate does.
  ~GameNode() override;
  GameNode(const GameNode&) = delete;
  GameNode& operator=(const GameNode&) = delete;

  // Routes an event by kind and id.
  void HandleEvent(int kind, int id, void* data) override;

  // Subscribes to the application-state, game-object, character, input and sound events, shows the
  // node cursor kind, and resumes the application when a previous node left it paused.
  virtual void Activate();
  // Unsubscribes from the same event kinds, then removes and deletes the loaded objects.
  virtual void Deactivate();
  // Per frame while the application is not paused: the node cursor kind unless the pointer is over
  // something active, the object updates, the timers, the HUD's update, the time of this update.
  virtual void Update();
  // Per frame, also while paused: the arrow while paused and over nothing active, then the modal
  // overlay's update.
  virtual void UpdateAlways();

  // The node's own handlers, called last in the routing; empty here.
  virtual void OnLeftButtonDown(const InputEventInfo& input);
  virtual void OnLeftButtonUp(const InputEventInfo& input);
  virtual void OnRightButtonDown(const InputEventInfo& input);
  virtual void OnRightButtonUp(const InputEventInfo& input);
  virtual void OnChar(uint16_t code);
  virtual void OnKeyUp(uint16_t code);
  virtual void OnKeyDown(uint16_t code);
  virtual void OnSoundFinished(GameSound* sound);
  virtual void OnSoundLooped(GameSound* sound);
  // A movie starts (data: its name): hides the HUD and the node world, pauses the node's sounds and
  // stops the music.
  virtual void Pause(void* data);
  // The movie is over: shows the HUD and the node world and resumes the node's sounds, unless a modal
  // overlay is attached (its sounds stay paused until it is hidden). The music is not restarted.
  virtual void Resume(void* data);
  virtual void OnTimer(GameTimer* timer);
  virtual void OnObjectClicked(GenericObject* object);
  virtual void OnAnimationLooped(GenericObject* object);
  virtual void OnAnimationEnded(GenericObject* object);
  virtual void OnObjectArrived(GenericObject* object);
  virtual void OnSpeechEvent(int id, void* data);
  // The player answered yes in the quit dialog; the quit flag is set after it.
  virtual void OnQuitConfirmed();
  // Saves the cursor's kind, visible and enabled flags, shows the arrow, attaches and shows the
  // overlay, pauses the node's sounds and the game.
  virtual void ShowOverlay(Overlay* overlay);
  // Hides and detaches the overlay, restores the cursor, resumes the node's sounds unless the program
  // quits or a node change is pending, and resumes the game.
  virtual void HideOverlay(Overlay* overlay);

  // Text data of the node: ignored here.
  void SetTxtValue(const char* key, const char* value) override;

  // Draws the node scene onto the display's back buffer: the view box (0, 0, 0) to (800, 600, 10000)
  // at screen offset (0, 0); while a movie plays, the movie player draws its frame there instead.
  void Draw();

  // A longer name keeps its first 31 characters.
  void SetName(const char* name);
  const char* GetName() const { return m_name; }

  // The objects of the object-definition resource join the loaded list and the node; false, with
  // nothing added, when the resource is missing.
  bool LoadObjects(const char* resourceName);
  // Feeds every key = value pair of the text-data resource to SetTxtValue.
  bool LoadTxtData(const char* resourceName);
  // Without regard to case; null for none.
  GenericObject* FindObject(const char* name) const;
  // An object that the node cannot do without, of the class it needs, from the definition file it
  // loaded: never null. A missing one ends the program through the thrown text
  // "Object '<name>' missing from '<file>'\n", one of another class through
  // "Object '<name>' of '<file>' is of another class\n".
  template <typename T>
  T* RequireObject(const char* name, const char* fileName) const {
    GenericObject* object = FindObject(name);
    if (!object) ThrowMissingObject(name, fileName);
    T* typed = dynamic_cast<T*>(object);
    if (!typed) ThrowMistypedObject(name, fileName);
    return typed;
  }
  // Attaches the object to the node world and lists it by depth; a duplicate name throws
  // "Error: Object with duplicate name '%s'\n". The node does not own it.
  void AddObject(GenericObject* object);
  // Takes the object out of the node world and the list; not deleted. An object that is not in the
  // node changes nothing.
  void RemoveObject(GenericObject* object);
  void AddLoadedObjects();
  // Removes and deletes every loaded object.
  void RemoveLoadedObjects();

  // Makes the overlay the modal overlay, attached to the node scene, or drops it, without the other
  // steps of ShowOverlay and HideOverlay.
  void AttachOverlay(Overlay* overlay);
  void DetachOverlay(Overlay* overlay);
  // The node does not own its HUD.
  void ShowHud(Hud* hud);
  void HideHud(Hud* hud);

  // Moves the node world to (-x, -y); the caption panel, overlays and the HUD do not scroll.
  void SetScroll(int32_t x, int32_t y);
  Qel::Point2 GetScroll() const { return m_scroll; }

  // Creates the node's caption on first use (on the game clock) and adds the caption resource to it;
  // false when there is no such resource.
  bool LoadCaptions(const char* resourceName);
  void HideCaption();

  // The node's sound of that name (without regard to case), else a new pausable one made from the
  // file.
  GameSound* GetSound(const char* name, const char* file, bool streamed);
  // The same for a sound captioned on the node's caption (none before LoadCaptions: it only plays);
  // a file that does not load is replaced by "placeholder" under the same name. A sound of that name
  // of another class is not taken for one of these: the request throws
  // "Error: Sound '%s' is of another kind\n".
  CCSound* GetCCSound(const char* name, const char* file, uint32_t captionNumber, bool streamed);
  LipSyncSound* GetLipSyncSound(const char* name, const char* file, uint32_t captionNumber, bool streamed);
  // A sound that still plays stays and true is answered; otherwise it is deleted (when it is the
  // node's) and false is answered.
  bool ReleaseSound(GameSound* sound);
  // A new timer, owned and polled by the node; not started.
  GameTimer* AddTimer(const char* name, uint32_t duration);

  // With a modal overlay its answer alone; else the HUD's, else whether an active object lies under
  // the mouse cursor.
  bool IsPointerOverActive();

  // Creates the quit dialog on first use, gives it the prompt when the line number is not 0, and
  // shows it as the modal overlay.
  void OpenQuitDialog(const char* soundName, const char* captionName, int32_t lineNumber);
  void CloseQuitDialog();

  // GameClock time at the end of the last Update.
  uint32_t GetLastUpdateTime() const { return m_lastUpdateTime; }
  const std::shared_ptr<Qel::Scene>& GetScene() const { return m_scene; }
  const std::shared_ptr<Qel::SceneWorld>& GetNodeWorld() const { return m_nodeWorld; }
  const std::shared_ptr<Qel::SceneObjectGroup>& GetCaptionWorld() const { return m_captionWorld; }
  ObjectList& GetObjects() { return m_objects; }
  const ObjectList& GetObjects() const { return m_objects; }
  const ObjectList& GetLoadedObjects() const { return m_loadedObjects; }
  SoundList& GetSounds() { return m_sounds; }
  const std::vector<std::unique_ptr<GameTimer>>& GetTimers() const { return m_timers; }
  Hud* GetHud() const { return m_hud; }
  Overlay* GetOverlay() const { return m_overlay; }
  // Null before the first OpenQuitDialog.
  YesNoDialog* GetQuitDialog() const { return m_quitDialog.get(); }
  bool IsQuitDialogOpen() const { return m_quitDialogOpen; }
  // Null before the first LoadCaptions.
  ClosedCaption* GetCaption() const { return m_caption.get(); }
  TextObject* GetCaptionText() const { return m_captionText.get(); }
  TextObject* GetCaptionName() const { return m_captionName.get(); }
  Ambient* GetCaptionBar() const { return m_captionBar.get(); }
  // The cursor kind shown while the pointer is over nothing active.
  int32_t GetNodeCursorKind() const { return m_nodeCursorKind; }
  bool IsQuitAllowed() const { return m_quitAllowed; }
  const char* GetQuitPromptSound() const { return m_quitPromptSound; }
  const char* GetQuitPromptCaption() const { return m_quitPromptCaption; }
  int32_t GetQuitPromptLine() const { return m_quitPromptLine; }

protected:
  // Subclasses choose these, the cursor kind before activation.
  void SetNodeCursorKind(int32_t kind) { m_nodeCursorKind = kind; }
  void SetQuitAllowed(bool allowed) { m_quitAllowed = allowed; }
  // Longer texts keep their first 31 characters; a line number of 0 leaves the dialog's own prompt.
  void SetQuitPrompt(const char* soundName, const char* captionName, int32_t lineNumber);
  // The cursor state an overlay keeps: its kind, visible and enabled flags are saved, and restored
  // with a cleared saved flag hiding or disabling it again (a set one leaves the current value).
  void SaveCursorState();
  void RestoreCursorState();
  // The overlay steps every node takes alike, around their own pausing and resuming: the cursor
  // saved and shown as the arrow, the overlay attached and shown; and back.
  void PresentOverlay(Overlay& overlay);
  void DismissOverlay(Overlay& overlay);

private:
  [[noreturn]] static void ThrowMissingObject(const char* name, const char* fileName);
  [[noreturn]] static void ThrowMistypedObject(const char* name, const char* fileName);
  void RouteLeftButtonDown(const InputEventInfo& input);
  void RouteLeftButtonUp(const InputEventInfo& input);
  void RouteRightButtonDown(const InputEventInfo& input);
  void RouteRightButtonUp(const InputEventInfo& input);
  void RouteChar(uint16_t code);
  void RouteKeyUp(uint16_t code);
  void RouteKeyDown(uint16_t code);
  void RouteObjectClicked(GenericObject* object);
  // The node's sound whose engine sound carries that identity, without regard to case.
  GameSound* FindSoundById(const char* id) const;
  // Finds or makes a captioned sound of the class given, with the "placeholder" fall-back.
  template <typename Sound>
  Sound* GetCaptionedSound(const char* name, const char* file, uint32_t captionNumber, bool streamed);

  int32_t m_savedCursorKind = 0;
  bool m_savedCursorVisible = false;
  bool m_savedCursorEnabled = false;
  char m_name[kNameCapacity] = "Unnamed Node";
  ObjectList m_objects;
  ObjectList m_loadedObjects;
  Qel::Point2 m_scroll;
  std::shared_ptr<Qel::Scene> m_scene;
  std::shared_ptr<Qel::SceneWorld> m_nodeWorld;
  std::shared_ptr<Qel::SceneObjectGroup> m_captionWorld;
  Hud* m_hud = nullptr;
  bool m_quitAllowed = true;
  char m_quitPromptSound[kPromptCapacity] = "";
  char m_quitPromptCaption[kPromptCapacity] = "";
  int32_t m_quitPromptLine = 0;
  SoundList m_sounds;
  std::unique_ptr<ClosedCaption> m_caption;
  std::unique_ptr<TextObject> m_captionText;
  std::unique_ptr<TextObject> m_captionName;
  std::unique_ptr<Ambient> m_captionBar;
  uint32_t m_lastUpdateTime = 0;
  Overlay* m_overlay = nullptr;
  std::unique_ptr<YesNoDialog> m_quitDialog;
  bool m_quitDialogOpen = false;
  int32_t m_nodeCursorKind = 0;
  std::vector<std::unique_ptr<GameTimer>> m_timers;
};
