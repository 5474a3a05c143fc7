// The middle shell: neighbour A the left one, B the right one.
#pragma once

#include "game8/GameShell.h"

class MiddleGameShell : public GameShell {
public:
  using GameShell::GameShell;
  void StartSwap(int partner) override;
  void FollowSwap(int leader) override;
};
