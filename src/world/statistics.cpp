#include "world/statistics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "engine/engine_globals.h"
#include "platform/rounding.h"
#include "platform/xml_document.h"
#include "world/nation.h"
#include "world/savegame_values.h"
#include "world/xml_values.h"

namespace {
constexpr std::size_t SetCount = std::size(gStatisticKeys);

float CurrentValue(std::size_t Nation, const std::string& Name) {
  return gNations[Nation] ? gNations[Nation]->GetValue(Name) : 0.0f;
}
}  // namespace

TStatisticSet::TStatisticSet(const std::string& Name) { Reset(Name); }

void TStatisticSet::Update(const std::string& Name) {
  for (std::size_t n = 0; n < NationCount; ++n) {
    TSingleList& List = Values[n];
    List.resize(Length);
    std::rotate(List.rbegin(), List.rbegin() + 1, List.rend());
    List[0] = CurrentValue(n, Name);
  }
}

void TStatisticSet::Reset(const std::string& Name) {
  for (std::size_t n = 0; n < NationCount; ++n) Values[n].assign(Length, CurrentValue(n, Name));
}

TStatisticServer::TStatisticServer() { Init(); }

void TStatisticServer::Init() {
  ResetAll();
  Names.assign(std::begin(gStatisticKeys), std::end(gStatisticKeys));
  Sets.resize(SetCount);
  for (std::size_t i = 0; i < SetCount; ++i) {
    if (!Sets[i]) Sets[i] = std::make_unique<TStatisticSet>(Names[i]);
    else Sets[i]->Reset(Names[i]);
  }
}

void TStatisticServer::ResetAll() {
  for (std::size_t i = 0; i < Sets.size() && i < Names.size(); ++i)
    if (Sets[i]) Sets[i]->Reset(Names[i]);
}

void TStatisticServer::Update() {
  for (std::size_t i = 0; i < Sets.size() && i < Names.size(); ++i) Sets[i]->Update(Names[i]);
}

const TStatisticSet* TStatisticServer::FindSet(const std::string& Name) const {
  for (std::size_t i = 0; i < Names.size() && i < Sets.size(); ++i)
    if (Names[i] == Name) return Sets[i].get();
  return nullptr;
}

void TStatisticServer::SaveToXML(TXMLNode Node) const {
  for (std::size_t i = 0; i < Sets.size() && i < Names.size(); ++i) {
    TXMLNode SetNode = Node.AppendChild(Names[i]);
    for (std::size_t n = 0; n < NationCount; ++n) {
      TXMLNode NationNode = SetNode.AppendChild("nation" + std::to_string(n));
      for (float Value : Sets[i]->Values[n]) SetFloatAttribute(NationNode.AppendChild("stat"), "value", Value);
    }
  }
}

void TStatisticServer::LoadFromXML(const TXMLNode& Node) { ApplyStatisticState(*this, ReadStatisticState(Node)); }

TStatisticSaveState ReadStatisticState(const TXMLNode& Node) {
  constexpr std::string_view Context = "TStatisticServer->LoadFromXML->";
  TStatisticSaveState State(SetCount);
  const std::vector<TXMLNode> SetNodes = RequiredChildren(Context, Node, SetCount, "statistic");
  for (std::size_t i = 0; i < SetCount; ++i) {
    const std::vector<TXMLNode> NationNodes = RequiredChildren(Context, SetNodes[i], NationCount, "nation");
    for (std::size_t n = 0; n < NationCount; ++n) {
      const std::vector<TXMLNode> Entries =
          RequiredChildren(Context, NationNodes[n], TStatisticSet::Length, "stat");
      TSingleList& List = State[i][n];
      List.reserve(TStatisticSet::Length);
      for (std::size_t k = 0; k < TStatisticSet::Length; ++k)
        List.push_back(ReadFloatAttribute(Context, Entries[k], "value"));
    }
  }
  return State;
}

void ApplyStatisticState(TStatisticServer& Server, TStatisticSaveState&& State) noexcept {
  // Every entry of every set is replaced, so nothing of the old histories is left to reset.
  for (std::size_t i = 0; i < State.size() && i < Server.Sets.size(); ++i)
    if (Server.Sets[i]) Server.Sets[i]->Values = std::move(State[i]);
}

TStatisticChart ComputeStatisticChart(const TStatisticSet& Set, float Width, float Height, const TMapColors& Colors) {
  TStatisticChart Chart;
  bool Any = false;
  for (const TSingleList& List : Set.Values)
    for (float V : List) {
      if (!Any || V < Chart.Min) Chart.Min = V;
      if (!Any || V > Chart.Max) Chart.Max = V;
      Any = true;
    }
  if (Chart.Max == Chart.Min) Chart.Max = static_cast<float>(Chart.Min + 1.0);
  Chart.Range = static_cast<float>(static_cast<double>(Chart.Max) - Chart.Min);
  const auto YOf = [&](float Value) {
    return Height - (static_cast<double>(Value) - Chart.Min) / Chart.Range * Height;
  };
  const std::size_t N = TStatisticSet::Length;
  for (std::size_t n = 0; n < NationCount; ++n) {
    const TSingleList& List = Set.Values[n];
    for (std::size_t j = 0; j < N; ++j) {
      // Point j shows entry 99 - j: the oldest value on the left, the newest on the right.
      const float Value = 99 - j < List.size() ? List[99 - j] : 0.0f;
      Chart.Points[n][j] = MakeVector3(static_cast<float>(Width / 100.0 * static_cast<double>(j)),
                                       static_cast<float>(YOf(Value)), 0.2f);
      const double Intensity = 1.0 + static_cast<double>(j) / 100.0;
      Chart.Colors[n][j] = MakeVector3(static_cast<float>(Colors[n][0] / 510.0 * Intensity),
                                       static_cast<float>(Colors[n][1] / 510.0 * Intensity),
                                       static_cast<float>(Colors[n][2] / 510.0 * Intensity));
    }
    Chart.Newest[n] = List.empty() ? 0.0f : List.front();
    // The newest value stands at the right edge, a little above its point; the window that
    // shows the chart leaves the room beside and under it.
    Chart.NewestLabel[n] = MakeVector3(Width, static_cast<float>(YOf(Chart.Newest[n]) - 6.0), 0.0f);
  }
  return Chart;
}

TMapColors NationMapColors() {
  TMapColors Colors{};
  for (std::size_t n = 0; n < NationCount; ++n)
    if (gNations[n]) Colors[n] = gNations[n]->MapColor;
  return Colors;
}

std::string ChartValueText(float Value) {
  if (!std::isfinite(Value)) return FloatToStrExact(Value);
  // Six significant digits first, then two decimals; seven or more digits before the point
  // give the exponent form.
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.5e", static_cast<double>(Value));
  const double Rounded = std::strtod(Buf, nullptr);
  if (std::fabs(Rounded) >= 1e6) return ScientificText(Rounded, 6);  // "1.23457E+006"
  std::snprintf(Buf, sizeof Buf, "%.2f", Rounded);
  std::string Text = Buf;
  if (Text == "-0.00") Text = "0.00";
  return Text;
}

TLegendRow ComputeLegendRow(std::size_t Nation, float Height) {
  TLegendRow Row;
  Row.Size = static_cast<float>((Height - 20.0) / 5.0);
  Row.Top = static_cast<float>((static_cast<double>(Row.Size) + 4.0) * static_cast<double>(Nation));
  Row.Bottom = static_cast<float>(static_cast<double>(Row.Top) + Row.Size);
  return Row;
}
