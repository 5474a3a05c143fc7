// The credits roll: sixteen pages stacked below the screen rise over looping music; when the last
// has left the top, or at any click, the slot is saved and the hub comes back.
#include "frontend/RoomCredits.h"

#include <cmath>
#include <string>

#include "core/DatabaseManager.h"
#include "core/Point2.h"
#include "framework/Clickable.h"
#include "framework/GameSpriteLoader.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SpriteObject.h"
#include "graphics/SceneObject.h"

namespace {
constexpr const char* kDatabase = "credits";
constexpr const char* kObjectFile = "creditsobjs";
constexpr const char* kMusic = "Credits_music_loop";
constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
constexpr int32_t kDismissBoxDepth = 5000;
}  // namespace

RoomCredits::RoomCredits() {
  sKeepSpritesCompressed = false;
}

RoomCredits::~RoomCredits() {
  // A roll deleted without its deactivation still takes its dismiss box out of the node.
  DropObject(m_dismissBox);
  sKeepSpritesCompressed = true;
}

void RoomCredits::Activate() {
  RoomNode::Activate();
  SetName("Credits");
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  LoadRoomData("creditsData", "credits_CC");
  LoadObjects(kObjectFile);

  MusicManager& music = MusicManager::Instance();
  music.QueueMusic(kMusic, true);
  music.PlayNext(false);

  // The whole screen is one click target, above every page.
  m_dismissBox = std::make_unique<Clickable>("Gm5DismissBox", "blank", SpriteObject::kClockGame);
  m_dismissBox->SetPositionAndZ(0.0f, 0.0f, kDismissBoxDepth);
  m_dismissBox->SetHotspotSize(kScreenWidth, kScreenHeight);
  AddObject(m_dismissBox.get());

  // Edge to edge: each page starts where the one above it ends.
  float y = static_cast<float>(kScreenHeight);
  for (int32_t index = 0; index < kPageCount; ++index) {
    const std::string name = "credits" + std::to_string(index + 1);
    SpriteObject& page = *RequireObject<SpriteObject>(name.c_str(), kObjectFile);
    m_pages[static_cast<size_t>(index)] = &page;
    page.SetPosition(0.0f, y);
    page.SetVelocity(0.0f, -kRollSpeed);
    y += static_cast<float>(page.GetSize().Y());
  }
}

void RoomCredits::Deactivate() {
  DropObject(m_dismissBox);
  m_pages.fill(nullptr);
  // Left open, the database would be searched before the older ones after every visit.
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  RoomNode::Deactivate();
}

void RoomCredits::Update() {
  for (SpriteObject* page : m_pages) {
    if (!page || !IsPastTop(*page)) continue;
    page->SetVelocity(0.0f, 0.0f);
    if (page->GetSceneObject()) page->GetSceneObject()->Hide();
  }
  const SpriteObject* last = m_pages[kPageCount - 1];
  if (last && IsPastTop(*last)) Finish();
  RoomNode::Update();
  KeepPagesTogether();
}

void RoomCredits::KeepPagesTogether() {
  // Each page rises by its own velocity, and a float far down the stack rounds differently from one
  // near the top: left alone, neighbours drift a pixel apart on the screen. The first page still
  // rising leads, on a 1/256-pixel grid, so that the whole-pixel offsets of the pages below it add
  // exactly and every page takes the same rounding.
  float top = 0.0f;
  bool led = false;
  for (SpriteObject* page : m_pages) {
    if (!page || page->GetVelocityY() == 0.0f) continue;
    if (!led) {
      top = std::round(page->GetY() * 256.0f) / 256.0f;
      led = true;
    }
    page->SetPosition(page->GetX(), top);
    top += static_cast<float>(page->GetSize().Y());
  }
}

void RoomCredits::OnObjectClicked(GenericObject* object) {
  if (object && object == m_dismissBox.get()) Finish();
  RoomNode::OnObjectClicked(object);
}

void RoomCredits::Finish() {
  // The last page stays past the top until the switch: the roll ends once, and saves once.
  if (m_finished) return;
  m_finished = true;
  MusicManager::Instance().StopMusic();
  SaveProgress();
  NodeManager::Instance().RequestNode(kNodeHub);
}

bool RoomCredits::IsPastTop(const SpriteObject& page) {
  return page.GetY() < -static_cast<float>(page.GetSize().Y());
}
