#include "screen_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "text_art.h"

namespace {

// The colours of the toolkit's skin: a steel rim, a dark line inside it, a deep blue body.
const TColor kRim = Rgb(150, 170, 205), kRimDark = Rgb(10, 14, 22), kBodyTop = Rgb(46, 60, 88), kBodyLow = Rgb(14, 18, 28);
const TColor kFaceIn = Rgb(84, 108, 150), kFaceOut = Rgb(24, 32, 52), kHoverRim = Rgb(240, 205, 120);
const TColor kWell = Rgb(6, 9, 15, 0.72f), kWhite = Rgb(245, 245, 245), kGold = Rgb(250, 200, 60), kRed = Rgb(225, 55, 45),
             kGreen = Rgb(90, 200, 80), kBlue = Rgb(90, 160, 240), kDark = Rgb(20, 22, 28), kSteel = Rgb(200, 210, 225);

// The game draws each picture stretched over its place on the screen; the textures keep
// power-of-two sizes, so a picture for W x H GUI pixels is painted in GUI pixels onto a
// TextureW x TextureH canvas, already stretched by as much as the drawing squeezes it.
TCanvas Picture(int W, int H, int TextureW, int TextureH) {
  TCanvas K(TextureW, TextureH);
  K.Scale = static_cast<float>(TextureW) / W;
  K.ScaleY = static_cast<float>(TextureH) / H;
  return K;
}

float ScaleY(const TCanvas& K) { return K.ScaleY > 0 ? K.ScaleY : K.Scale; }

// A part of a picture painted on its own canvas at the picture's scale, W x H GUI pixels.
TCanvas PartOf(const TCanvas& K, float W, float H) {
  TCanvas P(static_cast<int>(std::lround(W * K.Scale)), static_cast<int>(std::lround(H * ScaleY(K))));
  P.Scale = K.Scale;
  P.ScaleY = ScaleY(K);
  return P;
}

// Draws a part with its top left at X, Y (GUI pixels).
void PutPart(TCanvas& K, const TCanvas& Part, float X, float Y) {
  K.Draw(Part, static_cast<int>(std::lround(X * K.Scale)), static_cast<int>(std::lround(Y * ScaleY(K))), Part.Width, Part.Height);
}

// A glyph is drawn on a 64 x 64 grid and gets a dark outline that keeps it readable on any face.
using TGlyph = std::function<void(TCanvas&)>;

void PutGlyph(TCanvas& K, const TGlyph& Draw, float CX, float CY, int Size) {
  TCanvas G = PartOf(K, static_cast<float>(Size), static_cast<float>(Size));
  G.Scale *= Size / 64.0f;
  G.ScaleY *= Size / 64.0f;
  Draw(G);
  G.Outline(std::max(1.0f, 2.5f * G.Scale), Rgb(6, 8, 12, 0.9f));
  PutPart(K, G, CX - Size / 2.0f, CY - Size / 2.0f);
}

// ------------------------------------------------------------------------------------ glyphs

void Person(TCanvas& K, float CX, float CY, float S, TColor C) {
  K.Fill(Circle(CX, CY - 10 * S, 8 * S), C);
  K.Fill(RoundRect(CX - 14 * S, CY + 1 * S, CX + 14 * S, CY + 26 * S, 9 * S), C);
}

void Tank(TCanvas& K, float DX, float DY) {
  K.Fill(RoundRect(4 + DX, 38 + DY, 52 + DX, 54 + DY, 8), Rgb(50, 56, 44));
  for (int W = 0; W < 5; ++W) K.Fill(Circle(12 + W * 8.0f + DX, 46 + DY, 3), kSteel);
  K.Fill(Polygon({{8 + DX, 39 + DY}, {13 + DX, 30 + DY}, {47 + DX, 30 + DY}, {52 + DX, 39 + DY}}), Rgb(120, 140, 90));
  K.Fill(RoundRect(18 + DX, 19 + DY, 38 + DX, 31 + DY, 5), Rgb(135, 155, 100));
  K.Fill(Line(36 + DX, 24 + DY, 58 + DX, 20 + DY, 4), Rgb(135, 155, 100));
}

void PlusBadge(TCanvas& K, float CX, float CY, float R) {
  K.Fill(Circle(CX, CY, R), kGreen);
  K.Fill(Line(CX - R * 0.55f, CY, CX + R * 0.55f, CY, R * 0.38f), kWhite);
  K.Fill(Line(CX, CY - R * 0.55f, CX, CY + R * 0.55f, R * 0.38f), kWhite);
}

TShape Shield(float X0, float Y0, float X1, float Y1) {
  const float MX = (X0 + X1) / 2, Shoulder = Y0 + (Y1 - Y0) * 0.45f;
  return Polygon({{X0, Y0}, {X1, Y0}, {X1, Shoulder}, {MX, Y1}, {X0, Shoulder}});
}

void Sword(TCanvas& K, float X0, float Y0, float X1, float Y1) {
  K.Fill(Line(X0, Y0, X1, Y1, 5), Rgb(220, 225, 235));
  const float DX = X1 - X0, DY = Y1 - Y0, L = std::sqrt(DX * DX + DY * DY), NX = -DY / L, NY = DX / L;
  const float GX = X0 + DX * 0.72f, GY = Y0 + DY * 0.72f;
  K.Fill(Line(GX - NX * 8, GY - NY * 8, GX + NX * 8, GY + NY * 8, 4), kGold);
  K.Fill(Line(GX, GY, X1, Y1, 5), Rgb(120, 80, 40));
}

void Eye(TCanvas& K) {
  K.Fill(Minus(Ellipse(32, 32, 29, 16), Ellipse(32, 32, 24, 11)), kWhite);
  K.Fill(Circle(32, 32, 11), Rgb(110, 190, 255));
  K.Set(Circle(32, 32, 5), kDark);
  K.Fill(Circle(28.5f, 28.5f, 2.5f), kWhite);
}

void Flask(TCanvas& K) {
  const TShape Glass = Polygon({{25, 8}, {39, 8}, {39, 24}, {57, 53}, {54, 59}, {10, 59}, {7, 53}, {25, 24}});
  K.Fill(Glass, Rgb(215, 235, 255, 0.95f));
  K.Fill(Polygon({{17.5f, 37}, {46.5f, 37}, {57, 53}, {54, 59}, {10, 59}, {7, 53}}), kGreen);
  K.Fill(Circle(26, 47, 3.5f), Rgb(200, 255, 200));
  K.Fill(Circle(36, 51, 2.5f), Rgb(200, 255, 200));
  K.Fill(Circle(31, 30, 2.5f), Rgb(200, 240, 255));
  K.Fill(RoundRect(21, 4, 43, 10, 2), kSteel);
}

void Rocket(TCanvas& K) {
  K.Fill(Polygon({{26, 50}, {20, 62}, {32, 57}, {44, 62}, {38, 50}}), Rgb(250, 140, 40));
  K.Fill(Polygon({{22, 34}, {11, 52}, {24, 48}}), kRed);
  K.Fill(Polygon({{42, 34}, {53, 52}, {40, 48}}), kRed);
  K.Fill(Ellipse(32, 30, 11, 25), kWhite);
  K.Fill(Circle(32, 23, 5), kBlue);
  K.Fill(Polygon({{25, 12}, {39, 12}, {32, 4}}), kRed);
}

void Coin(TCanvas& K, float CX, float CY, float R) {
  K.Fill(Circle(CX, CY, R), Rgb(230, 170, 40));
  K.Fill(Circle(CX, CY, R * 0.78f), kGold);
  K.Fill(Ring(CX, CY, R * 0.55f, R * 0.38f), Rgb(200, 140, 30));
}

void Staff(TCanvas& K) {
  Person(K, 17, 28, 0.72f, Rgb(120, 170, 230));
  Person(K, 47, 28, 0.72f, Rgb(120, 170, 230));
  Person(K, 32, 30, 0.92f, Rgb(190, 220, 250));
  Coin(K, 49, 50, 11);
}

void Heart(TCanvas& K) {
  K.Fill(Union(Union(Circle(21, 24, 14), Circle(43, 24, 14)), Polygon({{8, 30}, {56, 30}, {32, 58}})), kRed);
  K.Fill(Ellipse(19, 19, 5, 3, -30), TColor{1, 1, 1, 0.5f});
}

void Growth(TCanvas& K) {
  for (int B = 0; B < 3; ++B) K.Fill(Rect(6 + B * 18.0f, 44 - B * 12.0f, 20 + B * 18.0f, 60), kGreen);
  K.Fill(Line(6, 34, 44, 10, 6), kWhite);
  K.Fill(Polygon({{58, 2}, {52, 24}, {38, 6}}), kWhite);
}

void Diamond(TCanvas& K) {
  K.Fill(Polygon({{32, 4}, {58, 24}, {32, 60}, {6, 24}}), Rgb(250, 180, 50));
  K.Fill(Polygon({{32, 4}, {44, 24}, {32, 60}, {20, 24}}), Rgb(255, 222, 125));
  K.Fill(Rect(6, 23, 58, 25.5f), Rgb(200, 120, 30));
}

void Flag(TCanvas& K) {
  K.Fill(Line(14, 6, 14, 60, 5), kSteel);
  K.Fill(Polygon({{16, 7}, {56, 15}, {48, 24}, {56, 34}, {16, 34}}), kRed);
  K.Fill(Ellipse(14, 60, 10, 3), kSteel);
}

void House(TCanvas& K) {
  K.Fill(Polygon({{32, 5}, {60, 30}, {51, 30}, {51, 58}, {13, 58}, {13, 30}, {4, 30}}), kWhite);
  K.Fill(Rect(42, 9, 49, 22), kWhite);
  K.Set(RoundRect(26, 38, 38, 58, 2), Rgb(180, 120, 60));
}

void Floppy(TCanvas& K) {
  K.Fill(Polygon({{6, 6}, {50, 6}, {58, 14}, {58, 58}, {6, 58}}), Rgb(60, 100, 180));
  K.Fill(Rect(16, 6, 44, 22), kSteel);
  K.Fill(Rect(34, 9, 40, 19), Rgb(60, 100, 180));
  K.Fill(Rect(14, 32, 50, 58), kWhite);
  K.Fill(Rect(18, 40, 46, 42), Rgb(150, 155, 165));
  K.Fill(Rect(18, 47, 46, 49), Rgb(150, 155, 165));
}

void Folder(TCanvas& K) {
  K.Fill(Polygon({{4, 12}, {24, 12}, {30, 18}, {56, 18}, {56, 54}, {4, 54}}), Rgb(200, 150, 50));
  K.Fill(Polygon({{12, 26}, {62, 26}, {54, 54}, {4, 54}}), Rgb(250, 200, 90));
}

void Hourglass(TCanvas& K) {
  K.Fill(Polygon({{14, 8}, {50, 8}, {36, 32}, {50, 56}, {14, 56}, {28, 32}}), Rgb(220, 205, 160));
  K.Fill(Polygon({{22, 52}, {42, 52}, {32, 40}}), kGold);
  K.Fill(Polygon({{21, 16}, {43, 16}, {32, 28}}), kGold);
  K.Fill(RoundRect(8, 2, 56, 9, 2), Rgb(150, 105, 60));
  K.Fill(RoundRect(8, 55, 56, 62, 2), Rgb(150, 105, 60));
}

// The command of each round button of the bar.
const TGlyph kBuildUnits = [](TCanvas& K) {
  Tank(K, 0, 6);
  PlusBadge(K, 50, 13, 11);
};
const TGlyph kManageUnits = [](TCanvas& K) {
  Sword(K, 58, 60, 10, 10);
  Sword(K, 6, 60, 54, 10);
  K.Fill(Shield(19, 14, 45, 56), Rgb(200, 215, 240));
  K.Fill(Shield(22, 17, 42, 51), Rgb(60, 95, 160));
  K.Fill(Star(32, 30, 9.5f, 4, 5), kGold);
};
const TGlyph kInfo = [](TCanvas& K) {
  K.Fill(Circle(32, 32, 27), Rgb(60, 130, 220));
  K.Fill(Circle(32, 16, 5.5f), kWhite);
  K.Fill(RoundRect(26.5f, 25, 37.5f, 50, 3), kWhite);
  K.Fill(RoundRect(22, 46, 42, 51, 2), kWhite);
};
const TGlyph kNextRound = [](TCanvas& K) {
  K.Fill(Minus(Ring(32, 34, 27, 19), Polygon({{32, 34}, {32, -4}, {72, -4}, {72, 16}})), kGold);
  K.Fill(Polygon({{29, 1}, {29, 23}, {45, 12}}), kGold);
  K.Fill(Polygon({{26, 23}, {26, 45}, {44, 34}}), kWhite);
};

// --------------------------------------------------------------------------- round buttons

// A round button of face radius R centred at (CX, CY): a dark socket, a lit steel bezel, a deep
// face with a sheen and the glyph.
void RoundButton(TCanvas& Onto, float CX, float CY, float R, const TGlyph& Glyph, int GlyphSize, TColor BezelTop, TColor BezelLow) {
  const float Size = std::ceil(2 * R + 12), C = Size / 2.0f;
  TCanvas K = PartOf(Onto, Size, Size);
  K.Fill(Circle(C, C, R + 5.5f), Rgb(4, 6, 10, 0.9f));
  K.Fill(Circle(C, C, R + 3.5f), [=](float, float Y) { return Mix(BezelTop, BezelLow, std::clamp((Y - C + R) / (2 * R), 0.0f, 1.0f)); });
  K.Fill(Circle(C, C, R + 0.5f), kRimDark);
  K.Fill(Circle(C, C, R - 1), [=](float X, float Y) {
    const float D = std::sqrt((X - C) * (X - C) + (Y - C + R * 0.35f) * (Y - C + R * 0.35f)) / (R * 1.35f);
    return Mix(kFaceIn, kFaceOut, std::clamp(D, 0.0f, 1.0f));
  });
  PutGlyph(K, Glyph, C, C, GlyphSize);
  // The sheen lies over the glyph, as on glass.
  K.Fill(Minus(Ellipse(C, C - R * 0.45f, R * 0.72f, R * 0.42f), Circle(C, C + R * 1.1f, R * 1.15f)), [=](float, float Y) {
    return TColor{1, 1, 1, 0.2f * std::clamp(1.0f - (Y - (C - R * 0.87f)) / (R * 0.7f), 0.0f, 1.0f)};
  });
  PutPart(Onto, K, CX - C, CY - C);
}

// Lights a round button of radius R in a square picture of Size: a gold ring on the button's
// edge and a soft glow over its face, translucent so that the glyph shows through.
TCanvas RoundHover(int Size, float R, int TextureSize) {
  TCanvas K = Picture(Size, Size, TextureSize, TextureSize);
  const float C = Size / 2.0f;
  K.Fill(Circle(C, C, R), [=](float X, float Y) {
    const float D = std::sqrt((X - C) * (X - C) + (Y - C) * (Y - C)) / R;
    return TColor{1.0f, 0.95f, 0.8f, 0.06f + 0.22f * D * D};
  });
  K.Fill(Ring(C, C, std::min(C - 0.5f, R + 1.5f), R - 1.5f), kHoverRim);
  K.Fill(Ring(C, C, R - 1.5f, R - 2.5f), TColor{1, 1, 1, 0.5f});
  return K;
}

// -------------------------------------------------------------------------------- the bar

// The bar comes in three pictures: the bar itself (960 wide, the narrowest screen's width) with
// the status panel and the command rail, anchored at the left; the next-round button in its
// housing (176 wide), anchored at the right; and the stretcher that fills the deck between them
// on wider screens.
enum class TBarPiece { Bar, Stretcher, NextRound };

// The next-round button's centre in its own picture: 102 pixels left of the screen's right edge.
constexpr float kNextRoundX = 74, kNextRoundY = 124;

// A piece's outline, Inset pixels inside its edge: the status panel on the left rising to the
// top, the deck along the bottom and the round housing of the next-round button. The left,
// right and bottom sides are the screen's edges or lie under another piece and carry no rim.
TShape BarShape(float Inset, TBarPiece Piece) {
  const float I = Inset, Shift = 0.68f * Inset;
  switch (Piece) {
    case TBarPiece::Stretcher: return Rect(-10, 98 + I, 74, 220);
    case TBarPiece::NextRound: return Union(Rect(-10, 98 + I, 186, 220), Circle(kNextRoundX, kNextRoundY, 66 - I));
    case TBarPiece::Bar: break;
  }
  return Polygon({{-10, 8 + I}, {262 - Shift, 8 + I}, {298 - Shift, 98 + I}, {970, 98 + I}, {970, 220}, {-10, 220}});
}

// The rim, the body and the lit top edge: the same rows on every piece, so that they continue
// one another without a seam.
void BarBody(TCanvas& K, TBarPiece Piece) {
  K.Fill(BarShape(0, Piece), kRim);
  K.Set(BarShape(3, Piece), kRimDark);
  K.Set(BarShape(5, Piece), [](float, float Y) { return Mix(kBodyTop, kBodyLow, std::clamp((Y - 8) / 202.0f, 0.0f, 1.0f)); });
  K.Fill(Minus(BarShape(5, Piece), BarShape(7, Piece)), TColor{1, 1, 1, 0.16f});
  // A groove along the bottom of the deck.
  K.Fill(Rect(-10, 203, 1034, 204.5f), TColor{0, 0, 0, 0.35f});
  K.Fill(Rect(-10, 204.5f, 1034, 205.5f), TColor{1, 1, 1, 0.07f});
}

// A dark, flat field under a figure the game prints: centred on X, from Y - 3 for a line.
void Well(TCanvas& K, float X0, float Y, float X1) {
  K.Fill(RoundRect(X0, Y - 3, X1, Y + 16, 5), kWell);
  K.Fill(Minus(RoundRect(X0, Y - 3, X1, Y + 16, 5), RoundRect(X0, Y - 3, X1, Y + 15, 5)), TColor{1, 1, 1, 0.14f});
}

void Rivet(TCanvas& K, float X, float Y) {
  K.Fill(Circle(X, Y, 3), Rgb(8, 10, 16));
  K.Fill(Circle(X - 0.4f, Y - 0.4f, 2), Rgb(120, 138, 170));
}

TCanvas Hud() {
  TCanvas K = Picture(960, 210, 1024, 256);
  BarBody(K, TBarPiece::Bar);

  // The name plate: name, nation and round end at x 225, 215 and 205 on the lines y 30, 42 and
  // 54; its right edge slants with them.
  const TShape Plate = Polygon({{6, 16}, {250, 16}, {208, 68}, {6, 68}});
  K.Fill(Plate, Rgb(90, 110, 150));
  K.Set(Polygon({{6, 17}, {248.4f, 17}, {207.4f, 67}, {6, 67}}), Rgb(8, 11, 18, 0.96f));
  K.Fill(Rect(6, 17, 240, 18.5f), TColor{0, 0, 0, 0.5f});

  // The figures: resources (x 50, y 112); loyalty, population, growth (x 114; y 82, 117, 157);
  // scientists, generals, spies (x 165, 184, 201; y 82); divisions (x 184, y 117); regions
  // (x 184, y 157). Each sits in a dark well under a small sign.
  Well(K, 12, 112, 88);
  PutGlyph(K, [](TCanvas& G) { Diamond(G); }, 50, 95, 20);
  const float Rows[] = {82, 117, 157};
  const TGlyph Signs[] = {[](TCanvas& G) { Heart(G); },
                          [](TCanvas& G) {
                            Person(G, 20, 26, 0.9f, Rgb(120, 170, 230));
                            Person(G, 42, 28, 1.05f, Rgb(180, 215, 250));
                          },
                          [](TCanvas& G) { Growth(G); }};
  for (int R = 0; R < 3; ++R) {
    Well(K, 90, Rows[R], 138);
    PutGlyph(K, Signs[R], 114, Rows[R] - 8, 13);
  }
  Well(K, 154, 82, 212);
  PutGlyph(K, [](TCanvas& G) { Flask(G); }, 165, 74, 12);
  PutGlyph(K, [](TCanvas& G) { G.Fill(Star(32, 34, 30, 13, 5), kGold); }, 184, 74, 12);
  PutGlyph(K, [](TCanvas& G) { Eye(G); }, 201, 74, 12);
  Well(K, 160, 117, 208);
  PutGlyph(K, [](TCanvas& G) {
    G.Fill(Shield(8, 4, 56, 62), Rgb(90, 120, 70));
    G.Fill(Star(32, 26, 15, 6.5f, 5), kGold);
  }, 184, 109, 13);
  Well(K, 160, 157, 208);
  PutGlyph(K, [](TCanvas& G) { Flag(G); }, 184, 149, 13);
  // The panel's edge towards the deck, and its rivets.
  K.Fill(Rect(236, 80, 238, 200), Rgb(6, 8, 14, 0.8f));
  K.Fill(Rect(238, 80, 239, 200), TColor{1, 1, 1, 0.1f});
  for (auto [X, Y] : {std::pair<float, float>{14, 192}, {226, 192}, {226, 86}}) Rivet(K, X, Y);

  // The seven command buttons lie in a sunken rail, which ends before the next-round button's
  // housing on the narrowest screen.
  K.Fill(RoundRect(250, 108, 784, 192, 42), Rgb(100, 120, 160));
  K.Set(RoundRect(251.5f, 109.5f, 782.5f, 190.5f, 40.5f), [](float, float Y) {
    return Mix(Rgb(4, 6, 10), Rgb(16, 22, 34), std::clamp((Y - 110) / 80.0f, 0.0f, 1.0f));
  });
  const TGlyph Commands[] = {kBuildUnits, kManageUnits, kInfo, [](TCanvas& G) { Flask(G); }, [](TCanvas& G) { Rocket(G); },
                             [](TCanvas& G) { Staff(G); }, [](TCanvas& G) { Eye(G); }};
  for (int C = 0; C < 7; ++C) RoundButton(K, 295 + 74.0f * C, 150, 30, Commands[C], 36, Rgb(205, 218, 240), Rgb(60, 74, 100));
  return K;
}

// The next-round button in its housing, with a gold bezel, on a piece of the deck.
TCanvas HudNextRound() {
  TCanvas K = Picture(176, 210, 256, 256);
  BarBody(K, TBarPiece::NextRound);
  K.Fill(Circle(kNextRoundX, kNextRoundY, 59), Rgb(4, 6, 10, 0.9f));
  RoundButton(K, kNextRoundX, kNextRoundY, 52, kNextRound, 64, Rgb(255, 230, 150), Rgb(140, 95, 35));
  // The deck fades in over the first few pixels, left of the housing: the same deck lies under
  // it, and the picture's edge, blended with the clamped border, would otherwise show as a seam.
  const int Fade = static_cast<int>(std::lround(6 * K.Scale));
  for (int Y = 0; Y < K.Height; ++Y)
    for (int X = 0; X < Fade; ++X) K.At(X, Y).A *= (X + 0.5f) / Fade;
  return K;
}

TCanvas HudStretcher() {
  TCanvas K = Picture(64, 210, 64, 256);
  BarBody(K, TBarPiece::Stretcher);
  return K;
}

// A plate hanging from the top edge of the screen, rounded at its free corners.
void TopPlate(TCanvas& K, float X0, float X1, float Bottom, float Radius) {
  K.Fill(RoundRect(X0, -40, X1, Bottom, Radius), kRim);
  K.Set(RoundRect(X0 + 3, -40, X1 - 3, Bottom - 3, Radius - 3), kRimDark);
  K.Set(RoundRect(X0 + 5, -40, X1 - 5, Bottom - 5, Radius - 5),
        [=](float, float Y) { return Mix(kBodyTop, kBodyLow, std::clamp(Y / Bottom, 0.0f, 1.0f)); });
}

// The system bar: main menu, save, load at (30, 28), (86, 28), (142, 28), radius 22.
TCanvas SystemBar() {
  TCanvas K = Picture(176, 56, 256, 64);
  TopPlate(K, -40, 176, 56, 16);
  const TGlyph Glyphs[] = {[](TCanvas& G) { House(G); }, [](TCanvas& G) { Floppy(G); }, [](TCanvas& G) { Folder(G); }};
  for (int B = 0; B < 3; ++B) RoundButton(K, 30 + 56.0f * B, 28, 20.5f, Glyphs[B], 24, Rgb(205, 218, 240), Rgb(60, 74, 100));
  return K;
}

// The round timer: the game prints the time centred on x 105 from y 5, 40 pixels high.
TCanvas RoundTimer() {
  TCanvas K = Picture(210, 56, 256, 64);
  TopPlate(K, 0, 250, 56, 16);
  K.Fill(RoundRect(30, 4, 180, 49, 8), Rgb(90, 110, 150));
  K.Set(RoundRect(31, 5, 179, 48, 7), Rgb(6, 9, 15, 0.96f));
  PutGlyph(K, [](TCanvas& G) { Hourglass(G); }, 17, 27, 20);
  PutGlyph(K, [](TCanvas& G) { Hourglass(G); }, 194, 27, 20);
  return K;
}

// ------------------------------------------------------------------------------ main menu

// A menu row of 256 x 56 at Y: a plate like the toolkit's buttons.
void MenuRow(TCanvas& K, float Y) {
  K.Fill(RoundRect(4, Y + 4, 252, Y + 52, 12), Rgb(4, 6, 10, 0.6f));
  K.Fill(RoundRect(4, Y + 3, 252, Y + 50, 12), kRim);
  K.Set(RoundRect(6, Y + 5, 250, Y + 48, 10), [=](float, float PY) {
    return Mix(Rgb(72, 92, 128), Rgb(24, 32, 52), std::clamp((PY - Y - 5) / 43.0f, 0.0f, 1.0f));
  });
  K.Fill(RoundRect(10, Y + 7, 246, Y + 24, 7), TColor{1, 1, 1, 0.12f});
  // Small gold studs at the ends.
  for (float X : {17.0f, 239.0f}) {
    K.Fill(Circle(X, Y + 26.5f, 4), Rgb(8, 10, 16));
    K.Fill(Circle(X - 0.5f, Y + 26, 2.8f), kGold);
  }
}

TCanvas Menu(const std::string& FontFile, const std::vector<std::string>& Labels, int TextureH) {
  const int H = static_cast<int>(56 * Labels.size());
  TCanvas K = Picture(256, H, 256, TextureH);
  const float SY = ScaleY(K);
  // Every label at the same height; a long one is set narrower to fit between the studs.
  const int Size = 20, Room = 196;
  for (std::size_t R = 0; R < Labels.size(); ++R) {
    const float Y = 56.0f * R;
    MenuRow(K, Y);
    // The text is set in texture pixels, as tall as the picture's stretch makes it.
    const int Pixels = static_cast<int>(std::lround(Size * SY));
    const TTextMask Full = RenderText(FontFile, Labels[R], Pixels, 1.0f / SY);
    TTextMask Text = Full;
    for (float Narrow = static_cast<float>(Room) / Full.Width; Text.Width > Room && Narrow > 0.5f; Narrow -= 0.01f)
      Text = RenderText(FontFile, Labels[R], Pixels, Narrow / SY);
    // Centred on the row by the height of capitals (about 0.73 em above the baseline).
    const int X = 128 - Text.Width / 2, Base = static_cast<int>(std::lround((Y + 26.5f + 0.365f * Size) * SY));
    const int Top = Base - Text.Baseline;
    DrawMask(K, Grown(Text, 1.5f), X - 2 + 1, Top - 2 + 2, TColor{0, 0, 0, 0.45f});
    DrawMask(K, Grown(Text, 1.2f), X - 2, Top - 2, Rgb(6, 8, 14, 0.9f));
    DrawMask(K, Text, X, Top, Rgb(240, 244, 252));
  }
  return K;
}

TCanvas MenuHover() {
  TCanvas K = Picture(256, 56, 256, 64);
  K.Fill(RoundRect(6, 5, 250, 48, 10), [](float, float Y) { return TColor{1.0f, 0.95f, 0.8f, 0.2f - 0.1f * (Y - 5) / 43.0f}; });
  K.Fill(Minus(RoundRect(3, 2, 253, 51, 13), RoundRect(6, 5, 250, 48, 10)), kHoverRim);
  return K;
}

// Stretched behind the options and hot-seat panels: a frame with a calm translucent body.
TCanvas MenuPanel() {
  TCanvas K(256, 256);
  K.Fill(RoundRect(0, 0, 256, 256, 8), kRim);
  K.Set(RoundRect(2, 2, 254, 254, 6), kRimDark);
  K.Set(RoundRect(3.5f, 3.5f, 252.5f, 252.5f, 5),
        [](float, float Y) { return Mix(Rgb(30, 40, 60, 0.9f), Rgb(14, 18, 28, 0.92f), std::clamp(Y / 256.0f, 0.0f, 1.0f)); });
  K.Fill(Rect(8, 4, 248, 5), TColor{1, 1, 1, 0.18f});
  return K;
}

}  // namespace

