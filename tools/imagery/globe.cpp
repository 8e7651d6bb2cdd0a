// The globe's pictures: the day map and the night lights from NASA imagery, made to agree with the
// region map's land; procedural clouds with the ocean gloss; the region border overlay; the
// pictures of the path without shaders; and the loading screen.
#include <cmath>
#include <deque>

#include "imagery.h"
#include "noise.h"

namespace {

constexpr float kPi = 3.14159265f;

// Water in the Blue Marble colours: clearly bluer than red, not greener than blue, darker than ice.
bool LooksLikeWater(const TColor& C) { return C.B > C.R + 0.06f && C.B + 0.04f >= C.G && C.R < 0.45f && C.R + C.G + C.B < 1.9f; }
// The same with some slack, for land that must not be mistaken for water after rounding.
bool NearlyWater(const TColor& C) { return C.B > C.R + 0.045f && C.B + 0.05f >= C.G && C.R < 0.46f && C.R + C.G + C.B < 1.92f; }

// Gives every pixel with Want[i] set the colour of the nearest pixel with Have[i] set (breadth
// first over the four neighbours; x wraps) and returns each pixel's distance in steps from it.
std::vector<int> FillFromNearest(TImage& Img, const std::vector<bool>& Want, const std::vector<bool>& Have) {
  const int W = Img.Width, H = Img.Height;
  std::vector<bool> Done(Have);
  std::vector<int> Distance(Have.size(), 0);
  std::deque<int> Queue;
  for (int I = 0; I < W * H; ++I)
    if (Have[I]) Queue.push_back(I);
  while (!Queue.empty()) {
    int I = Queue.front();
    Queue.pop_front();
    int X = I % W, Y = I / W;
    const int N[4] = {Y * W + (X + 1) % W, Y * W + (X + W - 1) % W, Y > 0 ? I - W : -1, Y + 1 < H ? I + W : -1};
    for (int J : N) {
      if (J < 0 || Done[J]) continue;
      Done[J] = true;
      Distance[J] = Distance[I] + 1;
      if (Want[J]) Img.Pixels[J] = Img.Pixels[I];
      Queue.push_back(J);
    }
  }
  return Distance;
}

// Softens the pixels marked in Mask with their 3 x 3 neighbourhood (x wraps), Passes times.
void SoftenMarked(TImage& Img, const std::vector<bool>& Mask, int Passes) {
  const int W = Img.Width, H = Img.Height;
  for (int P = 0; P < Passes; ++P) {
    TImage Copy = Img;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        if (!Mask[Y * W + X]) continue;
        TColor S{0, 0, 0, 0};
        int Count = 0;
        for (int DY = -1; DY <= 1; ++DY) {
          int YY = Y + DY;
          if (YY < 0 || YY >= H) continue;
          for (int DX = -1; DX <= 1; ++DX) {
            const TColor& C = Copy.At((X + DX + W) % W, YY);
            S.R += C.R, S.G += C.G, S.B += C.B, ++Count;
          }
        }
        Img.At(X, Y) = {S.R / Count, S.G / Count, S.B / Count, 1};
      }
  }
}

