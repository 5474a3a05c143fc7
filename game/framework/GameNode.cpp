// The game node: the base of every screen, room and mini-game, driven by the node manager.
#include "framework/GameNode.h"

#include <cstdio>
#include <utility>

#include "core/Color.h"
#include "core/EventManager.h"
#include "core/Point3.h"
#include "core/WrappingInt.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/ClosedCaption.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSpriteLoader.h"
#include "framework/GameTimer.h"
#include "framework/GenericObject.h"
#include "framework/Hud.h"
#include "framework/LipSyncSound.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeManager.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/Overlay.h"
#include "framework/TextObject.h"
#include "framework/ThrowErrorText.h"
#include "framework/TxtDataManager.h"
#include "framework/YesNoDialog.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/SceneWorld.h"
#include "graphics/StaticText.h"

namespace {

constexpr int kSubscribedKinds[] = {kEventAppState, kEventGameObject, kEventCharacter, kEventInput,
                                    kEventSound};
constexpr int kWorldLayer = 3;
constexpr int32_t kCaptionStyle = 2;
constexpr int32_t kCaptionFontSize = 14;
constexpr int32_t kAlignRight = 2;
constexpr uint16_t kLeftButton = 1;
constexpr uint16_t kRightButton = 2;
constexpr int32_t kArrowCursor = 0;

std::unique_ptr<TextObject> MakeCaptionText(const char* name, float x, int32_t width) {
  auto text = std::make_unique<TextObject>(name, "courier", 10);
  text->SetPositionAndZ(x, 0, GameNode::kCaptionTextDepth);
  Qel::StaticText* box = text->GetTextBox();
  box->SetFontName("Arial");
  box->SetStyle(kCaptionStyle);
  box->SetFontSize(kCaptionFontSize);
  text->SetColor(Qel::Color(255, 255, 255, 255));
  text->SetSize(width, 40);
  return text;
}

void CopyText(char* to, size_t capacity, const char* from) {
  std::snprintf(to, capacity, "%s", from ? from : "");
}

bool IsCursorReady() {
  const MouseCursor& cursor = MouseCursor::Instance();
  return cursor.IsShown() && cursor.IsEnabled();
}

bool IsMoviePlaying() {
  return MoviePlayer::Instance().IsPlaying();
}

}  // namespace

GameNode::GameNode() {
  // Each node starts with an empty sprite cache.
  RenewSpriteLoader();
  m_scene = std::make_shared<Qel::Scene>();
  m_scene->GetWorld().SetName("Node scene");

  m_nodeWorld = std::make_shared<Qel::SceneWorld>();
  m_nodeWorld->SetName("Node world");
  m_nodeWorld->SetLayer(kWorldLayer);
  m_scene->GetWorld().AddChild(m_nodeWorld);

  m_captionWorld = std::make_shared<Qel::SceneObjectGroup>();
  m_captionWorld->SetName("CC world");
  m_captionWorld->SetLayer(kWorldLayer);
  m_scene->GetWorld().AddChild(m_captionWorld);

  m_captionText = MakeCaptionText("nodeCCtext", 120, 680);
  m_captionName = MakeCaptionText("nodeCCname", 0, 100);
  m_captionName->GetTextBox()->SetAlignment(kAlignRight);
  m_captionBar = std::make_unique<Ambient>("nodeCCbar", "ccBar", SpriteObject::kClockGame);
  m_captionBar->SetPositionAndZ(0, 0, kCaptionBarDepth);
  for (GenericObject* object :
       {static_cast<GenericObject*>(m_captionText.get()), static_cast<GenericObject*>(m_captionName.get()),
        static_cast<GenericObject*>(m_captionBar.get())}) {
    object->AttachToGroup(m_captionWorld);
    object->GetSceneObject()->Hide();
  }

  MouseCursor& cursor = MouseCursor::Instance();
  cursor.Attach(*m_scene);
  cursor.Show();
  cursor.SetEnabled(true);
}