std::map<std::string, TCanvas> ScreenPictures(const std::string& FontFile) {
  std::map<std::string, TCanvas> P;
  P.emplace("ui_hud", Hud());
  P.emplace("ui_hud_stretcher", HudStretcher());
  P.emplace("ui_hud_nextround", HudNextRound());
  P.emplace("ui_hud_button_hover", RoundHover(64, 30, 64));
  P.emplace("ui_hud_nextround_hover", RoundHover(112, 52, 128));
  P.emplace("ui_sysbar", SystemBar());
  P.emplace("ui_sysbar_hover", RoundHover(48, 22, 64));
  P.emplace("ui_roundtimer", RoundTimer());
  P.emplace("ui_mainmenu_root_ger", Menu(FontFile, {"Einzelspieler", "Mehrspieler", "Optionen", "Mitwirkende", "Beenden"}, 256));
  P.emplace("ui_mainmenu_root_eng", Menu(FontFile, {"Single player", "Multiplayer", "Options", "Credits", "Quit"}, 256));
  P.emplace("ui_mainmenu_singleplayer_ger", Menu(FontFile, {"Neues Spiel", "Spiel laden"}, 128));
  P.emplace("ui_mainmenu_singleplayer_eng", Menu(FontFile, {"New game", "Load game"}, 128));
  P.emplace("ui_mainmenu_multiplayer_ger", Menu(FontFile, {"Hot Seat", "Hot-Seat-Spiel laden"}, 128));
  P.emplace("ui_mainmenu_multiplayer_eng", Menu(FontFile, {"Hot seat", "Load hot-seat game"}, 128));
  P.emplace("ui_mainmenu_hover", MenuHover());
  P.emplace("ui_mainmenu_panel", MenuPanel());
  return P;
}
