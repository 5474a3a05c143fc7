// The middle shell: its slides.
#include "game8/MiddleGameShell.h"

void MiddleGameShell::StartSwap(int partner) {
  if (partner == kLeft) {
    Slide(GetLeadLayer(), kLeadToA);
    if (GetNeighbourA()) GetNeighbourA()->FollowSwap(kMiddle);
  } else if (partner == kRight) {
    Slide(GetLeadLayer(), kLeadToB);
    if (GetNeighbourB()) GetNeighbourB()->FollowSwap(kMiddle);
  }
}

void MiddleGameShell::FollowSwap(int leader) {
  if (leader == kLeft) {
    Slide(GetFollowLayer(), kFollowToA);
  } else if (leader == kRight) {
    Slide(GetFollowLayer(), kFollowToB);
  }
}
