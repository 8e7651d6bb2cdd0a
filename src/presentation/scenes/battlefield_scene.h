#pragma once
// The battlefield: a hexagonal meadow fading into the blue haze, the defending units on their
// tiles, and the battlefield GUI.
#include "engine/vectors.h"

class TGame;

void RenderBattlefield(TGame& Game);
// The origin of tile (Column, Row): 3.5 per column, odd rows (negative ones too) shifted by half
// a tile, 3 per row along z.
TVector3 BattleTileOrigin(int Column, int Row);
