#pragma once
// A round as the game plays it, without its windows: the game's world round (news, regions,
// buildings' scripts, nations, computer turns, dead nations), then After (the statistics, when a
// test keeps them), the round counter plus one and the transfer market's round.
#include <functional>

#include "control/world_round.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

inline void PlayWorldRound(const std::function<void()>& After = {}) {
  RunWorldRound();
  if (After) After();
  ++gCurrentTurn;
  if (gTransferMarket) gTransferMarket->NextRound();
}
