// The building types' information boxes: the only GL code of the building types. The box size
// is worked out by the same rule as MeasureEffects, row by row while drawing.
#include "world/building_type.h"

#include <cstdlib>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "platform/rounding.h"

namespace {
// The GUI's default text colour (249, 249, 146).
const TVector3 DefaultTextColor = MakeVector3(249.0f / 255.0f, 249.0f / 255.0f, 146.0f / 255.0f);
const TVector3 White = MakeVector3(1.0f, 1.0f, 1.0f);

// One effect row: the icon at IconX, the text at TextX, then one small sign icon per point of
// the value from SignsX + text width, 6 apart, each 0.01 nearer than the one before. More
// pollution is worse, so its signs are flipped. Returns the text width.
float DrawEffectRow(const TBuildingEffect& E, float IconX, float TextX, float SignsX, float Y, float SignsY, float Z) {
  const std::string Text = TBuildingType::EffectText(E);
  const float TextWidth = gFont->TextWidth(Text);
  if (gTextureManager && !E.Icon.empty()) gTextureManager->DrawTexture(E.Icon, IconX, Y, Z, 16, 16);
  gFont->Print(Text, MakeVector3(TextX, Y, Z), White, 1.0f, 1.0f, false, true);
  const std::int32_t N = E.Name == "region.pollution" ? -E.Value : E.Value;
  if (N != 0 && gTextureManager) {
    const std::string Sign = N < 0 ? "icon_effect_minus" : "icon_effect_plus";
    for (std::int32_t k = 0; k < std::abs(N); ++k)
      gTextureManager->DrawTexture(Sign, SignsX + TextWidth + 6.0f * static_cast<float>(k), SignsY,
                                   Z + 0.01f * static_cast<float>(k), 7, 14);
  }
  return TextWidth;
}

void WidenFor(const TBuildingEffect& E, float TextWidth, std::int32_t& Width) {
  const double Row = static_cast<double>(TextWidth) + 28 + 7 + 14.0 * std::abs(E.Value);
  if (Width < Row) Width = RoundToInt(Row) + 15;
}
}  // namespace

void TBuildingType::DrawEffects(float X, float Y, float Z, std::int32_t& Width, std::int32_t& Height) const {
  if (!gFont) {
    Width = 128;
    Height = (static_cast<std::int32_t>(Effects.size()) + 3) * 15 + 5;
    return;
  }
  const float NameWidth = gFont->TextWidth(GetName());
  Width = NameWidth > 128 ? RoundToInt(NameWidth) + 15 : 128;
  Height = (static_cast<std::int32_t>(Effects.size()) + 3) * 15 + 5;
  gFont->Print(GetName(), MakeVector3(X, Y, Z), DefaultTextColor, 1.0f, 1.0f, false, true);
  gFont->Print(Localize("szStrEffects") + " :", MakeVector3(X, Y + 18, Z), White, 1.0f, 1.0f, false, true);
  for (std::size_t i = 0; i < Effects.size(); ++i) {
    const float Row = Y + 36 + 15.0f * static_cast<float>(i);
    const float TextWidth = DrawEffectRow(Effects[i], X + 10, X + 28, X + 31, Row, Row, Z);
    WidenFor(Effects[i], TextWidth, Width);
  }
}

void TBuildingType::DrawInfo(float X, float Y, float Z, bool EffectsOnly) const {
  if (!gFont) return;
  if (!EffectsOnly) {
    gFont->Print(GetName(), MakeVector3(X, Y, Z), DefaultTextColor, 1.0f, 1.2f, false, true);
    gFont->Print(Localize("szStrBuildCost") + " : " + std::to_string(BuildCost) + " Res.", MakeVector3(X + 5, Y + 20, Z),
                 White, 1.0f, 1.0f, false, true);
    gFont->Print(Localize("szStrBuildTime") + " : " + std::to_string(BuildTime) + " " +
                     Localize(BuildTime == 1 ? "szStrTurn" : "szStrTurns"),
                 MakeVector3(X + 5, Y + 34, Z), White, 1.0f, 1.0f, false, true);
    gFont->Print(Localize("szStrEffects") + " : ", MakeVector3(X + 5, Y + 48, Z), White, 1.0f, 1.0f, false, true);
  }
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  for (std::size_t i = 0; i < Effects.size(); ++i) {
    const float Row = Y + 64 + 15.0f * static_cast<float>(i);
    DrawEffectRow(Effects[i], X + 15, X + 33, X + 36, Row, Y + 66 + 15.0f * static_cast<float>(i), Z);
  }
}
