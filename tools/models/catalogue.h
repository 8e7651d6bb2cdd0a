#pragma once
// What each of the game's models looks like, by model name. Each maker fills a builder and
// answers false for a name it does not know.
#include <string>

#include "model_builder.h"

bool MakeUnit(const std::string& Name, TModelBuilder& B);
bool MakeBuilding(const std::string& Name, TModelBuilder& B);
// The globe, the nation symbols and backgrounds, the diorama, the main menu's hand and logo.
bool MakeScenery(const std::string& Name, TModelBuilder& B);
