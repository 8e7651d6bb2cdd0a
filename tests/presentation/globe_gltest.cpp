#include <gtest/gtest.h>

#include <algorithm>

#include "control/pick_colors.h"
#include "globe_fixture.h"
#include "presentation/earth_game_view.h"
#include "presentation/earth_water.h"
#include "presentation/region_map.h"
#include "presentation/region_symbols.h"

namespace {
std::array<int, 3> MapColor(std::uint8_t Owner) {
  return {kMapColors[Owner][0], kMapColors[Owner][1], kMapColors[Owner][2]};
}

bool StartsAndEnds(const std::string& Line, const std::string& Head, const std::string& Tail) {
  return Line.size() > Head.size() + Tail.size() && Line.rfind(Head, 0) == 0 &&
         Line.compare(Line.size() - Tail.size(), Tail.size(), Tail) == 0;
}

// Water discs below the eye and the globe, the upper one over the lower, as the data set has them.
void PutWaterBelowTheGlobe(TNation& N) {
  N.WaterplaneUpperPos = -1.3f;
  N.WaterplaneUpperDim = 2.5f;
  N.WaterplaneLowerPos = -1.5f;
  N.WaterplaneLowerDim = 5.0f;
}
}  // namespace

TEST_F(GlobeGL, OwnershipTextureHoldsEveryOwnedRegionInItsNationsColour) {
  UpDateRegionMap(false);
  const GLuint First = gRegionTextureID;
  ASSERT_NE(First, 0u);
  std::vector<std::uint8_t> Texels(512 * 256 * 4);
  glBindTexture(GL_TEXTURE_2D, gRegionTextureID);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels.data());
  for (std::size_t i = 0; i < gRegions.size(); ++i) {
    const TRegion& R = *gRegions[i];
    // Texture rows run from the map's bottom row; look at the seed and at the box's corner.
    for (const auto& [DX, DY] : {std::pair{0, 0}, std::pair{-11, -7}}) {
      const int X = R.X2D / 2 + DX, Y = 255 - (R.Y2D / 2 + DY);
      if (X < 0 || X > 511) continue;
      const std::uint8_t* T = &Texels[(std::size_t(Y) * 512 + std::size_t(X)) * 4];
      const std::array<int, 4> Got{T[0], T[1], T[2], T[3]};
      const std::array<int, 4> Want =
          R.Owner < 5 ? std::array<int, 4>{kMapColors[R.Owner][0], kMapColors[R.Owner][1], kMapColors[R.Owner][2], 255}
                      : std::array<int, 4>{0x96, 0x96, 0x96, 255};
      EXPECT_EQ(Got, Want) << "region " << i;
    }
  }
  const std::uint8_t* Sea = &Texels[(std::size_t(255 - 200) * 512 + 250) * 4];
  EXPECT_EQ((std::array<int, 3>{Sea[0], Sea[1], Sea[2]}), (std::array<int, 3>{0x14, 0x24, 0x46}));

  // A round later the region changed hands: the texture, updated in place, shows it.
  gRegions[3]->Owner = 1;
  UpDateRegionMap(false);
  EXPECT_EQ(gRegionTextureID, First);
  EXPECT_TRUE(glIsTexture(gRegionTextureID));
  glBindTexture(GL_TEXTURE_2D, gRegionTextureID);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels.data());
  const TRegion& R3 = *gRegions[3];
  const std::uint8_t* T = &Texels[(std::size_t(255 - R3.Y2D / 2) * 512 + std::size_t(R3.X2D / 2)) * 4];
  EXPECT_EQ((std::array<int, 3>{T[0], T[1], T[2]}), MapColor(1));
  int Timings = 0;
  for (const std::string& L : Log.Lines()) Timings += StartsAndEnds(L, "TEarth->UpDateRegionMap->", "ms");
  EXPECT_EQ(Timings, 2);
}