GameNode::~GameNode() {
  m_timers.clear();
  if (m_caption) m_caption->Hide();
  m_caption.reset();
  for (const char* name : {"nodeCCtext", "nodeCCname", "nodeCCbar"}) m_captionWorld->RemoveChild(name);
  m_captionText.reset();
  m_captionName.reset();
  m_captionBar.reset();
  m_scene->GetWorld().RemoveChild("CC world");
  m_captionWorld->RemoveAllChildren();

  // An overlay the node still shows is not its own: it only leaves the scene.
  if (m_overlay && m_overlay != m_quitDialog.get()) DetachOverlay(m_overlay);
  if (m_quitDialogOpen) DetachOverlay(m_quitDialog.get());
  m_quitDialog.reset();
  m_quitDialogOpen = false;

  MouseCursor::Instance().Detach(*m_scene);
  m_scene->GetWorld().RemoveChild("Node world");
  m_nodeWorld->RemoveAllChildren();
  m_nodeWorld.reset();
  m_captionWorld.reset();
  m_scene.reset();
  ReleaseSpriteLoader();
  m_sounds.Clear();
  m_objects.Clear();
  m_loadedObjects.Clear();
}

void GameNode::HandleEvent(int kind, int id, void* data) {
  switch (kind) {
    case kEventInput: {
      if (!data) return;
      const InputEventInfo& input = *static_cast<const InputEventInfo*>(data);
      switch (id) {
        case EventId::KeyDown:
          RouteKeyDown(input.code);
          break;
        case EventId::KeyUp:
          RouteKeyUp(input.code);
          break;
        case EventId::Char:
          RouteChar(input.code);
          break;
        case EventId::MouseDown:
          MouseCursor::Instance().FollowButton(input.position);
          if (input.button == kLeftButton)
            RouteLeftButtonDown(input);
          else if (input.button == kRightButton)
            RouteRightButtonDown(input);
          break;
        case EventId::MouseUp:
          MouseCursor::Instance().FollowButton(input.position);
          if (input.button == kLeftButton)
            RouteLeftButtonUp(input);
          else if (input.button == kRightButton)
            RouteRightButtonUp(input);
          break;
        default:
          break;
      }
      break;
    }
    case kEventSound: {
      if (id != 3 && id != 2) return;
      GameSound* sound = FindSoundById(static_cast<const char*>(data));
      if (!sound) return;
      if (id == 3)
        OnSoundFinished(sound);
      else
        OnSoundLooped(sound);
      break;
    }
    case kEventAppState:
      if (id == EventId::Pause)
        Pause(data);
      else if (id == EventId::Resume)
        Resume(data);
      break;
    case kEventGameObject:
      switch (id) {
        case kEventObjectClicked:
          RouteObjectClicked(static_cast<GenericObject*>(data));
          break;
        case kEventObjectArrived:
          OnObjectArrived(static_cast<GenericObject*>(data));
          break;
        case kEventAnimationEnded:
          OnAnimationEnded(static_cast<GenericObject*>(data));
          break;
        case kEventAnimationLooped:
          OnAnimationLooped(static_cast<GenericObject*>(data));
          break;
        case kEventTimerExpired:
          OnTimer(static_cast<GameTimer*>(data));
          break;
        default:
          break;
      }
      break;
    case kEventCharacter:
      OnSpeechEvent(id, data);
      break;
    default:
      break;
  }
}

// The routings take the paused flag as it stood when the input arrived: an overlay that closes
// itself on this input (a click on "no") has taken it, and nothing under it sees it as well.

void GameNode::RouteLeftButtonDown(const InputEventInfo& input) {
  if (IsMoviePlaying() || !IsCursorReady()) return;
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnLeftButtonDown(input);
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnLeftButtonDown(input);
  if (!taken) m_objects.BroadcastLeftButtonDown(input);
  OnLeftButtonDown(input);
}

void GameNode::RouteLeftButtonUp(const InputEventInfo& input) {
  if (IsMoviePlaying()) {
    MoviePlayer::Instance().Stop();
    return;
  }
  if (!IsCursorReady()) return;
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnLeftButtonUp(input);
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnLeftButtonUp(input);
  if (!taken) m_objects.BroadcastLeftButtonUp(input);
  OnLeftButtonUp(input);
}

void GameNode::RouteRightButtonDown(const InputEventInfo& input) {
  if (!IsCursorReady() || IsMoviePlaying()) return;
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnRightButtonDown(input);
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnRightButtonDown(input);
  if (!taken) m_objects.BroadcastRightButtonDown(input);
  OnRightButtonDown(input);
}

void GameNode::RouteRightButtonUp(const InputEventInfo& input) {
  if (!IsCursorReady()) return;
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnRightButtonUp(input);
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnRightButtonUp(input);
  if (!taken) m_objects.BroadcastRightButtonUp(input);
  OnRightButtonUp(input);
}

