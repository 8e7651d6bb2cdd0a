// The nation's round. The order of the steps matters: later steps read what earlier ones change
// (a unit finished this round already costs maintenance this round).
#include "world/nation.h"

#include <algorithm>
#include <limits>

#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/text_format.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
// At most this many queue entries are under construction at once.
constexpr std::size_t ParallelBuilds = 4;
}  // namespace

void TNation::DoRound() {
  // 1.
  for (auto& Division : Divisions) Division->HasMoved = false;

  // 2. Units are ready again and heal a tenth of their full health.
  for (auto& Unit : Units) {
    Unit->Locked = false;
    if (!Unit->UnitType) continue;
    const float Full = Unit->UnitType->Health;
    if (Unit->Health < Full) Unit->Health = static_cast<float>(std::min<double>(Unit->Health + Full / 10.0, Full));
  }

  // 3. The first four entries count down; a finished one delivers its unit.
  const std::size_t Building = std::min(BuildQueueTypes.size(), ParallelBuilds);
  for (std::size_t i = 0; i < Building; ++i) {
    std::int32_t& Turns = At(BuildQueueTurns, static_cast<long long>(i), "TNation->DoRound->BuildQueueTurns");
    // A build time below 0 delivers at once; the lowest integer is not counted further down.
    if (Turns > std::numeric_limits<std::int32_t>::min()) --Turns;
    if (Turns > 0) continue;
    const TUnit* Unit = AddUnit(BuildQueueTypes[i]);
    Messages.Add(FormatText(Localize("szStrNewsUnitFinished"), {Unit->UnitType->GetName()}), "military", -1, 1);
  }

  // 4. Finished entries leave the queue (returning half their cost, as a cancelled order does).
  // A removal moves the next entry onto the current index, which this pass then skips, so
  // passes repeat until one removes nothing.
  for (bool Removed = true; Removed;) {
    Removed = false;
    const std::size_t Count = BuildQueueTypes.size();
    for (std::size_t i = 0; i < Count && i < BuildQueueTypes.size(); ++i)
      if (At(BuildQueueTurns, static_cast<long long>(i), "TNation->DoRound->BuildQueueTurns") <= 0) {
        RemoveFromBuildQueue(static_cast<std::int32_t>(i));
        Removed = true;
      }
  }

  // 5. The treasury may go negative.
  RessourcesLast = Ressources;
  Ressources = static_cast<float>(static_cast<double>(Ressources) + GetValue("ressourcesincoming"));
  Ressources = static_cast<float>(static_cast<double>(Ressources) - GetValue("wagestotal"));
  Ressources = static_cast<float>(static_cast<double>(Ressources) - GetValue("militarymaintenance"));
  Ressources = static_cast<float>(static_cast<double>(Ressources) - GetValue("globalprojectressources"));

  // 6.
  ResearchCivilLast = ResearchCivil;
  ResearchMilitaryLast = ResearchMilitary;

  // 7. Research: civil technologies take civil points, military ones military points.
  if (TTechnology* T = TechnologyTree.Current) {
    if (T->Category == 0)
      T->RemainingPoints = static_cast<float>(static_cast<double>(T->RemainingPoints) - GetValue("researchcivil"));
    else if (T->Category == 1)
      T->RemainingPoints = static_cast<float>(static_cast<double>(T->RemainingPoints) - GetValue("researchmilitary"));
    if (T->RemainingPoints <= 0.0f) {
      if (ID == gPlayerNation)
        Messages.Add(FormatText(Localize("szStrNewsTechnologyResearched"), {T->GetName()}), "science", -1, 2);
      T->Researched = true;
      TechnologyTree.Current = nullptr;
      ScoreEvent("ResearchedTechnology");
    }
  }

  // 8.
  for (auto& Spy : Spies) Spy->HasAction = true;

  // 9.
  if (!Dead) ScoreEvent("TurnSurvived");
}
