// The left shell: its slides and where it shows the blenny.
#include "game8/LeftGameShell.h"

#include "framework/GenericObject.h"
#include "framework/SpriteObject.h"

void LeftGameShell::StartSwap(int partner) {
  if (partner == kMiddle) {
    Slide(GetLeadLayer(), kLeadToA);
    if (GetNeighbourA()) GetNeighbourA()->FollowSwap(kLeft);
  } else if (partner == kRight) {
    Slide(GetLeadLayer(), kLeadToB);
    if (GetNeighbourB()) GetNeighbourB()->FollowSwap(kLeft);
  }
}

void LeftGameShell::FollowSwap(int leader) {
  if (leader == kMiddle) {
    Slide(GetFollowLayer(), kFollowToA);
  } else if (leader == kRight) {
    Slide(GetFollowLayer(), kFollowToB);
  }
}

void LeftGameShell::PlaceBlenny(GenericObject& blenny) {
  blenny.SetPositionAndZ(GetObject()->GetX() - 186.0f, GetObject()->GetY() - 2.0f, GetFollowLayer());
}