// Near the north pole the imagery's rows are stretched from a few source pixels: each column
// keeps its own colour for many rows, which the globe shows as a fan of streaks around the pole.
// From 78 degrees north the picture turns into an even polar sea (the mean colour of the sea at
// 78 to 80 degrees) and snow on land, with a little texture from noise on the sphere that fades
// out towards the pole; from 86 degrees on nothing of the imagery is left.
void ClearNorthPole(TImage& Day, const std::vector<bool>& Land) {
  const int W = Day.Width, H = Day.Height;
  const auto LatOf = [&](int Y) { return 90.0f - (Y + 0.5f) * 180.0f / H; };
  TColor Sea{0, 0, 0, 1};
  int Count = 0;
  for (int Y = 0; LatOf(Y) >= 78.0f; ++Y) {
    if (LatOf(Y) > 80.0f) continue;
    for (int X = 0; X < W; ++X) {
      const std::size_t I = static_cast<std::size_t>(Y) * W + X;
      if (Land[I]) continue;
      Sea.R += Day.Pixels[I].R, Sea.G += Day.Pixels[I].G, Sea.B += Day.Pixels[I].B;
      ++Count;
    }
  }
  if (Count == 0) return;
  Sea = {Sea.R / Count, Sea.G / Count, Sea.B / Count, 1};
  const TColor Snow = Rgb(225, 230, 238);
  for (int Y = 0; LatOf(Y) > 78.0f; ++Y) {
    const float Lat = LatOf(Y) * kPi / 180.0f, Weight = SmoothStep(78.0f, 86.0f, LatOf(Y));
    for (int X = 0; X < W; ++X) {
      const float Lon = (X + 0.5f) / W * 2 * kPi;
      const float PX = std::cos(Lat) * std::cos(Lon), PY = std::cos(Lat) * std::sin(Lon), PZ = std::sin(Lat);
      // The texture fades out over the globe's last ring of triangles, which pinch each row into
      // one point: there the picture must not change along the row.
      const float Texture = 0.12f * (1.0f - SmoothStep(82.0f, 85.5f, LatOf(Y)));
      const float N = 1.0f + Texture * Fractal(PX * 14.0f, PY * 14.0f, PZ * 14.0f, 4, 29);
      const std::size_t I = static_cast<std::size_t>(Y) * W + X;
      const TColor& Base = Land[I] ? Snow : Sea;
      Day.Pixels[I] = Mix(Day.Pixels[I], {Clamp01(Base.R * N), Clamp01(Base.G * N), Clamp01(Base.B * N), 1}, Weight);
    }
  }
}

}  // namespace

std::filesystem::path FrameTexture(const TImageryPaths& Paths, const std::string& FileName) {
  std::error_code Ec;
  std::filesystem::remove(Paths.Data / "tex" / FileName, Ec);
  return Paths.Data / "tex" / "nocompression" / FileName;
}

