#pragma once
// Plays the round of one computer-controlled nation through its personality and records every
// decision in its log. The game creates one controller per nation (gAIControllers, index = nation
// index) and keeps them from start-up to exit; a new game or a load only re-applies kind and
// difficulty.
#include <cstdint>
#include <filesystem>
#include <memory>

#include "ai/ai_log.h"
#include "ai/ai_personality.h"

class TNation;

class TAIController {
public:
  // Personality kinds; 0 is resolved by a draw when applied.
  static constexpr std::uint16_t KindRandom = 0, KindMilitary = 1, KindBalanced = 2, KindCivil = 3;

  TNation* Nation = nullptr;  // the nation it plays; not owned
  std::unique_ptr<TAILog> Log;
  std::unique_ptr<TAIPersonality> Personality;  // none until assigned
  std::uint16_t Kind = 0;        // in force: 1 military, 2 balanced, 3 civil
  std::uint16_t Difficulty = 0;  // 0 normal, 1 hard, 2 very hard

  TAIController();
  ~TAIController();
  TAIController(const TAIController&) = delete;
  TAIController& operator=(const TAIController&) = delete;

  // Applies a kind (0 = random) with the current Difficulty to the personality's parameters.
  // Without a personality nothing happens. A kind or difficulty outside its range (a damaged
  // savegame) is logged and taken as random kind and normal difficulty.
  void SetPersonality(std::uint16_t NewKind);
  // The nation's computer round.
  void Update();
  // The file name of this controller's log: "AI_" + nation index + "_log.html".
  std::string LogFileName() const;
};

// Writes every controller's log into Folder when AI logging is on; nothing otherwise.
void SaveAIControllerLogs(const std::filesystem::path& Folder);
