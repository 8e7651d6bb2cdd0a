// Window manager costs per frame (every hit test walks all windows and items; the depth sort is
// quadratic and runs each frame) and the load of a window-definition file at start-up.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/text.h"
#include "support/headless_gui_services.h"

namespace {
// The toolkit without GL: every picture counts as loaded, nothing is drawn, played or kept.
std::unique_ptr<THeadlessGUIServices> BenchServices() {
  auto Services = std::make_unique<THeadlessGUIServices>();
  Services->EveryTextureKnown = true;
  Services->Record = false;
  return Services;
}

// Windows x 20 items: buttons, a list box with 50 rows, texts.
void FillManager(TGLGUI& GUI, int Windows) {
  for (int I = 0; I < Windows; ++I) {
    const std::string Name = "window" + std::to_string(I);
    TGLWindow& W = GUI.AddWindow(Name, "", Name, TVector3{float(I * 17 % 700), float(I * 23 % 500), 0}, 300, 250,
                                 {}, {}, {});
    for (int B = 0; B < 15; ++B) W.AddButton("b", "", "button" + std::to_string(B), TVector3{float(10 + B * 5), 40, 0});
    TGLListBox& L = W.AddListBox(TVector3{10, 80, 0}, 250, 150);
    for (int R = 0; R < 50; ++R) L.AddItem("row", "row", "", static_cast<std::intptr_t>(R));
    for (int T = 0; T < 4; ++T) W.AddText(TVector3{10, float(200 + T * 15), 0}, "text", true, "");
    GUI.OpenWindow(Name);
  }
}

void BM_ManagerHitTestsPerFrame(benchmark::State& State) {
  SetGUIServices(BenchServices());
  TGLGUI GUI;
  FillManager(GUI, static_cast<int>(State.range(0)));
  gMouseX = 400;
  gMouseY = 300;
  for (auto _ : State) {
    benchmark::DoNotOptimize(GUI.DepthOrder(false));
    benchmark::DoNotOptimize(GUI.IsMouseOverWindow());
    benchmark::DoNotOptimize(GUI.GetButtonAtMouse());
    benchmark::DoNotOptimize(GUI.GetWindowAtMouse());
  }
  SetGUIServices(nullptr);
}
BENCHMARK(BM_ManagerHitTestsPerFrame)->Arg(10)->Arg(40)->Unit(benchmark::kMicrosecond);

void BM_LoadWindowDefinition(benchmark::State& State) {
  auto Owned = BenchServices();
  std::string& File = Owned->Files["w.xml"];
  SetGUIServices(std::move(Owned));
  File = R"(<window caption="c" icon="" name="w" x="0" y="0" width="600" height="500">)";
  for (int I = 0; I < State.range(0); ++I) {
    const std::string N = std::to_string(I);
    File += R"(<button x="10" y="10" z="0.1" caption="Button" icon="" name="b)" + N + R"(" ID="button_)" + N + R"("/>)";
    File += R"(<text x="10" y="40" z="0.1" caption="Some label text" visible="true" ID="text_)" + N + R"("/>)";
    File += R"(<listbox x="10" y="60" z="0.1" width="200" height="100" ID="list_)" + N + R"("><item caption="a" name="a" icon=""/><item caption="b" name="b" icon=""/></listbox>)";
  }
  File += "</window>";
  for (auto _ : State) {
    TGLGUI GUI;
    benchmark::DoNotOptimize(GUI.AddWindowFromXML("w.xml"));
  }
  State.counters["items"] = static_cast<double>(3 * State.range(0));
  SetGUIServices(nullptr);
}
BENCHMARK(BM_LoadWindowDefinition)->Arg(20)->Unit(benchmark::kMicrosecond);
}  // namespace