void MakeGlobe(const TImageryPaths& Paths) {
  // Land of the region map, one flag per pixel of the 2048 x 1024 index map.
  const TImage Index = ReadPNG(Paths.Build / "content" / "regions_index2048.png");
  const int W = Index.Width, H = Index.Height;
  std::vector<bool> Land(static_cast<std::size_t>(W) * H);
  for (std::size_t I = 0; I < Land.size(); ++I) Land[I] = Index.Pixels[I].R > 0.5f / 255.0f;

  // Day: the Blue Marble, with land and sea moved to where the region map has them.
  TImage Day = ReadJPEG(Paths.Marble / "maps/earth/bluemarble/bluemarble.jpg").Resized(W, H);
  std::vector<bool> Water(Land.size()), NeedLand(Land.size()), NeedSea(Land.size()), GoodLand(Land.size()),
      GoodSea(Land.size()), Changed(Land.size());
  for (std::size_t I = 0; I < Land.size(); ++I) {
    Water[I] = LooksLikeWater(Day.Pixels[I]);
    NeedLand[I] = Land[I] && Water[I];
    NeedSea[I] = !Land[I] && !Water[I];
    GoodLand[I] = Land[I] && !Water[I];
    GoodSea[I] = !Land[I] && Water[I];
    Changed[I] = NeedLand[I] || NeedSea[I];
  }
  const std::vector<int> LandDistance = FillFromNearest(Day, NeedLand, GoodLand);
  const std::vector<int> SeaDistance = FillFromNearest(Day, NeedSea, GoodSea);
  // Far from the imagery's own land or sea the nearest colour would smear into streaks: there the
  // colour turns into a plain one of the latitude, with a little texture.
  for (int Y = 0; Y < H; ++Y) {
    float Lat = std::fabs(90 - (Y + 0.5f) * 180 / H);
    TColor Ground = Lat > 62 ? Rgb(225, 230, 238) : Lat > 50 ? Rgb(70, 88, 52) : Lat > 35 ? Rgb(96, 110, 60)
                  : Lat > 15 ? Rgb(170, 140, 96) : Rgb(48, 92, 40);
    for (int X = 0; X < W; ++X) {
      std::size_t I = static_cast<std::size_t>(Y) * W + X;
      if (!Changed[I]) continue;
      float N = Fractal(X / 24.0f, Y / 24.0f, 0.5f, 4, 11, {W / 24, 0, 0});
      TColor& C = Day.Pixels[I];
      if (NeedLand[I]) {
        TColor Plain = {Ground.R * (1 + 0.15f * N), Ground.G * (1 + 0.15f * N), Ground.B * (1 + 0.15f * N), 1};
        C = Mix(C, Plain, SmoothStep(2, 12, static_cast<float>(LandDistance[I])));
      } else {
        TColor Deep = {0.02f, 0.05f + 0.01f * N, 0.2f + 0.03f * N, 1};
        C = Mix(C, Deep, SmoothStep(2, 12, static_cast<float>(SeaDistance[I])));
      }
    }
  }
  SoftenMarked(Day, Changed, 2);
  ClearNorthPole(Day, Land);
  // Mipmaps average: a land texel of the 512-wide region map whose pixels are each land-coloured
  // can still average to water (bluish ice beside dark ground). Such blocks lose blue until they
  // read as land. (Averages of water pixels always stay water.)
  const int Block = W / 512;
  for (int BY = 0; BY + Block <= H; BY += Block)
    for (int BX = 0; BX + Block <= W; BX += Block) {
      if (!Land[static_cast<std::size_t>(BY) * W + BX]) continue;
      for (int Round = 0; Round < 8; ++Round) {
        TColor Sum{0, 0, 0, 0};
        for (int Y = BY; Y < BY + Block; ++Y)
          for (int X = BX; X < BX + Block; ++X) Sum.R += Day.At(X, Y).R, Sum.G += Day.At(X, Y).G, Sum.B += Day.At(X, Y).B;
        const float N = static_cast<float>(Block * Block);
        if (!NearlyWater({Sum.R / N, Sum.G / N, Sum.B / N, 1})) break;
        for (int Y = BY; Y < BY + Block; ++Y)
          for (int X = BX; X < BX + Block; ++X) {
            TColor& C = Day.At(X, Y);
            if (C.B > C.R) C.B = C.R + (C.B - C.R) * 0.6f;
          }
      }
    }
  WriteIfChanged(FrameTexture(Paths, "earthmap.png"), EncodePNGFile(Day, false));

  // Night: the city lights, on land only, over a faint blue glow of the land.
  TImage Night = ReadJPEG(Paths.Xplanet / "images/night.jpg").Resized(W, H);
  for (std::size_t I = 0; I < Land.size(); ++I) {
    TColor& C = Night.Pixels[I];
    if (!Land[I]) C = {0.0f, 0.0f, 0.0f, 1};
    else C = {Clamp01(C.R * 1.1f + 0.02f), Clamp01(C.G * 1.1f + 0.025f), Clamp01(C.B * 1.1f + 0.05f), 1};
  }
  WriteIfChanged(FrameTexture(Paths, "earthnight.png"), EncodePNGFile(Night, false));

  // Clouds: fractal noise on the sphere (no seam, no pinch at the poles), stretched east-west,
  // thicker along the storm belts and the equator, thinner in the dry subtropics.
  const int CW = W / 2, CH = H / 2;
  TImage Cloud(CW, CH);
  for (int Y = 0; Y < CH; ++Y) {
    float Lat = (0.5f - (Y + 0.5f) / CH) * kPi;
    float LatDeg = std::fabs(Lat) * 180 / kPi;
    float Belt = 0.55f + 0.35f * std::exp(-LatDeg * LatDeg / 60.0f) + 0.5f * std::exp(-(LatDeg - 55) * (LatDeg - 55) / 200.0f) -
                 0.25f * std::exp(-(LatDeg - 25) * (LatDeg - 25) / 80.0f);
    for (int X = 0; X < CW; ++X) {
      float Lon = ((X + 0.5f) / CW) * 2 * kPi;
      float PX = std::cos(Lat) * std::cos(Lon), PY = std::cos(Lat) * std::sin(Lon), PZ = std::sin(Lat);
      float Warp = Fractal(PX * 2, PY * 2, PZ * 2, 3, 21);
      float N = Fractal(PX * 3.0f + Warp * 0.6f, PY * 3.0f, PZ * 6.0f, 7, 17, {}, 0.55f);
      float C = SmoothStep(0.0f, 0.5f, N * 0.55f + 0.32f * Belt - 0.17f);
      Cloud.At(X, Y) = {C, C, C, 1};
    }
  }
  // Towards each pole the cloud sphere's and the globe's last ring of triangles pinch the map's
  // columns into one point, and a picture that changes along the row shows there as a fan of
  // wedges. The polar caps take the mean of their row instead, so they change with latitude only.
  for (int Y = 0; Y < CH; ++Y) {
    const float LatDeg = std::fabs(90.0f - (Y + 0.5f) * 180.0f / CH);
    const float Weight = SmoothStep(74.0f, 82.0f, LatDeg);
    if (Weight <= 0) continue;
    float Mean = 0;
    for (int X = 0; X < CW; ++X) Mean += Cloud.At(X, Y).R;
    Mean /= CW;
    for (int X = 0; X < CW; ++X) {
      const float C = Cloud.At(X, Y).R + (Mean - Cloud.At(X, Y).R) * Weight;
      Cloud.At(X, Y) = {C, C, C, 1};
    }
  }
  TImage CloudWide = Cloud.Resized(W, H);
  TImage CloudGloss(W, H);
  for (std::size_t I = 0; I < Land.size(); ++I) {
    float C = CloudWide.Pixels[I].R;
    CloudGloss.Pixels[I] = {C, Land[I] ? 0.0f : 1.0f, 0.0f, C};
  }
  WriteIfChanged(FrameTexture(Paths, "earthclouds.png"), EncodePNGFile(CloudGloss, true));
  WriteIfChanged(Paths.Data / "tex" / "noshaders" / "earthcloudsnoshader.png", EncodePNGFile(Cloud, false));

  // Day and night across the globe for the path without shaders: one row of light that the
  // texture matrix slides around the globe (4 rows high, so that it stays a 2D texture).
  TImage DayNight(512, 4);
  for (int X = 0; X < 512; ++X) {
    float C = std::cos(2 * kPi * (X + 0.5f) / 512);
    float V = 0.2f + 0.8f * SmoothStep(-0.25f, 0.35f, C);
    for (int Y = 0; Y < 4; ++Y) DayNight.At(X, Y) = {V, V, V, 1};
  }
  WriteIfChanged(Paths.Data / "tex" / "noshaders" / "Earthnightdaynoshader.png", EncodePNGFile(DayNight, false));

  // The region borders: light lines on black, kept uncompressed so that the thin lines survive.
  TImage Borders = ReadPNG(Paths.Build / "content" / "regions2048.png");
  for (auto& C : Borders.Pixels) C = {C.R * 0.85f, C.G * 0.85f, C.B * 0.8f, 1};
  WriteIfChanged(Paths.Data / "tex" / "nocompression" / "regions.png", EncodePNGFile(Borders, false));

  MakeLoadingScreen(Paths, Day, Night);
}

