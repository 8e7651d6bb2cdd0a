#pragma once
// The statistics: for each of the eight statistic keys (gStatisticKeys) the values of the five
// nations over the last 100 rounds, entry 0 the newest, so that the statistics window and the
// end-of-game scene can draw them as a line chart. The game object owns the one server
// (gStatisticServer). Drawing is in statistics_draw.cpp; the chart's geometry is computed here
// without a GL context.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/constants.h"
#include "engine/vectors.h"
#include "world/world_globals.h"

class TXMLNode;

// The history of one statistic.
class TStatisticSet {
public:
  static constexpr std::size_t Length = 100;  // rounds kept per nation

  std::array<TSingleList, NationCount> Values;  // per nation index, entry 0 the newest

  // Every entry the nations' current value of Name.
  explicit TStatisticSet(const std::string& Name);
  // Per nation: every entry one place older (the oldest dropped), entry 0 the current value.
  void Update(const std::string& Name);
  // Per nation: every entry the current value.
  void Reset(const std::string& Name);
};

// A statistic's savegame values, read and checked before anything changes: per set, per nation,
// the 100 entries.
using TStatisticSaveState = std::vector<std::array<TSingleList, NationCount>>;

class TStatisticServer {
public:
  std::vector<std::unique_ptr<TStatisticSet>> Sets;  // set i for gStatisticKeys[i]; owned
  TStringList Names;                                 // the same eight names

  // Builds the eight sets from the nations' current values.
  TStatisticServer();

  // New game: every set refilled with the current values (the chart starts flat).
  void Init();
  void ResetAll();
  // Once per round, before the round counter advances.
  void Update();
  // The set of a statistic name; nullptr when there is none.
  const TStatisticSet* FindSet(const std::string& Name) const;

  // The chart of the named statistic in 0..Width x 0..Height of the current drawing space, y
  // downwards, its labels right of it and under it, and the legend of the five nations
  // (statistics_draw.cpp; need a GL context).
  void DrawChart(const std::string& Name, float Width, float Height) const;
  void DrawLegend(float Height) const;

  // Savegame part: one element per statistic, per nation "nation" + index, per entry "stat".
  void SaveToXML(TXMLNode Node) const;
  // Taken by position, names ignored. A broken element throws EDataError and changes nothing.
  void LoadFromXML(const TXMLNode& Node);
};

TStatisticSaveState ReadStatisticState(const TXMLNode& Node);
void ApplyStatisticState(TStatisticServer& Server, TStatisticSaveState&& State) noexcept;

// What DrawChart draws, in chart coordinates.
struct TStatisticChart {
  float Min = 0.0f, Max = 0.0f, Range = 0.0f;  // over all entries; equal values give a range of 1
  // Per nation one point per entry, the oldest at x = 0, one hundredth of Width apart, z 0.2.
  std::array<std::array<TVector3, TStatisticSet::Length>, NationCount> Points;
  // The colour of each point: from half to full intensity of the nation's map colour.
  std::array<std::array<TVector3, TStatisticSet::Length>, NationCount> Colors;
  // Per nation its newest value and the top left of its label: at the right edge, 6 above the
  // newest point.
  std::array<float, NationCount> Newest{};
  std::array<TVector3, NationCount> NewestLabel;
};

using TMapColors = std::array<std::array<std::uint8_t, 3>, NationCount>;
TStatisticChart ComputeStatisticChart(const TStatisticSet& Set, float Width, float Height, const TMapColors& Colors);
// The map colours of gNations (black for a nation that does not exist).
TMapColors NationMapColors();
// A newest value as the chart prints it: six significant digits, two decimals ("12.50").
std::string ChartValueText(float Value);

// One row of the legend: its top, its bottom and the cell size s (flag 2s wide, then the triangle).
struct TLegendRow {
  float Top = 0.0f, Bottom = 0.0f, Size = 0.0f;
};
TLegendRow ComputeLegendRow(std::size_t Nation, float Height);
