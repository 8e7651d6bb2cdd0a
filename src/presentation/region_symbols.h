#pragma once
// The game's information on the globe: arrows from the player's selected region to its
// neighbours, and over every region its flag with, on the player's own regions, value bars,
// building marks, warnings, status and army icons, and on foreign regions the player's spies.
// What a region shows is planned apart from the drawing, so it can be checked without a context.
#include <cstdint>
#include <string>
#include <vector>

class TGame;
class TRegion;

// One icon in a region's symbol frame (x to the right, y upwards, centred on the flag).
struct TSymbolIcon {
  std::string Texture;
  float Left = 0.0f, Lower = 0.0f, Z = 0.0f, Width = 0.0f, Height = 0.0f;
};

struct TRegionSymbolPlan {
  bool SquareFlag = false;  // nobody's and rebel regions: a plain square, no outline
  float Scale = 1.0f;       // 2 for the globe's selected and the hovered region
  bool OwnRegion = false;   // the player's: value bars, building marks and the icons below
  float Loyalty = 0.0f, Pollution = 0.0f;
  int Buildings = 0;        // finished buildings, one mark each, three to a row
  bool NoEnergy = false;    // the darkened flag and the pulsing warning
  std::vector<TSymbolIcon> Icons;  // high pollution, status, army stars and lock, in this order
  bool SpyOutline = false;  // a foreign region where one of the player's spies works
  std::string SpyName;
};

TRegionSymbolPlan PlanRegionSymbols(const TRegion& Region, std::uint8_t PlayerNation, bool Enlarged);

// The regions whose arrows are drawn, in index order: selected (by the game or on the globe),
// the player's own and with neighbours.
std::vector<std::int32_t> RegionsWithArrows(std::int32_t SelectedRegion, std::int32_t GlobeSelection,
                                            std::uint8_t PlayerNation);

// The two passes of the earth view's globe; the globe transform is on the model-view matrix.
void RenderRegionArrows(TGame& Game);
void RenderRegionSymbols(TGame& Game);
