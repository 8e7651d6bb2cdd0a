#include "presentation/windows/window_common.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/localization.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/window.h"
#include "platform/errors.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

TGLWindow& InGameWindow(const std::string& Name) {
  TGLWindow* W = gInGameGUI ? gInGameGUI->GetWindow(Name) : nullptr;
  if (!W) throw ETarnovaError("Window \"" + Name + "\" is not loaded");
  return *W;
}

TNation* PlayerNation() {
  if (gPlayerNation >= gNations.size()) return nullptr;
  return gNations[gPlayerNation].get();
}

TRegion* SelectedPlayerRegion() {
  if (gSelectedRegion < 0 || static_cast<std::size_t>(gSelectedRegion) >= gRegions.size()) return nullptr;
  TRegion* R = gRegions[static_cast<std::size_t>(gSelectedRegion)].get();
  return R && R->Owner == gPlayerNation ? R : nullptr;
}

void Refuse(const std::string& TextKey, const std::string& Caption, const std::string& Image) {
  gInGameGUI->ShowMessageBoxExt(Localize(TextKey), Caption, Image, true);
}

void RefuseHint(const std::string& TextKey, const std::string& Image) {
  Refuse(TextKey, Localize("szStrDialogHint"), Image);
}

void PlayWindowSound(const std::string& Name) { GUIServices().PlaySound(Name); }

std::string FormatRegionValue(float Value) {
  char Buffer[32];
  std::snprintf(Buffer, sizeof Buffer, "%.0e", static_cast<double>(Value));
  const double Rounded = std::strtod(Buffer, nullptr);
  if (std::fabs(Rounded) >= 10.0) {
    std::snprintf(Buffer, sizeof Buffer, "%.0E", Rounded);
    return Buffer;
  }
  // The C library writes the separator of the user's locale, which the program takes at start.
  std::snprintf(Buffer, sizeof Buffer, "%.1f", Rounded == 0.0 ? 0.0 : Rounded);
  return Buffer;
}

TVector3 RegionValueColour(TRegionValueKind Kind, float Value) {
  const TVector3 Red{1.0f, 0.0f, 0.0f}, Yellow{1.0f, 1.0f, 0.0f}, White{1.0f, 1.0f, 1.0f};
  switch (Kind) {
    case TRegionValueKind::Energy:
      return Value < 0.0f ? Red : Value < 0.2f ? Yellow : White;
    case TRegionValueKind::Pollution:
      return Value > 0.8f ? Red : Value > 0.6f ? Yellow : White;
    case TRegionValueKind::Loyality:
      return Value < 0.3f ? Red : Value < 0.4f ? Yellow : White;
  }
  return White;
}

TDioramaChoices DioramaChoices(const TRegion& Region) {
  TDioramaChoices C;
  C.Level = Region.Population > 0.8f ? 3 : Region.Population > 0.6f ? 2 : 1;
  C.WaterTexture = Region.Pollution < 0.5f ? "setting_water" : "setting_water_dirty";
  C.Fog = Region.Pollution > 0.5f;
  C.Dark = Region.Energy < 0.0f;
  return C;
}

std::int32_t NumberAfterPrefix(const std::string& ID, const std::string& Prefix) {
  if (ID.size() <= Prefix.size() || ID.compare(0, Prefix.size(), Prefix) != 0) return -1;
  std::int32_t N = 0;
  for (std::size_t I = Prefix.size(); I < ID.size(); ++I) {
    if (ID[I] < '0' || ID[I] > '9' || N > 100000000) return -1;
    N = N * 10 + (ID[I] - '0');
  }
  return N;
}
