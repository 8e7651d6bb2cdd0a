#include "gui/window_state.h"

#include <optional>

#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/log.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"

namespace {
void LogSkipped(const TXMLNode& Node, const std::string& Why) {
  if (gLog) gLog->AddLine("TGLWindow->LoadState->" + Node.Where() + ": " + Why + "; window state skipped");
}

std::optional<float> ReadFloat(const TXMLNode& Node, const char* Name) {
  const auto Text = Node.Attribute(Name);
  if (!Text) return std::nullopt;
  return TryStrToFloatDot(*Text);
}

// "True" or "False" in any letter case, or a number (0 is false).
std::optional<bool> ReadBool(const TXMLNode& Node, const char* Name) {
  auto Text = Node.Attribute(Name);
  if (!Text) return std::nullopt;
  const std::string L = LowerAscii(*Text);
  if (L == "true") return true;
  if (L == "false") return false;
  const std::optional<float> V = TryStrToFloatDot(*Text);
  if (!V) return std::nullopt;
  return *V != 0.0f;
}
}  // namespace

void TGLWindow::SaveState(TXMLNode Node) const {
  Node.SetAttribute("name", Name);
  Node.SetAttribute("position.x", FloatToStrDot(X));
  Node.SetAttribute("position.y", FloatToStrDot(Y));
  Node.SetAttribute("position.z", FloatToStrDot(Z));
  Node.SetAttribute("visible", Visible ? "True" : "False");
}

bool TGLWindow::LoadState(TXMLNode Node) {
  // Window states are cosmetic: a value that cannot be read leaves the window as it is.
  const std::optional<float> NX = ReadFloat(Node, "position.x");
  const std::optional<float> NY = ReadFloat(Node, "position.y");
  const std::optional<float> NZ = ReadFloat(Node, "position.z");
  const std::optional<bool> NVisible = ReadBool(Node, "visible");
  if (!NX || !NY || !NZ || !NVisible) {
    LogSkipped(Node, "a position or the visibility of \"" + Name + "\" is missing or not readable");
    return false;
  }
  X = *NX;
  Y = *NY;
  Z = *NZ;
  // A save made on a wider screen must not leave the window out of reach.
  ClampToScreen();
  Visible = *NVisible;
  // Already marked visible, so no opening sound; the show handler runs and the window comes
  // to the front, so the last visible element ends in front.
  if (Visible && Owner) Owner->OpenWindow(Name);
  return true;
}

void SaveWindowStates(const TGLGUI& GUI, TXMLNode WindowStates) {
  for (const auto& W : GUI.Windows) W->SaveState(WindowStates.AppendChild("windowstate"));
}

void LoadWindowStates(TGLGUI& GUI, const TXMLNode& WindowStates) {
  for (const TXMLNode& Node : WindowStates.Children()) {
    if (Node.Name() != "windowstate") {
      LogSkipped(Node, "not a window state");
      continue;
    }
    const std::string Name = Node.AttributeOr("name", "");
    if (Name == "messagedlg_ext" || Name == "messagedlg") continue;
    TGLWindow* W = GUI.GetWindow(Name);
    if (!W) {
      LogSkipped(Node, "no window is named \"" + Name + "\"");
      continue;
    }
    W->LoadState(Node);
  }
}
