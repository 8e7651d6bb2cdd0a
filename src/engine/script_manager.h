#pragma once
// The registry of effect variables: the fixed names that the round scripts of buildings and
// technologies speak of ("region.growth ++"). The scripts themselves are not interpreted; the
// building-type loader, the region rules and the computer opponents only need the names, and
// their order (the first twelve carry an effect text and icon, by position).
//
// The registry belongs to the computer opponents' scripting, but it lives in the engine: the
// world's building types read its list, and the world may not depend on the computer opponents.
#include "engine/constants.h"

class TScriptManager {
public:
  TScriptManager();  // registers the names

  // The registered names, in registry order; owned.
  TStringList Variables;

  // Appends the 19 effect-variable names, in order, to List.
  static void RegisterVariables(TStringList& List);
  // Runs a round script. Scripts have no effect: the round processing calls this once per
  // finished building and round, and nothing reads a result.
  void ExecuteScript(const TStringList& Script) const;
};
