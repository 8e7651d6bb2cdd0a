// Keeps the earth view's frame from growing costlier without timing anything: a counting layer
// between the game and the GL counts the draw calls, the bytes handed to textures and buffers,
// and the calls that make the program wait for the GL, of whole frames of the real game (started
// through TGame::Create on the data set), and holds them under ceilings.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "control/control_globals.h"
#include "game_window_fixture.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/settings.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/files.h"
#include "platform/virtual_keys.h"
#include "presentation/earth_game_view.h"
#include "support/gl_environment.h"
#include "support/temp_folder.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {

struct TGLCounts {
  long Draws = 0;          // glBegin, glCallList, each list of glCallLists, glDraw*
  long UploadBytes = 0;    // texture and buffer data handed to the GL
  long Uploads = 0;        // calls that hand such data over
  long WaitingCalls = 0;   // glReadPixels, glGetTexImage, glFinish, glGetError
  bool On = false;
};
TGLCounts gCounts;

// The next definition of a GL function after this program's own (the driver's).
template <class F>
F Next(const char* Name) {
  static_assert(sizeof(F) == sizeof(void*));
  void* P = dlsym(RTLD_NEXT, Name);
  if (!P) std::abort();
  F Function;
  std::memcpy(&Function, &P, sizeof P);
  return Function;
}

long PixelBytes(GLenum Format, GLenum Type) {
  long Channels = 4;
  switch (Format) {
    case GL_RGB:
    case GL_BGR: Channels = 3; break;
    case GL_LUMINANCE_ALPHA:
    case GL_RG: Channels = 2; break;
    case GL_LUMINANCE:
    case GL_ALPHA:
    case GL_RED:
    case GL_DEPTH_COMPONENT: Channels = 1; break;
    default: break;
  }
  return Type == GL_FLOAT ? Channels * 4 : Channels;
}

void Draw(long N = 1) {
  if (gCounts.On) gCounts.Draws += N;
}
void Upload(long Bytes) {
  if (!gCounts.On) return;
  ++gCounts.Uploads;
  gCounts.UploadBytes += Bytes;
}
void Wait() {
  if (gCounts.On) ++gCounts.WaitingCalls;
}
}  // namespace

// The counting layer: these definitions stand in front of the driver's for the whole program.
extern "C" {
void glBegin(GLenum Mode) {
  static auto Real = Next<void (*)(GLenum)>("glBegin");
  Draw();
  Real(Mode);
}
void glCallList(GLuint List) {
  static auto Real = Next<void (*)(GLuint)>("glCallList");
  Draw();
  Real(List);
}
void glCallLists(GLsizei N, GLenum Type, const void* Lists) {
  static auto Real = Next<void (*)(GLsizei, GLenum, const void*)>("glCallLists");
  // Every list called is a draw of its own for the GL (a text drawn glyph by glyph costs one a glyph).
  Draw(N);
  Real(N, Type, Lists);
}
void glDrawArrays(GLenum Mode, GLint First, GLsizei Count) {
  static auto Real = Next<void (*)(GLenum, GLint, GLsizei)>("glDrawArrays");
  Draw();
  Real(Mode, First, Count);
}
void glDrawElements(GLenum Mode, GLsizei Count, GLenum Type, const void* Indices) {
  static auto Real = Next<void (*)(GLenum, GLsizei, GLenum, const void*)>("glDrawElements");
  Draw();
  Real(Mode, Count, Type, Indices);
}
void glDrawRangeElements(GLenum Mode, GLuint Start, GLuint End, GLsizei Count, GLenum Type, const void* Indices) {
  static auto Real = Next<void (*)(GLenum, GLuint, GLuint, GLsizei, GLenum, const void*)>("glDrawRangeElements");
  Draw();
  Real(Mode, Start, End, Count, Type, Indices);
}
void glTexImage2D(GLenum Target, GLint Level, GLint Internal, GLsizei W, GLsizei H, GLint Border, GLenum Format,
                  GLenum Type, const void* Pixels) {
  static auto Real =
      Next<void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*)>("glTexImage2D");
  Upload(Pixels ? long(W) * H * PixelBytes(Format, Type) : 0);
  Real(Target, Level, Internal, W, H, Border, Format, Type, Pixels);
}
void glTexSubImage2D(GLenum Target, GLint Level, GLint X, GLint Y, GLsizei W, GLsizei H, GLenum Format, GLenum Type,
                     const void* Pixels) {
  static auto Real =
      Next<void (*)(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*)>("glTexSubImage2D");
  Upload(long(W) * H * PixelBytes(Format, Type));
  Real(Target, Level, X, Y, W, H, Format, Type, Pixels);
}
void glCompressedTexImage2D(GLenum Target, GLint Level, GLenum Internal, GLsizei W, GLsizei H, GLint Border,
                            GLsizei Size, const void* Data) {
  static auto Real =
      Next<void (*)(GLenum, GLint, GLenum, GLsizei, GLsizei, GLint, GLsizei, const void*)>("glCompressedTexImage2D");
  Upload(Size);
  Real(Target, Level, Internal, W, H, Border, Size, Data);
}
void glBufferData(GLenum Target, GLsizeiptr Size, const void* Data, GLenum Usage) {
  static auto Real = Next<void (*)(GLenum, GLsizeiptr, const void*, GLenum)>("glBufferData");
  Upload(Data ? long(Size) : 0);
  Real(Target, Size, Data, Usage);
}
void glBufferSubData(GLenum Target, GLintptr Offset, GLsizeiptr Size, const void* Data) {
  static auto Real = Next<void (*)(GLenum, GLintptr, GLsizeiptr, const void*)>("glBufferSubData");
  Upload(long(Size));
  Real(Target, Offset, Size, Data);
}
void glReadPixels(GLint X, GLint Y, GLsizei W, GLsizei H, GLenum Format, GLenum Type, void* Pixels) {
  static auto Real = Next<void (*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*)>("glReadPixels");
  Wait();
  Real(X, Y, W, H, Format, Type, Pixels);
}
void glGetTexImage(GLenum Target, GLint Level, GLenum Format, GLenum Type, void* Pixels) {
  static auto Real = Next<void (*)(GLenum, GLint, GLenum, GLenum, void*)>("glGetTexImage");
  Wait();
  Real(Target, Level, Format, Type, Pixels);
}
void glFinish() {
  static auto Real = Next<void (*)()>("glFinish");
  Wait();
  Real();
}
GLenum glGetError() {
  static auto Real = Next<GLenum (*)()>("glGetError");
  Wait();
  return Real();
}
}