TEST_F(GlobeGL, GlobeShowsTheOwnerAtTheSiteAndTheSeaBesideItWithAndWithoutShaders) {
  UpDateRegionMap(false);
  for (bool NoShaders : {true, false}) {
    gSettings.NoShaders = NoShaders;
    for (std::size_t i : {0u, 4u, 6u, 7u, 8u}) {
      const TTestSite& S = TestSites()[i];
      Face(S.Lat, S.Lon);
      DrawGlobe(true);
      EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
      const auto Site = Pixel(kSize / 2, kSize / 2);
      // 60 pixels east of the site lies open sea.
      const auto Beside = Pixel(kSize / 2 + 60, kSize / 2);
      EXPECT_GT(ColourLikeness(Site, MapColor(S.Owner)), 0.97) << "region " << i << " " << Site[0] << "," << Site[1] << "," << Site[2];
      EXPECT_LT(ColourLikeness(Beside, MapColor(S.Owner)), 0.9) << "region " << i;
      EXPECT_GT(Beside[2], Beside[0]) << "region " << i;  // blue sea
      if (i == 0) SaveFrame(NoShaders ? "noshaders" : "shaders");
    }
  }
  // The earth view's globe with its symbols over every region.
  Game->Earth->Atmosphere = 25000.0f;
  Face(30, 20);
  DrawGlobe(false);
  SaveFrame("symbols");
  const auto Corner = Pixel(5, 5);
  EXPECT_EQ(Corner, (std::array<int, 3>{0, 0, 0}));
  // The atmosphere ring shows just outside the globe's rim, and only while the globe has one.
  const auto Ring = Pixel(kSize / 2 + 145, kSize / 2);
  EXPECT_NE(Ring, (std::array<int, 3>{0, 0, 0}));
  Game->Earth->Atmosphere = 0.0f;
  DrawGlobe(false);
  EXPECT_EQ(Pixel(kSize / 2 + 145, kSize / 2), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(GlobeGL, PickPassFindsTheRegionUnderAPixel) {
  const auto Count = static_cast<std::int32_t>(gRegions.size());
  const auto DrawPick = [&] {
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    SetPerspectiveProjection(kSize, kSize);
    RenderEarthPickColors(*Game);
  };
  const auto Pick = [&](double X, double Y) {
    const auto P = Pixel(static_cast<int>(X), static_cast<int>(Y));
    return DecodePickColor({static_cast<std::uint8_t>(P[0]), static_cast<std::uint8_t>(P[1]), static_cast<std::uint8_t>(P[2])},
                           Count);
  };
  // Four views, so that every region is seen from the front at least once.
  int Found = 0;
  for (const auto& [RX, RY] : {std::pair{20.0f, -30.0f}, std::pair{-20.0f, 150.0f}, std::pair{70.0f, 40.0f},
                               std::pair{-70.0f, -60.0f}}) {
    Game->Earth->RotationX = RX;
    Game->Earth->RotationY = RY;
    DrawPick();
    // The globe's transform, and the depth of its centre: regions nearer than it face the camera.
    SetPerspectiveProjection(kSize, kSize);
    glTranslatef(0.0f, 0.0f, gCameraDistance);
    glRotatef(RX, 1, 0, 0);
    glRotatef(RY, 0, 1, 0);
    TRegion Centre;
    const double CZ = Projected(Centre, 1.0f)[2];
    for (std::int32_t k = 0; k < Count; ++k) {
      const auto Q = Projected(*gRegions[std::size_t(k)], 0.0302941176f);
      if (Q[2] < CZ - 0.002) {
        EXPECT_EQ(Pick(Q[0], Q[1]), k + 1) << "region " << k << " view " << RX << "," << RY;
        ++Found;
      } else if (Q[2] > CZ) {
        EXPECT_NE(Pick(Q[0], Q[1]), k + 1) << "hidden region " << k << " view " << RX << "," << RY;
      }
    }
  }
  EXPECT_GE(Found, Count);
  // Open sea on the globe and the space beside it pick nothing.
  EXPECT_EQ(Pick(5, 5), -1);

  // The hovered region's quad is twice as wide, and so is the selected region's.
  Game->Earth->RotationX = 50.0f;
  Game->Earth->RotationY = -10.0f;
  const auto Width = [&] {
    DrawPick();
    SetPerspectiveProjection(kSize, kSize);
    glTranslatef(0.0f, 0.0f, gCameraDistance);
    glRotatef(50.0f, 1, 0, 0);
    glRotatef(-10.0f, 0, 1, 0);
    const auto P = Projected(*gRegions[0], 0.0302941176f);
    int Left = 0, Right = 0;
    while (Pick(P[0] - Left - 1, P[1]) == 1) ++Left;
    while (Pick(P[0] + Right + 1, P[1]) == 1) ++Right;
    return Left + Right + 1;
  };
  const int Normal = Width();
  Game->HoveredRegion = 0;
  const int Hovered = Width();
  EXPECT_GE(Normal, 5);
  EXPECT_NEAR(Hovered, 2 * Normal, 2);
  SaveFrame("hovered");
  Game->HoveredRegion = -1;
  Game->Earth->SelRegion = 0;
  EXPECT_NEAR(Width(), 2 * Normal, 2);
  SaveFrame("selected");
  Game->Earth->SelRegion = -1;
  EXPECT_NEAR(Width(), Normal, 1);
}

TEST_F(GlobeGL, PickPassFindsTheRegionOnItsFlagAndNotOnTheLandAroundIt) {
  UpDateRegionMap(false);
  const auto Count = static_cast<std::int32_t>(gRegions.size());
  const auto Pick = [&](int X, int Y) {
    const auto P = Pixel(X, Y);
    return DecodePickColor({static_cast<std::uint8_t>(P[0]), static_cast<std::uint8_t>(P[1]), static_cast<std::uint8_t>(P[2])},
                           Count);
  };
  for (std::size_t i : {0u, 3u, 4u, 5u}) {
    const TTestSite& S = TestSites()[i];
    Face(S.Lat, S.Lon);
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    SetPerspectiveProjection(kSize, kSize);
    RenderEarthPickColors(*Game);
    if (i == 0) SaveFrame("pick_flag");
    // The region's land reaches about 20 pixels east and west of its site here, past its flag's
    // quad (about 12 by 5 pixels): only the quad picks the region, its land and the sea nothing.
    const int C = kSize / 2;
    EXPECT_EQ(Pick(C, C), int(i) + 1) << "site " << i;
    for (int D : {-4, 4}) EXPECT_EQ(Pick(C + D, C), int(i) + 1) << "site " << i << " flag at " << D;
    for (int D : {-16, -11, 11, 16}) EXPECT_EQ(Pick(C + D, C), -1) << "site " << i << " land at " << D;
    EXPECT_EQ(Pick(C, C + 12), -1) << "site " << i << " land below the flag";
    EXPECT_EQ(Pick(C, C - 12), -1) << "site " << i << " land above the flag";
    EXPECT_EQ(Pick(C + 60, C), -1) << "site " << i << " sea";
  }
}

TEST_F(GlobeGL, EarthViewFrameShowsSkyGlobeAndWaterInEveryMode) {
  UpDateRegionMap(false);
  TNation& Player = *gNations[0];
  PutWaterBelowTheGlobe(Player);
  gSettings.ReflectionUpdateRate = 1;
  CreateReflectionTargets(256, kSize, kSize);
  ASSERT_NE(gReflectionFramebuffer, 0u);
  TEarthGameView View;
  Game->State = gsEarthView;
  Face(30, 20);
  for (bool NoShaders : {true, false})
    for (bool Reflections : {false, true}) {
      gSettings.NoShaders = NoShaders;
      gSettings.Reflections = Reflections;
      glViewport(0, 0, kSize, kSize);
      View.Render(*Game);
      EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << NoShaders << Reflections;
      // The plain sky's upper colour in the corner, the globe in the middle.
      const auto Corner = Pixel(2, 2);
      EXPECT_NEAR(Corner[0], 26, 3);
      EXPECT_NEAR(Corner[1], 46, 3);
      EXPECT_NEAR(Corner[2], 92, 3);
      EXPECT_NE(Pixel(kSize / 2, kSize / 2), Corner);
      if (Reflections) SaveFrame(NoShaders ? "noshaders_reflections" : "shaders_reflections");
    }
  // The upper reflection holds the mirrored globe: owner colours among the sky's blues.
  std::vector<std::uint8_t> Texels(256 * 256 * 3);
  glBindTexture(GL_TEXTURE_2D, gReflectionTexture[0]);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, Texels.data());
  int Reddish = 0;
  for (std::size_t i = 0; i < Texels.size(); i += 3) Reddish += Texels[i] > 150 && Texels[i + 2] < 100;
  EXPECT_GT(Reddish, 5);

  // Nothing from below the water plane shows in the reflection: the clip plane cuts the mirrored
  // scene at the water. Sunk wholly under the upper plane (radius 1.5, plane at -1.3), the globe
  // leaves the texture as it is without a globe; half sunk, its half above the water is still
  // mirrored.
  gSettings.NoShaders = true;
  gSettings.Reflections = true;
  const auto Reflection = [&](float Y, float X = 0.0f) {
    Game->Earth->Position = MakeVector3(X, Y, 0.0f);
    glViewport(0, 0, kSize, kSize);
    View.Render(*Game);
    std::vector<std::uint8_t> T(256 * 256 * 3);
    glBindTexture(GL_TEXTURE_2D, gReflectionTexture[0]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, T.data());
    return T;
  };
  const auto Differing = [](const std::vector<std::uint8_t>& A, const std::vector<std::uint8_t>& B) {
    int N = 0;
    for (std::size_t i = 0; i < A.size(); i += 3)
      N += std::abs(A[i] - B[i]) + std::abs(A[i + 1] - B[i + 1]) + std::abs(A[i + 2] - B[i + 2]) > 6;
    return N;
  };
  const auto Nothing = Reflection(0.0f, 100.0f);
  const int Above = Differing(Reflection(0.3f), Nothing);
  const int Half = Differing(Reflection(-1.3f), Nothing);
  const int Sunk = Differing(Reflection(-3.0f), Nothing);
  EXPECT_GT(Above, 2000) << "the globe above the water is not mirrored";
  EXPECT_LE(Sunk, 0) << "the globe under the water shows in the reflection";
  EXPECT_GT(Half, 500) << "the half above the water is not mirrored";
  FreeReflectionTargets();
}

// One colour over a whole texture: any filtering of it gives that colour.
GLuint PlainTexture(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
  GLuint ID = 0;
  glGenTextures(1, &ID);
  glBindTexture(GL_TEXTURE_2D, ID);
  const std::uint8_t Texels[16] = {R, G, B, 255, R, G, B, 255, R, G, B, 255, R, G, B, 255};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glBindTexture(GL_TEXTURE_2D, 0);
  return ID;
}

TEST_F(GlobeGL, TheSkyIsDrawnOnceAndCopiedIntoEveryFrameUntilTheNationOrTheSizeChanges) {
  UpDateRegionMap(false);
  PutWaterBelowTheGlobe(*gNations[0]);
  PutWaterBelowTheGlobe(*gNations[1]);
  const GLuint Red = PlainTexture(200, 40, 40), Blue = PlainTexture(40, 40, 200);
  gTextureManager->AddTextureByID("skysphere0", Red);
  gTextureManager->AddTextureByID("skysphere1", Blue);
  gSettings.ReflectionUpdateRate = 1;
  gSettings.NoShaders = true;
  gSettings.Reflections = true;
  CreateReflectionTargets(256, kSize, kSize);
  TEarthGameView View;
  Game->State = gsEarthView;
  Face(30, 20);
  const auto Near = [](std::array<int, 3> Got, std::array<int, 3> Want) {
    for (int c = 0; c < 3; ++c)
      if (std::abs(Got[c] - Want[c]) > 1) return false;
    return true;
  };
  const std::array<int, 3> RedSky{200, 40, 40}, BlueSky{40, 40, 200};
  for (int Frame = 0; Frame < 3; ++Frame) {
    glViewport(0, 0, kSize, kSize);
    View.Render(*Game);
    EXPECT_TRUE(Near(Pixel(2, 2), RedSky)) << "frame " << Frame;
    EXPECT_TRUE(Near(Pixel(kSize - 3, kSize / 3), RedSky)) << "frame " << Frame;
  }
  // Three frames, each with its reflections, drew each sky once.
  EXPECT_EQ(View.EarthViewState().Sky.Redraws(), 1u);
  EXPECT_EQ(View.EarthViewState().ReflectionSky.Redraws(), 1u);
  std::vector<std::uint8_t> Texels(256 * 256 * 3);
  glBindTexture(GL_TEXTURE_2D, gReflectionTexture[0]);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, Texels.data());
  const std::size_t TopLeft = (255u * 256u + 1u) * 3u;
  EXPECT_TRUE(Near({Texels[TopLeft], Texels[TopLeft + 1], Texels[TopLeft + 2]}, RedSky)) << "the reflection's sky";

  // Another nation's game shows its own sky at once, in the frame and in the reflections.
  gPlayerNation = 1;
  glViewport(0, 0, kSize, kSize);
  View.Render(*Game);
  EXPECT_TRUE(Near(Pixel(2, 2), BlueSky));
  EXPECT_EQ(View.EarthViewState().Sky.Redraws(), 2u);
  glBindTexture(GL_TEXTURE_2D, gReflectionTexture[0]);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, Texels.data());
  EXPECT_TRUE(Near({Texels[TopLeft], Texels[TopLeft + 1], Texels[TopLeft + 2]}, BlueSky)) << "the reflection's sky";

  // A smaller window: the sky is drawn again at the new size and fills it to its top edge.
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(0, 0, kSize / 2, kSize / 2);
  View.Render(*Game);
  EXPECT_EQ(View.EarthViewState().Sky.Redraws(), 3u);
  EXPECT_TRUE(Near(Pixel(2, kSize / 2 + 1), BlueSky)) << "the top row of the smaller frame";
  EXPECT_EQ(Pixel(2, kSize / 2 - 2), (std::array<int, 3>{0, 0, 0})) << "above the smaller frame";
  SaveFrame("sky_after_resize");
  View.FreeRenderTargets();
  glDeleteTextures(1, &Red);
  glDeleteTextures(1, &Blue);
}

