#pragma once
// The exchangeable strategy of a computer opponent: its parameters, this round's budgets and
// the six steps of a computer round. The controller owns its personality; the personality only
// observes its controller.
#include <cstdint>
#include <string>

class TAIController;
class TRegion;

class TAIPersonality {
public:
  std::string Name;
  TAIController* Controller = nullptr;  // the owner
  float ArmyShare = 0.0f;               // per cent of the treasury for the army each round
  float Aggressiveness = 0.0f;          // per cent; the chance basis of attacks
  float ConstructionShare = 0.0f;       // per cent of the treasury for construction
  std::int32_t MaxScientists = 0;       // hires scientists up to this number
  float ArmyBudgetLeft = 0.0f, ConstructionBudgetLeft = 0.0f, ResearchBudgetLeft = 0.0f;
  float ArmyBudget = 0.0f, ConstructionBudget = 0.0f, ResearchBudget = 0.0f;

  // Stores Name and Controller and applies Kind through the controller, which has no
  // personality yet at that moment, so the parameters stay 0 until the game applies a kind.
  TAIPersonality(const std::string& Name, std::uint16_t Kind, TAIController& Controller);
  virtual ~TAIPersonality() = default;
  TAIPersonality(const TAIPersonality&) = delete;
  TAIPersonality& operator=(const TAIPersonality&) = delete;

  // The six steps, in slot order.
  virtual void DoConstruction(TRegion& Region) = 0;  // one own region
  virtual void DoCheckRegions() = 0;                 // judges every own region
  virtual void DoArmyManagement() = 0;
  virtual void DoResearch() = 0;
  virtual void DoStaff() = 0;
  virtual void Update() = 0;  // the personality's round: budgets, the four steps, payment
};
