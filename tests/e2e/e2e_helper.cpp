// What the end-to-end scripts need beyond xdotool:
//   tarnova-e2e-helper close <window id>   asks the window to close, as a window manager's close
//                                          button does (WM_DELETE_WINDOW)
//   tarnova-e2e-helper pngstat <file>      prints "<width> <height> <share of non-black pixels>
//                                          <share of bright pixels>"
//   tarnova-e2e-helper pixel <file> <x> <y> prints "<red> <green> <blue>" of the pixel x across,
//                                          y down from the top (0..255)
//   tarnova-e2e-helper windowsum <window id> prints a checksum of what the window shows now; two
//                                          sums differ when a new frame changed the picture
//   tarnova-e2e-helper mean <file>         prints the mean brightness of the picture, the average
//                                          of red, green and blue over every pixel (0..255)
//   tarnova-e2e-helper near <file> <x> <y> <w> <h> <r> <g> <b> <tolerance>
//                                          prints how many pixels of the rectangle (x, y down from
//                                          the top, w x h) have each channel within tolerance of
//                                          red, green and blue
//   tarnova-e2e-helper boxdiff <file> <file> <x> <y> <w> <h> prints how many of the w x h pixels
//                                          whose top left corner is x across, y down differ between
//                                          the two pictures by more than a tenth
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/png_codec.h"