void MakeLoadingScreen(const TImageryPaths& Paths, const TImage& Day, const TImage& Night) {
  // The globe seen from space, lit from the upper left, the night side showing its lights, over a
  // dark starry backdrop. The picture is the 1024 x 768 screen itself, drawn over all of it: the
  // globe stands right of the middle, and the open sky on the left keeps a faint socket where the
  // loading indicator pulses (64 x 64 at x 31, y 210). The screen quad puts texture row 0 at the
  // top, so the file is stored top row first.
  const int SW = 1024, SH = 768;
  TImage Out(SW, SH);
  const float CX = 0.62f * SW, CY = 0.53f * SH, R = 0.43f * SH;
  const float LX = -0.55f, LY = 0.45f, LZ = 0.70f;
  const float SocketX = 31 + 32, SocketY = 210 + 32, SocketR = 32 * 0.7f;
  for (int Y = 0; Y < SH; ++Y)
    for (int X = 0; X < SW; ++X) {
      float NX = (X + 0.5f - CX) / R, NY = (CY - Y - 0.5f) / R;
      float D2 = NX * NX + NY * NY;
      float Star = HashUnit(HashCell(X, Y, 0, 5));
      float Bright = Star > 0.9975f ? (Star - 0.9975f) / 0.0025f : 0.0f;
      // No star in the socket, so that nothing there can be taken for the indicator.
      float SX = X + 0.5f - SocketX, SY = Y + 0.5f - SocketY, SD = std::sqrt(SX * SX + SY * SY);
      if (SD < 40) Bright = 0;
      float Socket = 0.10f * std::exp(-(SD - SocketR) * (SD - SocketR) / 10.0f) + 0.05f * std::exp(-SD * SD / 900.0f);
      TColor Back = {0.01f + 0.7f * Bright + 0.5f * Socket, 0.015f + 0.7f * Bright + 0.8f * Socket,
                     0.04f + 0.8f * Bright + Socket, 1};
      float Glow = D2 > 1 ? std::exp(-(std::sqrt(D2) - 1) * 14) * 0.7f : 0;
      TColor C = {Back.R + Glow * 0.25f, Back.G + Glow * 0.45f, Back.B + Glow * 0.9f, 1};
      if (D2 <= 1) {
        float NZ = std::sqrt(1 - D2);
        // Tilt the globe so that Europe and Africa face the viewer.
        const float Tilt = 0.35f;
        float PY = NY * std::cos(Tilt) + NZ * std::sin(Tilt), PZ = -NY * std::sin(Tilt) + NZ * std::cos(Tilt);
        float Lat = std::asin(std::max(-1.0f, std::min(1.0f, PY)));
        float Lon = std::atan2(NX, PZ) + 0.25f;
        float U = Lon / (2 * kPi) + 0.5f, V = 0.5f - Lat / kPi;
        float Lit = SmoothStep(-0.15f, 0.35f, NX * LX + NY * LY + NZ * LZ);
        TColor DayC = Day.Sample(U, V), NightC = Night.Sample(U, V);
        float Rim = std::pow(1 - NZ, 3.0f) * 0.6f;
        C = {DayC.R * Lit + NightC.R * (1 - Lit) * 1.2f + Rim * 0.3f * Lit, DayC.G * Lit + NightC.G * (1 - Lit) * 1.2f + Rim * 0.5f * Lit,
             DayC.B * Lit + NightC.B * (1 - Lit) * 1.2f + Rim * Lit, 1};
      }
      Out.At(X, Y) = {Clamp01(C.R), Clamp01(C.G), Clamp01(C.B), 1};
    }
  WriteIfChanged(Paths.Data / "loadingscreen.dds", EncodeDDSFile(Out, false, false));

  // The indicator pulses at its own size at (31, 210) of the 1024 x 768 screen: a glowing ring
  // with a bright dot, blended by its alpha.
  const int I = 64;
  TImage Ind(I, I, {0, 0, 0, 0});
  for (int Y = 0; Y < I; ++Y)
    for (int X = 0; X < I; ++X) {
      float DX = X + 0.5f - I / 2.0f, DY = Y + 0.5f - I / 2.0f, D = std::sqrt(DX * DX + DY * DY) / (I / 2.0f);
      float Ring = std::exp(-(D - 0.7f) * (D - 0.7f) / 0.006f), Core = std::exp(-D * D / 0.03f);
      float A = Clamp01(Ring + Core);
      Ind.At(X, Y) = {0.75f + 0.25f * Core, 0.9f, 1.0f, A};
    }
  WriteIfChanged(Paths.Data / "loadingscreen_indicator.dds", EncodeDDSFile(Ind, true, true));
}
