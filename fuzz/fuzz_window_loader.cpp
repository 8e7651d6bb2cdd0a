// Reads arbitrary bytes as a window-definition file, strictly and leniently, as a window and as
// a screen layout: a broken file must end in an error and leave the manager as it was. The same
// bytes as a savegame's window states must never raise at all.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/window_loader.h"
#include "gui/window_state.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "support/headless_gui_services.h"

namespace {
// The mouse 10 pixels inside a window edge; a window placed far beyond the screen (the file may
// say x="4e24") gets the mouse at the end of the range a mouse position can take.
int MouseInside(float Edge) { return static_cast<int>(std::clamp(static_cast<double>(Edge) + 10.0, -1.0e9, 1.0e9)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // The fuzz input as the only data file; a few textures are known, every other one is missing.
  static THeadlessGUIServices* Services = [] {
    gLog.reset();  // warnings would write log.html for every input
    auto Owned = std::make_unique<THeadlessGUIServices>();
    Owned->Textures = {{"skin", 5}, {"hover", 5}, {"gui_image_dummy", 5}};
    Owned->TexturesLoad = false;
    Owned->Record = false;
    THeadlessGUIServices* Raw = Owned.get();
    SetGUIServices(std::move(Owned));
    return Raw;
  }();
  Services->Files["w.xml"].assign(reinterpret_cast<const char*>(Data), Size);
  gGUIScreenWidth = 1229;
  for (bool Strict : {true, false}) {
    gStrictWindowDefinitions = Strict;
    TGLGUI GUI;
    try {
      if (GUI.AddWindowFromXML("w.xml")) {
        TGLWindow& W = *GUI.Windows.back();
        GUI.OpenWindow(W.Name);
        gMouseX = MouseInside(W.X);
        gMouseY = MouseInside(W.Y);
        GUI.MouseDown();
        GUI.MouseMove();
        GUI.Click();
        GUI.GetButtonAtMouse();
        GUI.GetListItemAtMouse();
        W.GetItemAtMouse();
        W.ReloadFromFile("w.xml");
      }
    } catch (const ETarnovaError&) {
      Check(GUI.Windows.size() <= 2);
    }
    const std::size_t Before = GUI.Windows[0]->Items.size();
    try {
      GUI.LoadUIFromXML("w.xml");
    } catch (const ETarnovaError&) {
      Check(GUI.Windows[0]->Items.size() == Before);
    }
  }
  TXMLDocument States;
  try {
    States.LoadFromMemory(Data, Size, "save.xml");
  } catch (const ETarnovaError&) {
    return 0;
  }
  TGLGUI GUI;
  for (const char* Name : {"science", "military", "messagedlg"})
    GUI.AddWindow(Name, "", Name, TVector3{}, 300, 200, {}, {}, {});
  GUI.HideAllWindows();
  LoadWindowStates(GUI, States.Root());
  for (const auto& W : GUI.Windows)
    if (W->Visible) Check(W->X >= -300.0f && W->X <= GUI.ScreenWidth && W->Y >= -16.0f && W->Y <= GUI.ScreenHeight);
  gFocusedEdit = nullptr;
  return 0;
}