void GameNode::RouteChar(uint16_t code) {
  if (IsMoviePlaying()) {
    MoviePlayer::Instance().Stop();
    return;
  }
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnChar(code);
  if (!taken && code == kEscape && m_quitAllowed) {
    if (!paused) {
      OpenQuitDialog(m_quitPromptSound, m_quitPromptCaption, m_quitPromptLine);
      taken = true;
    } else if (m_quitDialogOpen) {
      CloseQuitDialog();
    }
  }
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnChar(code);
  if (!taken) taken = m_objects.BroadcastChar(code);
  if (!taken) OnChar(code);
}

void GameNode::RouteKeyUp(uint16_t code) {
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnKeyUp(code);
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnKeyUp(code);
  if (!taken) taken = m_objects.BroadcastKeyUp(code);
  if (!taken) OnKeyUp(code);
}

void GameNode::RouteKeyDown(uint16_t code) {
  const bool paused = GetApp().IsPaused();
  bool taken = m_overlay && m_overlay->OnKeyDown(code);
  if (paused) return;
  if (!taken && m_hud) taken = m_hud->OnKeyDown(code);
  if (!taken) taken = m_objects.BroadcastKeyDown(code);
  if (!taken) OnKeyDown(code);
}

void GameNode::RouteObjectClicked(GenericObject* object) {
  if (m_quitDialogOpen) {
    // The dialog's answer alone: any click of it closes it.
    if (m_quitDialog->IsYesButton(object)) {
      OnQuitConfirmed();
      GetApp().RequestQuit();
    }
    CloseQuitDialog();
    return;
  }
  if (m_hud && m_hud->OnObjectClicked(object)) return;
  OnObjectClicked(object);
}

GameSound* GameNode::FindSoundById(const char* id) const {
  return m_sounds.Find(id);
}

void GameNode::Activate() {
  Qel::EventManager* events = Qel::EventManager::GetInstance();
  for (const int kind : kSubscribedKinds) events->AddListener(kind, this);
  MouseCursor::Instance().SetCursor(m_nodeCursorKind);
  if (GetApp().IsPaused()) GetApp().ResumeGame();
}

void GameNode::Deactivate() {
  Qel::EventManager* events = Qel::EventManager::GetInstance();
  for (const int kind : kSubscribedKinds) events->RemoveListenerFromType(kind, this);
  RemoveLoadedObjects();
}

void GameNode::Update() {
  if (!IsPointerOverActive()) MouseCursor::Instance().SetCursor(m_nodeCursorKind);
  m_objects.UpdateAll();
  const uint32_t now = GameClock::Instance().GetTime();
  // By index: a timer's handler may add another timer.
  for (size_t i = 0; i < m_timers.size(); ++i) m_timers[i]->PollAt(now);
  if (m_hud) m_hud->UpdateObjects();
  m_lastUpdateTime = now;
}

void GameNode::UpdateAlways() {
  if (GetApp().IsPaused() && !IsPointerOverActive()) MouseCursor::Instance().SetCursor(kArrowCursor);
  if (m_overlay) m_overlay->Update();
}

void GameNode::OnLeftButtonDown(const InputEventInfo&) {}
void GameNode::OnLeftButtonUp(const InputEventInfo&) {}
void GameNode::OnRightButtonDown(const InputEventInfo&) {}
void GameNode::OnRightButtonUp(const InputEventInfo&) {}
void GameNode::OnChar(uint16_t) {}
void GameNode::OnKeyUp(uint16_t) {}
void GameNode::OnKeyDown(uint16_t) {}
void GameNode::OnSoundFinished(GameSound*) {}
void GameNode::OnSoundLooped(GameSound*) {}

void GameNode::Pause(void*) {
  if (m_hud) m_hud->Hide();
  m_nodeWorld->Hide();
  m_sounds.PauseAll();
  MusicManager::Instance().StopMusic();
}

void GameNode::Resume(void*) {
  if (m_hud) m_hud->Show();
  m_nodeWorld->Show();
  // A movie played from a modal overlay ends under it: the sounds wait for the overlay to go.
  if (!m_overlay) m_sounds.ResumeAll();
}

void GameNode::OnTimer(GameTimer*) {}
void GameNode::OnObjectClicked(GenericObject*) {}
void GameNode::OnAnimationLooped(GenericObject*) {}
void GameNode::OnAnimationEnded(GenericObject*) {}
void GameNode::OnObjectArrived(GenericObject*) {}
void GameNode::OnSpeechEvent(int, void*) {}
void GameNode::OnQuitConfirmed() {}

