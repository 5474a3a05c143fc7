// The left shell: neighbour A the middle one, B the right one; it shows the blenny to its left.
#pragma once

#include "game8/GameShell.h"

class LeftGameShell : public GameShell {
public:
  using GameShell::GameShell;
  void StartSwap(int partner) override;
  void FollowSwap(int leader) override;

protected:
  void PlaceBlenny(GenericObject& blenny) override;
};
