#pragma once
// Runs the world's part of one round in the game's order, so the rules can be played over many
// rounds before the game object exists: every nation's news emptied; every region's round in
// index order; the (empty) round script of every finished building; the five nations' rounds in
// index order; then AfterNations (the computer opponents' turns, when a test has them); the
// round counter plus one; the transfer market's round when there is a market.
#include <functional>

#include "engine/engine_globals.h"
#include "engine/script_manager.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

inline void RunWorldRound(const std::function<void()>& AfterNations = {}) {
  for (auto& Nation : gNations)
    if (Nation) Nation->Messages.Clear();
  for (auto& Region : gRegions) Region->DoRound();
  for (auto& Region : gRegions)
    for (const auto& Row : Region->Buildings)
      for (const TBuilding& Slot : Row)
        if (Slot.Type) gScriptManager->ExecuteScript(Slot.Type->RoundScript);
  for (auto& Nation : gNations)
    if (Nation) Nation->DoRound();
  if (AfterNations) AfterNations();
  ++gCurrentTurn;
  if (gTransferMarket) gTransferMarket->NextRound();
}