void GameNode::ShowOverlay(Overlay* overlay) {
  if (!overlay) return;
  PresentOverlay(*overlay);
  m_sounds.PauseAll();
  GetApp().PauseGame();
}

void GameNode::HideOverlay(Overlay* overlay) {
  if (!overlay) return;
  DismissOverlay(*overlay);
  if (!GetApp().IsQuitRequested() && !NodeManager::Instance().IsChangePending()) m_sounds.ResumeAll();
  GetApp().ResumeGame();
}

void GameNode::PresentOverlay(Overlay& overlay) {
  SaveCursorState();
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.SetCursor(kArrowCursor);
  cursor.Show();
  cursor.SetEnabled(true);
  AttachOverlay(&overlay);
  overlay.Show();
}

void GameNode::DismissOverlay(Overlay& overlay) {
  overlay.Hide();
  DetachOverlay(&overlay);
  RestoreCursorState();
}

void GameNode::SaveCursorState() {
  const MouseCursor& cursor = MouseCursor::Instance();
  m_savedCursorVisible = cursor.IsShown();
  m_savedCursorKind = cursor.GetCursor();
  m_savedCursorEnabled = cursor.IsEnabled();
}

void GameNode::RestoreCursorState() {
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.SetCursor(m_savedCursorKind);
  if (!m_savedCursorVisible) cursor.Hide();
  if (!m_savedCursorEnabled) cursor.SetEnabled(false);
}

void GameNode::SetTxtValue(const char*, const char*) {}

void GameNode::Draw() {
  Qel::DisplayDevice* display = GetApp().GetDisplay();
  Qel::DrawingSurface* target = display ? display->GetBackBuffer() : nullptr;
  if (!target) return;
  // While a movie plays it is shown in place of the scene.
  MoviePlayer& movies = MoviePlayer::Instance();
  if (movies.IsPlaying()) {
    movies.Draw(target);
    return;
  }
  const Qel::Box3 view(0, 0, 0, 800, 600, 10000);
  m_scene->Draw(*target, view, Qel::Point2(0, 0));
}

void GameNode::SetName(const char* name) {
  CopyText(m_name, kNameCapacity, name);
}

void GameNode::SetQuitPrompt(const char* soundName, const char* captionName, int32_t lineNumber) {
  CopyText(m_quitPromptSound, kPromptCapacity, soundName);
  CopyText(m_quitPromptCaption, kPromptCapacity, captionName);
  m_quitPromptLine = lineNumber;
}

bool GameNode::LoadObjects(const char* resourceName) {
  if (!ObjectDefinitionLoader::Instance().Load(resourceName, m_loadedObjects)) return false;
  AddLoadedObjects();
  return true;
}

bool GameNode::LoadTxtData(const char* resourceName) {
  return TxtDataManager::Instance().LoadTxtData(resourceName, *this);
}

GenericObject* GameNode::FindObject(const char* name) const {
  return m_objects.Find(name);
}

void GameNode::ThrowMissingObject(const char* name, const char* fileName) {
  ThrowErrorText("Object '%s' missing from '%s'\n", name, fileName);
}

void GameNode::ThrowMistypedObject(const char* name, const char* fileName) {
  ThrowErrorText("Object '%s' of '%s' is of another class\n", name, fileName);
}

void GameNode::AddObject(GenericObject* object) {
  if (!object) return;
  // Listed first: a duplicate name throws before the world changes.
  m_objects.Insert(object);
  object->AttachToGroup(m_nodeWorld);
}

void GameNode::RemoveObject(GenericObject* object) {
  if (!object) return;
  m_objects.Remove(object);
  // Only its own scene object: another of the same name in the world stays.
  const std::shared_ptr<Qel::SceneObject>& sceneObject = object->GetSceneObject();
  if (sceneObject && sceneObject->GetParent() == m_nodeWorld.get())
    m_nodeWorld->RemoveChild(sceneObject->GetName());
}

void GameNode::AddLoadedObjects() {
  for (int32_t i = 0; GenericObject* object = m_loadedObjects.At(i); ++i) {
    // A second file adds its objects to those of the first, which are in the node already.
    if (m_objects.Find(object->GetName()) == object) continue;
    AddObject(object);
  }
}

void GameNode::RemoveLoadedObjects() {
  while (GenericObject* object = m_loadedObjects.At(0)) {
    m_loadedObjects.Remove(object);
    RemoveObject(object);
    delete object;
  }
}

