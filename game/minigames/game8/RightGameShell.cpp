// The right shell: its slides and where it shows the blenny.
#include "game8/RightGameShell.h"

#include "framework/GenericObject.h"
#include "framework/SpriteObject.h"

void RightGameShell::StartSwap(int partner) {
  if (partner == kLeft) {
    Slide(GetLeadLayer(), kLeadToB);
    if (GetNeighbourB()) GetNeighbourB()->FollowSwap(kRight);
  } else if (partner == kMiddle) {
    Slide(GetLeadLayer(), kLeadToA);
    if (GetNeighbourA()) GetNeighbourA()->FollowSwap(kRight);
  }
}

void RightGameShell::FollowSwap(int leader) {
  if (leader == kLeft) {
    Slide(GetFollowLayer(), kFollowToB);
  } else if (leader == kMiddle) {
    Slide(GetFollowLayer(), kFollowToA);
  }
}

void RightGameShell::PlaceBlenny(GenericObject& blenny) {
  blenny.SetPositionAndZ(GetObject()->GetX() + 191.0f, GetObject()->GetY() + 3.0f, GetFollowLayer());
}
