// The right shell: neighbour A the middle one, B the left one; it shows the blenny to its right.
#pragma once

#include "game8/GameShell.h"

class RightGameShell : public GameShell {
public:
  using GameShell::GameShell;
  void StartSwap(int partner) override;
  void FollowSwap(int leader) override;

protected:
  void PlaceBlenny(GenericObject& blenny) override;
};