void GameNode::AttachOverlay(Overlay* overlay) {
  if (!overlay) return;
  overlay->AttachToScene(*m_scene);
  m_overlay = overlay;
}

void GameNode::DetachOverlay(Overlay* overlay) {
  if (!overlay) return;
  overlay->DetachFromScene(*m_scene);
  if (m_overlay == overlay) m_overlay = nullptr;
}

void GameNode::ShowHud(Hud* hud) {
  if (!hud) return;
  hud->AttachToScene(*m_scene);
  m_hud = hud;
}

void GameNode::HideHud(Hud* hud) {
  if (!hud) return;
  hud->DetachFromScene(*m_scene);
  if (m_hud == hud) m_hud = nullptr;
}

void GameNode::SetScroll(int32_t x, int32_t y) {
  m_scroll.Set(x, y);
  m_nodeWorld->SetLocalPosition(Qel::Point3(Qel::WrapSub(0, x), Qel::WrapSub(0, y), 0));
}

bool GameNode::LoadCaptions(const char* resourceName) {
  if (!m_caption)
    m_caption =
        std::make_unique<ClosedCaption>(m_captionBar.get(), m_captionName.get(), m_captionText.get(), true);
  return m_caption->Load(resourceName);
}

void GameNode::HideCaption() {
  if (m_caption) m_caption->Hide();
}

GameSound* GameNode::GetSound(const char* name, const char* file, bool streamed) {
  if (GameSound* found = m_sounds.Find(name)) return found;
  return m_sounds.Add(std::make_unique<GameSound>(name, file, true, streamed));
}

template <typename Sound>
Sound* GameNode::GetCaptionedSound(const char* name, const char* file, uint32_t captionNumber,
                                   bool streamed) {
  if (GameSound* found = m_sounds.Find(name)) {
    Sound* same = dynamic_cast<Sound*>(found);
    if (!same) ThrowErrorText("Error: Sound '%s' is of another kind\n", name);
    return same;
  }
  auto sound = std::make_unique<Sound>(name, file, m_caption.get(), captionNumber, true, streamed);
  const Qel::Sound* engine = sound->GetEngineSound();
  if (!engine || !engine->IsLoaded()) {
    sound.reset();
    sound = std::make_unique<Sound>(name, "placeholder", m_caption.get(), captionNumber, true, streamed);
  }
  Sound* made = sound.get();
  m_sounds.Add(std::move(sound));
  return made;
}

CCSound* GameNode::GetCCSound(const char* name, const char* file, uint32_t captionNumber, bool streamed) {
  return GetCaptionedSound<CCSound>(name, file, captionNumber, streamed);
}

LipSyncSound* GameNode::GetLipSyncSound(const char* name, const char* file, uint32_t captionNumber,
                                        bool streamed) {
  return GetCaptionedSound<LipSyncSound>(name, file, captionNumber, streamed);
}

bool GameNode::ReleaseSound(GameSound* sound) {
  if (!sound) return false;
  const Qel::Sound* engine = sound->GetEngineSound();
  if (engine && engine->IsPlaying()) return true;
  m_sounds.Delete(sound);
  return false;
}

GameTimer* GameNode::AddTimer(const char* name, uint32_t duration) {
  m_timers.push_back(std::make_unique<GameTimer>(name, duration));
  return m_timers.back().get();
}

bool GameNode::IsPointerOverActive() {
  if (m_overlay) return m_overlay->UpdateRollover();
  if (m_hud && m_hud->UpdateRollover()) return true;
  Qel::Point2 at;
  MouseCursor::Instance().GetPosition(at);
  return m_objects.FindActiveAt(at.X(), at.Y()) != nullptr;
}

void GameNode::OpenQuitDialog(const char* soundName, const char* captionName, int32_t lineNumber) {
  if (!m_quitDialog)
    m_quitDialog = std::make_unique<YesNoDialog>("quitOverlay", "DialogBox", "Pilo_yes", "Pilo_no");
  if (lineNumber != 0) m_quitDialog->SetPrompt(soundName, captionName, lineNumber);
  GameNode::ShowOverlay(m_quitDialog.get());
  m_quitDialogOpen = true;
}

void GameNode::CloseQuitDialog() {
  if (m_quitDialog) GameNode::HideOverlay(m_quitDialog.get());
  m_quitDialogOpen = false;
}
