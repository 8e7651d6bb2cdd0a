#include "ai/ai_controller.h"

#include "ai/ai_globals.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "platform/random.h"
#include "platform/rounding.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {
struct TKindParameters {
  float ArmyShare, ConstructionShare, Aggressiveness;
  std::int32_t MaxScientists;
  const char* LogLine;
};

// Indexed by kind - 1. With research fixed at 5 per cent the three shares add up to 100.
constexpr TKindParameters KindTable[3] = {
    {50.0f, 45.0f, 80.0f, 2, " My new personality is military"},
    {30.0f, 65.0f, 60.0f, 3, " My new personality is balanced"},
    {15.0f, 80.0f, 45.0f, 6, " My new personality is civil"},
};
}  // namespace

TAIPersonality::TAIPersonality(const std::string& Name, std::uint16_t Kind, TAIController& Controller)
    : Name(Name), Controller(&Controller) {
  Controller.SetPersonality(Kind);
}

TAIController::TAIController() : Log(std::make_unique<TAILog>()) { Log->Add("TAIController created", AIColorGeneral); }

TAIController::~TAIController() = default;

void TAIController::SetPersonality(std::uint16_t NewKind) {
  if (!Personality) return;
  // A savegame may carry any number here. Outside the ranges the parameters would keep whatever
  // they were and gather the difficulty bonus on every load, so such values fall back to the
  // defaults of a new game.
  const std::string Who = "TAIController->SetPersonality->Nation " + std::to_string(Nation ? Nation->ID : 0);
  if (Difficulty > 2) {
    if (gLog) gLog->AddLine(Who + ": difficulty " + std::to_string(Difficulty) + " is not valid, using 0");
    Difficulty = 0;
  }
  if (NewKind > KindCivil) {
    if (gLog) gLog->AddLine(Who + ": personality " + std::to_string(NewKind) + " is not valid, choosing one at random");
    NewKind = KindRandom;
  }
  if (NewKind == KindRandom) {
    static constexpr std::uint16_t Drawn[3] = {KindMilitary, KindCivil, KindBalanced};
    NewKind = Drawn[Random(3)];
  }
  const TKindParameters& P = KindTable[NewKind - 1];
  Personality->ArmyShare = P.ArmyShare;
  Personality->ConstructionShare = P.ConstructionShare;
  Personality->Aggressiveness = P.Aggressiveness;
  Personality->MaxScientists = P.MaxScientists;
  Log->Add(P.LogLine, AIColorGeneral);
  if (Difficulty == 1) {
    Personality->Aggressiveness = static_cast<float>(Personality->Aggressiveness + 5.0);
    Personality->MaxScientists += 2;
  } else if (Difficulty == 2) {
    Personality->Aggressiveness = static_cast<float>(Personality->Aggressiveness + 10.0);
    Personality->MaxScientists += 4;
  }
  Kind = NewKind;
}

void TAIController::Update() {
  if (!Personality) {
    Log->Add("TAIController.Update->ERROR : I have no personality assigned!", AIColorAlarm);
    return;
  }
  const float NumRegions = Nation->GetValue("numregions");
  const std::string Turn = std::to_string(gCurrentTurn);
  if (gSettings.LogAI) {
    Log->Add("<a href=\"javascript:show('turn" + Turn + "')\">Show details for turn " + Turn + "</a> [NumRegions=" +
                 std::to_string(RoundToInt(NumRegions)) +
                 " NumDivisions=" + std::to_string(RoundToInt(Nation->GetValue("numdivisions"))) +
                 " Ressources=" + std::to_string(RoundToInt(Nation->Ressources)) + "]",
             AIColorGeneral);
    Log->Add("<div id=\"turn" + Turn + "\" style=\"display:block; margin-left:5px;\">", AIColorGeneral);
  }
  if (NumRegions != 0.0f) Personality->Update();
  else Log->Add("I have no more regions", AIColorGeneral);
  Log->Add("</div>", AIColorGeneral);
}

std::string TAIController::LogFileName() const {
  return "AI_" + std::to_string(Nation ? Nation->ID : 0) + "_log.html";
}

void SaveAIControllerLogs(const std::filesystem::path& Folder) {
  if (!gSettings.LogAI) return;
  for (std::size_t i = 0; i < gAIControllers.size(); ++i)
    if (gAIControllers[i]) gAIControllers[i]->Log->SaveToFile(Folder / ("AI_" + std::to_string(i) + "_log.html"));
}
