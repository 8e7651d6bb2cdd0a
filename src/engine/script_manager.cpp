#include "engine/script_manager.h"

#include "engine/engine_globals.h"

// Created when the program starts, before the game object; freed at exit.
std::unique_ptr<TScriptManager> gScriptManager = std::make_unique<TScriptManager>();

TScriptManager::TScriptManager() { RegisterVariables(Variables); }

void TScriptManager::RegisterVariables(TStringList& List) {
  static const char* const Names[] = {
      "region.population",   "region.growth",        "region.maxpopulation",    "region.loyality",
      "region.ressources",   "region.pollution",     "region.energy",           "region.defense",
      "region.military",     "global.science.civil", "global.science.military", "global.espionage",
      "unit.defense.ground", "unit.defense.air",     "unit.attack.ground",      "unit.attack.air",
      "loop.unit.light",     "loop.unit.heavy",      "loop.unit.other"};
  List.insert(List.end(), std::begin(Names), std::end(Names));
}

void TScriptManager::ExecuteScript(const TStringList&) const {}