namespace {

int Close(const char* WindowId) {
  Display* D = XOpenDisplay(nullptr);
  if (!D) {
    std::fprintf(stderr, "no display\n");
    return 2;
  }
  XEvent E{};
  E.xclient.type = ClientMessage;
  E.xclient.window = static_cast<Window>(std::strtoul(WindowId, nullptr, 0));
  E.xclient.message_type = XInternAtom(D, "WM_PROTOCOLS", False);
  E.xclient.format = 32;
  E.xclient.data.l[0] = static_cast<long>(XInternAtom(D, "WM_DELETE_WINDOW", False));
  E.xclient.data.l[1] = CurrentTime;
  XSendEvent(D, E.xclient.window, False, NoEventMask, &E);
  XCloseDisplay(D);
  return 0;
}

// Decodes File into Image; says why on stderr when it cannot.
bool ReadPNG(const char* File, TPNGImage& Image) {
  const auto Bytes = ReadWholeFile(File);
  std::string Error;
  if (Bytes && DecodePNG(Bytes->data(), Bytes->size(), Image, Error)) return true;
  std::fprintf(stderr, "%s: not a readable PNG %s\n", File, Error.c_str());
  return false;
}

int PngStat(const char* File) {
  TPNGImage Image;
  if (!ReadPNG(File, Image)) return 1;
  std::size_t Lit = 0, Bright = 0;
  for (std::size_t i = 0; i + 3 < Image.Pixels.size(); i += 4) {
    const int Max = std::max({Image.Pixels[i], Image.Pixels[i + 1], Image.Pixels[i + 2]});
    if (Max > 8) ++Lit;
    if (Max > 96) ++Bright;
  }
  const double Count = static_cast<double>(Image.Width) * Image.Height;
  std::printf("%u %u %.3f %.3f\n", Image.Width, Image.Height, Count > 0 ? Lit / Count : 0.0,
              Count > 0 ? Bright / Count : 0.0);
  return 0;
}

int Pixel(const char* File, const char* X, const char* Y) {
  TPNGImage Image;
  if (!ReadPNG(File, Image)) return 1;
  const unsigned long Col = std::strtoul(X, nullptr, 10), Row = std::strtoul(Y, nullptr, 10);
  if (Col >= Image.Width || Row >= Image.Height) {
    std::fprintf(stderr, "%s: %lu, %lu lies outside the picture\n", File, Col, Row);
    return 1;
  }
  // Decoded bottom row first, blue, green, red.
  const std::size_t i = (static_cast<std::size_t>(Image.Height - 1 - Row) * Image.Width + Col) * 4;
  std::printf("%d %d %d\n", Image.Pixels[i + 2], Image.Pixels[i + 1], Image.Pixels[i]);
  return 0;
}

int WindowSum(const char* WindowId) {
  Display* D = XOpenDisplay(nullptr);
  if (!D) {
    std::fprintf(stderr, "no display\n");
    return 2;
  }
  const Window W = static_cast<Window>(std::strtoul(WindowId, nullptr, 0));
  XWindowAttributes A{};
  XImage* Image = nullptr;
  if (XGetWindowAttributes(D, W, &A) && A.width > 0 && A.height > 0)
    Image = XGetImage(D, W, 0, 0, static_cast<unsigned>(A.width), static_cast<unsigned>(A.height), AllPlanes, ZPixmap);
  if (!Image) {
    std::fprintf(stderr, "window %s cannot be read\n", WindowId);
    XCloseDisplay(D);
    return 1;
  }
  // FNV-1a over every pixel.
  std::uint64_t Sum = 1469598103934665603ull;
  for (int y = 0; y < Image->height; ++y)
    for (int x = 0; x < Image->width; ++x) {
      Sum ^= XGetPixel(Image, x, y);
      Sum *= 1099511628211ull;
    }
  std::printf("%016llx\n", static_cast<unsigned long long>(Sum));
  XDestroyImage(Image);
  XCloseDisplay(D);
  return 0;
}

int Mean(const char* File) {
  TPNGImage Image;
  if (!ReadPNG(File, Image)) return 1;
  double Sum = 0.0;
  for (std::size_t i = 0; i + 3 < Image.Pixels.size(); i += 4)
    Sum += (Image.Pixels[i] + Image.Pixels[i + 1] + Image.Pixels[i + 2]) / 3.0;
  const double Count = static_cast<double>(Image.Width) * Image.Height;
  std::printf("%.0f\n", Count > 0 ? Sum / Count : 0.0);
  return 0;
}

// Pixels of a rectangle whose every channel lies within Tolerance of R, G, B.
int Near(char** Args) {
  TPNGImage Image;
  if (!ReadPNG(Args[0], Image)) return 1;
  long V[8];
  for (int k = 0; k < 8; ++k) V[k] = std::strtol(Args[k + 1], nullptr, 10);
  const long X0 = std::max(V[0], 0L), Y0 = std::max(V[1], 0L);
  const long X1 = std::min(V[0] + V[2], static_cast<long>(Image.Width)), Y1 = std::min(V[1] + V[3], static_cast<long>(Image.Height));
  long Count = 0;
  for (long Row = Y0; Row < Y1; ++Row)
    for (long Col = X0; Col < X1; ++Col) {
      // Decoded bottom row first, blue, green, red.
      const std::size_t i = (static_cast<std::size_t>(Image.Height - 1 - Row) * Image.Width + static_cast<std::size_t>(Col)) * 4;
      const long R = Image.Pixels[i + 2], G = Image.Pixels[i + 1], B = Image.Pixels[i];
      Count += std::labs(R - V[4]) <= V[7] && std::labs(G - V[5]) <= V[7] && std::labs(B - V[6]) <= V[7];
    }
  std::printf("%ld\n", Count);
  return 0;
}

// The pixels of the w x h box at x, y whose red, green or blue differ by more than a tenth between
// two pictures of the same size: two pictures of the same screen differ in none or a few (the sea
// shimmers through a translucent panel), a changed text in hundreds.
int BoxDiff(char** Args) {
  TPNGImage A, B;
  if (!ReadPNG(Args[0], A) || !ReadPNG(Args[1], B)) return 1;
  unsigned long Box[4];
  for (int i = 0; i < 4; ++i) Box[i] = std::strtoul(Args[i + 2], nullptr, 10);
  if (A.Width != B.Width || A.Height != B.Height || Box[2] == 0 || Box[3] == 0 || Box[0] + Box[2] > A.Width ||
      Box[1] + Box[3] > A.Height) {
    std::fprintf(stderr, "%s, %s: the box lies outside the pictures\n", Args[0], Args[1]);
    return 1;
  }
  unsigned long Count = 0;
  for (unsigned long Row = Box[1]; Row < Box[1] + Box[3]; ++Row)
    for (unsigned long Col = Box[0]; Col < Box[0] + Box[2]; ++Col) {
      const std::size_t i = (static_cast<std::size_t>(A.Height - 1 - Row) * A.Width + Col) * 4;
      for (std::size_t c = 0; c < 3; ++c)
        if (std::abs(A.Pixels[i + c] - B.Pixels[i + c]) > 25) {
          ++Count;
          break;
        }
    }
  std::printf("%lu\n", Count);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Command = argc > 1 ? argv[1] : "";
  if (Command == "close" && argc == 3) return Close(argv[2]);
  if (Command == "pngstat" && argc == 3) return PngStat(argv[2]);
  if (Command == "pixel" && argc == 5) return Pixel(argv[2], argv[3], argv[4]);
  if (Command == "windowsum" && argc == 3) return WindowSum(argv[2]);
  if (Command == "mean" && argc == 3) return Mean(argv[2]);
  if (Command == "near" && argc == 11) return Near(argv + 2);
  if (Command == "boxdiff" && argc == 8) return BoxDiff(argv + 2);
  std::fprintf(stderr,
               "usage: tarnova-e2e-helper close <window id> | pngstat <file> | pixel <file> <x> <y> | mean <file> | "
               "windowsum <window id> | near <file> <x> <y> <w> <h> <r> <g> <b> <tolerance> | "
               "boxdiff <file> <file> <x> <y> <w> <h>\n");
  return 2;
}
