// The help page: a picture whose sequence shows the help of one game, over a dismissing background.
#include "framework/HelpDialog.h"

#include <string>

#include "framework/Ambient.h"
#include "framework/Clickable.h"
#include "framework/NodeId.h"
#include "framework/UnClickableGameButton.h"
#include "graphics/SceneObject.h"

namespace {

constexpr int kClock = SpriteObject::kClockApplication;
// The objects stand in the order they are made: at equal depths the scene draws by name, which would
// put the pictures over the page and the exit art.
constexpr int32_t kBackgroundDepth = 0;
constexpr int32_t kPictureDepth = 1;
constexpr int32_t kPageDepth = 2;
constexpr int32_t kExitArtDepth = 3;

}  // namespace

const char* HelpDialog::GetCaptionsOf(uint32_t nodeId) {
  switch (nodeId) {
    case kNodeHub:
      return "Hub";
    case kNodeGame3:
      return "Tribal";
    case kNodeGame4:
      return "MoonFish";
    case kNodeGame5:
      return "GarmoSub";
    case kNodeGame6:
      return "DazodOrer";
    case kNodeGame7:
      return "Turtles";
    case kNodeGame8:
      return "Shell";
    case kNodeGame9:
      return "Concentration";
    default:
      return "SignIn";
  }
}

HelpDialog::HelpDialog(const char* name, uint32_t nodeId) : Overlay(name) {
  m_background =
      std::make_unique<Clickable>((std::string(GetName()) + "HelpDismisstY42l").c_str(), "blank", kClock);
  m_background->SetZ(kBackgroundDepth);
  m_background->SetHotspotSize(800, 600);
  AddObject(m_background.get());

  LoadCaptions(GetCaptionsOf(nodeId));

  m_picture = std::make_unique<Ambient>("HelpPausegrxL7m", "help_bkg", kClock);
  m_picture->SetZ(kPictureDepth);
  AddObject(m_picture.get());
  m_pageObject = std::make_unique<Ambient>("HelpObjectsLt4d", "help_overlay", kClock);
  m_pageObject->SetZ(kPageDepth);
  AddObject(m_pageObject.get());

  m_exitArt = std::make_unique<UnClickableGameButton>("HelpExit", "ActBackArrow", kClock);
  m_exitArt->SetPositionAndZ(27, 511, kExitArtDepth);
  m_exitArt->Enable();
  m_exitArt->SetClickSound("ButtonDown");
  AddObject(m_exitArt.get());

  m_background->GetSceneObject()->Show();
}

HelpDialog::~HelpDialog() {
  RemoveObject(m_exitArt.get());
  RemoveObject(m_pageObject.get());
  RemoveObject(m_picture.get());
  RemoveObject(m_background.get());
  m_exitArt.reset();
  m_pageObject.reset();
  m_picture.reset();
  m_background.reset();
}

bool HelpDialog::IsBackground(const GenericObject* object) const {
  return object && object == m_background.get();
}

void HelpDialog::SetPageSequence(int32_t page) {
  if (page < 0 || page > kLastPage) return;
  m_pageObject->SetAnimation(static_cast<uint32_t>(page), 0);
}