TEST_F(GlobeGL, AWaterDiscAtTheEyesHeightLeavesNoBandAcrossTheInterface) {
  // A disc in the eye's plane is seen edge-on: drawn, its near-eye fragments would lie in front
  // of the interface along a line and cut a band through every window drawn over the scene.
  EXPECT_FALSE(WaterDiscVisible(0.0f, 0.0f));
  EXPECT_FALSE(WaterDiscVisible(0.0f, 0.015f));
  EXPECT_FALSE(WaterDiscVisible(0.0f, std::nanf("")));
  EXPECT_TRUE(WaterDiscVisible(0.0f, -1.1f));
  UpDateRegionMap(false);
  TNation& Player = *gNations[0];
  Player.WaterplaneUpperPos = 0.0f;
  Player.WaterplaneUpperDim = 40.0f;
  Player.WaterplaneLowerPos = -2.0f;
  Player.WaterplaneLowerDim = 60.0f;
  gSettings.ReflectionUpdateRate = 1;
  CreateReflectionTargets(256, kSize, kSize);
  TEarthGameView View;
  Game->State = gsEarthView;
  Face(30, 20);
  for (bool Reflections : {false, true}) {
    gSettings.NoShaders = true;
    gSettings.Reflections = Reflections;
    glViewport(0, 0, kSize, kSize);
    View.Render(*Game);
    // A window over the middle of the screen, drawn as the interface draws: orthographic, with
    // the depth test on.
    SetOrthoProjection(kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(64.0f, 128.0f, 1.0f);
    glVertex3f(64.0f, 384.0f, 1.0f);
    glVertex3f(448.0f, 384.0f, 1.0f);
    glVertex3f(448.0f, 128.0f, 1.0f);
    glEnd();
    int Gaps = 0;
    for (int Y = 136; Y < 376; ++Y)
      for (int X : {80, 200, 300, 430}) Gaps += Pixel(X, Y) != std::array<int, 3>{255, 255, 255};
    EXPECT_EQ(Gaps, 0) << "reflections " << Reflections;
    SaveFrame(Reflections ? "eye_height_disc_reflections" : "eye_height_disc");
  }
  FreeReflectionTargets();
}

namespace {
// A texture of two rows, the first (t 0) in Lower, the second in Upper, registered under Name.
void AddTwoRowTexture(const std::string& Name, std::array<std::uint8_t, 4> Lower, std::array<std::uint8_t, 4> Upper) {
  GLuint ID = 0;
  glGenTextures(1, &ID);
  glBindTexture(GL_TEXTURE_2D, ID);
  std::uint8_t Texels[16];
  for (int i = 0; i < 2; ++i) {
    std::copy(Lower.begin(), Lower.end(), Texels + 4 * i);
    std::copy(Upper.begin(), Upper.end(), Texels + 8 + 4 * i);
  }
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gLastTexture = {GL_RGBA, ID, GL_TEXTURE_2D, 2, 2};
  gTextureManager->AddTextureByID(Name, ID);
}
}  // namespace

TEST_F(GlobeGL, SymbolsShowEachFlagThenEachRegionsStatusInRegionOrder) {
  // Three regions of the player facing the camera, the symbols' frame drawn flat: one unit of the
  // symbol frame is 512 × 0.0302941176 ≈ 15.5 pixels, y upwards.
  constexpr float kUnit = 0.0302941176f * kSize;
  AddTwoRowTexture("flag0", {255, 0, 0, 255}, {255, 0, 0, 255});
  AddTwoRowTexture("gui_icon_highpollution", {0, 255, 0, 255}, {0, 255, 0, 255});
  AddTwoRowTexture("status_upright", {0, 0, 255, 255}, {255, 255, 0, 255});
  gRegions.clear();
  // Region 1 stands 0.4 units below region 0: its pollution icon lies on the upper part of region
  // 0's status icon, at the same depth. Region 2, alone to the right, is under the mouse.
  for (const auto& [X, Y] : {std::pair{0.0f, 0.0f}, std::pair{0.0f, -0.4f}, std::pair{8.0f, 4.0f}}) {
    auto R = std::make_unique<TRegion>();
    R->ID = static_cast<std::int32_t>(gRegions.size());
    R->Position3D = MakeVector3(X, 0.0f, Y);
    R->Owner = 0;
    R->Loyality = 1.0f;
    R->Energy = 1.0f;
    gRegions.push_back(std::move(R));
  }
  gRegions[0]->Pollution = 0.9f;
  gRegions[0]->StatusIcon = "status_upright";
  gRegions[1]->Pollution = 0.9f;
  gRegions[2]->StatusIcon = "status_upright";
  gPlayerNation = 0;
  Game->Earth->RotationX = Game->Earth->RotationY = 0.0f;
  Game->HoveredRegion = 2;

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.5, 0.5, -0.5, 0.5, -10.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  RenderRegionSymbols(*Game);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  SaveFrame("symbols");
  // A point of a region's symbol frame on the screen, y from the top.
  const auto At = [&](std::size_t Region, float X, float Y) {
    const TRegion& R = *gRegions[Region];
    const float Scale = Region == 2 ? 2.0f : 1.0f;
    return Pixel(static_cast<int>(std::lround(kSize / 2.0 + kUnit * (R.Position3D.X + Scale * X))),
                 static_cast<int>(std::lround(kSize / 2.0 - kUnit * (R.Position3D.Z + Scale * Y))));
  };
  using C = std::array<int, 3>;
  // Region 1's pollution icon, drawn with region 1's status after all of region 0's, covers region
  // 0's status icon where they overlap; above region 1's icon, region 0's status shows.
  EXPECT_EQ(At(0, -2.0f, -1.4f), (C{0, 255, 0}));
  EXPECT_EQ(At(0, -2.0f, -1.8f), (C{0, 0, 255}));
  // The status icon stands upright: its first row (t 0) at its lower edge.
  EXPECT_EQ(At(2, -1.8f, -1.8f), (C{0, 0, 255}));
  EXPECT_EQ(At(2, -1.8f, -0.5f), (C{255, 255, 0}));
  // The flag of the hovered region is twice the size, its outline black, the bars below it: the
  // full loyalty bar runs from red to green (its left end lies under the status icon), the empty
  // pollution bar is black.
  EXPECT_EQ(At(2, 0.0f, 0.3f), (C{255, 0, 0}));
  EXPECT_EQ(At(2, 1.4f, 0.3f), (C{255, 0, 0}));
  // The outline is a line one pixel wide: black on one of the rows around the flag's upper edge.
  const std::array<C, 3> Edge{At(2, 0.0f, 0.75f - 1.0f / (2.0f * kUnit)), At(2, 0.0f, 0.75f), At(2, 0.0f, 0.75f + 1.0f / (2.0f * kUnit))};
  EXPECT_NE(std::find(Edge.begin(), Edge.end(), C{0, 0, 0}), Edge.end());
  const C LoyaltyLeft = At(2, -0.35f, -1.0f), LoyaltyRight = At(2, 1.35f, -1.0f);
  EXPECT_GT(LoyaltyLeft[0], LoyaltyLeft[1] + 30);
  EXPECT_EQ(LoyaltyLeft[2], 0);
  EXPECT_LT(LoyaltyRight[0], 60);
  EXPECT_GT(LoyaltyRight[1], 200);
  EXPECT_EQ(At(2, 0.0f, -1.45f), (C{0, 0, 0}));
}
