#include "engine/constants.h"

#include <sys/utsname.h>

#include <stdexcept>
#include <utility>

#include "engine/engine_globals.h"
#include "platform/window_host.h"

const std::string gStatisticKeys[8] = {"averageloyality",  "ressources", "totalpopulation",  "totalgrowth",
                                       "numregions",       "militarystrength", "researchprogress", "score"};

std::string gSaveGamePath;
std::string gScreenshotPath;

TIntegerList SortIndicesByValue(const std::vector<std::int32_t>& Indices, const std::vector<float>& Values) {
  if (Values.size() < Indices.size())
    throw std::invalid_argument("SortIndicesByValue->Fewer values than indices");
  TIntegerList I = Indices;
  std::vector<float> V(Values.begin(), Values.begin() + static_cast<std::ptrdiff_t>(Indices.size()));
  if (I.size() < 2) return I;
  bool Sorted = false;
  while (!Sorted) {
    Sorted = true;
    for (std::size_t j = 0; j + 1 < I.size(); ++j) {
      if (V[j] > V[j + 1]) {
        std::swap(V[j], V[j + 1]);
        std::swap(I[j], I[j + 1]);
        Sorted = false;
      }
    }
  }
  return I;
}

std::string GetOSVersionName() {
  utsname U{};
  if (uname(&U) != 0) return "unknown";
  return std::string(U.sysname) + " " + U.release;
}

int SetFullScreenMode(int Width, int Height, int BitsPerPixel, int Frequency, TWindowHost& Form) {
  return Form.SetFullScreenMode(Width, Height, BitsPerPixel, Frequency);
}

std::string IntToStr2(std::int32_t Value) {
  std::string S = std::to_string(Value);
  return S.size() < 2 ? "0" + S : S;
}