namespace {

// Ceilings of one frame, measured on the data set with a little room (195 and 413 draws). A
// settled frame uploads nothing: textures, models and the ownership map go to the GL once, not
// per frame.
constexpr long kMaxDraws = 225;
constexpr long kMaxDrawsWithWindows = 460;
constexpr long kMaxUploadBytes = 0;

// The game as the program starts it, on the data set of the build, in a window of its own.
class FrameBudget : public TGameWindowTest {
protected:
  void SetUp() override {
    TGameWindowTest::SetUp();
    if (IsSkipped()) return;
    StartGame();
    if (HasFatalFailure()) return;
    gGame->SelectedNation = 0;
    gGame->StartNewGame(0);
    ASSERT_EQ(gGame->State, gsEarthView);
  }
  void TearDown() override {
    gCounts.On = false;
    gSoftwareRasterizer = false;
    TGameWindowTest::TearDown();
  }
  // The counts of Frames frames, after a few frames that settle the first uploads.
  TGLCounts Count(int Frames) {
    for (int i = 0; i < 5; ++i) gGame->Render();
    gCounts = TGLCounts{};
    gCounts.On = true;
    for (int i = 0; i < Frames; ++i) gGame->Render();
    gCounts.On = false;
    return gCounts;
  }

};

// Counts of Frames frames against the ceilings of one frame, printed per frame.
void ExpectWithinBudget(const TGLCounts& C, long Frames, long MaxDraws, const char* What) {
  std::printf("%s, per frame: %ld draw calls, %ld uploads, %ld bytes uploaded, %ld waiting calls\n", What,
              C.Draws / Frames, C.Uploads / Frames, C.UploadBytes / Frames, C.WaitingCalls / Frames);
  EXPECT_LE(C.Draws / Frames, MaxDraws) << What;
  EXPECT_LE(C.UploadBytes / Frames, kMaxUploadBytes) << What;
  EXPECT_EQ(C.WaitingCalls, 0) << What;
}

TEST_F(FrameBudget, AnEarthViewFrameStaysUnderItsDrawCallsAndUploadsAndNeverWaitsForTheGL) {
  // The frame as a graphics card draws it: the tests' rasteriser is a software one, on which the
  // region symbols wait for it now and then (the case below).
  gSoftwareRasterizer = false;
  // The reflection is redrawn every frame: the costliest frame the settings allow.
  gSettings.ReflectionUpdateRate = 1;
  ExpectWithinBudget(Count(4), 4, kMaxDraws, "earth view");

  // With windows open (the news after a round, the science window and the market) and a round
  // played: the round uploads the ownership map once, the frames after it nothing.
  gGame->NextRound();
  gGame->KeyDown(VK_F1 + 2, 0);
  gGame->KeyDown(VK_F1 + 4, 0);
  ExpectWithinBudget(Count(4), 4, kMaxDrawsWithWindows, "with windows");
}

// On a software rasteriser the symbol pass waits for it after every 32 regions whose flag or
// status it drew, and nowhere else: with every region the player's, each region counts twice.
TEST_F(FrameBudget, OnASoftwareRasteriserOnlyTheRegionSymbolsWaitEveryThirtyTwoRegions) {
  gSoftwareRasterizer = true;
  const long Regions = static_cast<long>(gRegions.size());
  long Own = 0;
  for (const auto& R : gRegions) Own += R->Owner == gPlayerNation;
  ASSERT_GT(Own, 0);
  EXPECT_EQ(Count(2).WaitingCalls, 2 * ((Regions + Own) / 32));
  for (auto& R : gRegions) R->Owner = gPlayerNation;
  EXPECT_EQ(Count(2).WaitingCalls, 2 * (2 * Regions / 32));
  gSoftwareRasterizer = false;
  EXPECT_EQ(Count(2).WaitingCalls, 0);
}

}  // namespace
