#pragma once
// Stand-ins for the toolkit's tests: the headless services (a fixed-width font, every character
// 7 units wide, 6 + 1; a texture registry that records what it is asked; a recording sound sink)
// and a window.
#include <gtest/gtest.h>

#include <memory>

#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_services.h"
#include "support/headless_gui_services.h"

class TFakeWindow : public TGUIItemOwner {
public:
  TVector3 Pos;
  bool AtMouse = true;
  bool HasManager = true;
  const TGLGUIItem* ItemAtMouse = nullptr;
  int ClientWidth = 1024, ClientHeight = 768, ScreenWidth = 1024, ScreenHeight = 768;

  TVector3 WindowPosition() const override { return Pos; }
  bool HasGUIManager() const override { return HasManager; }
  bool IsWindowAtMouse() const override { return HasManager && AtMouse; }
  bool IsItemAtMouse(const TGLGUIItem* Item) const override { return Item == ItemAtMouse; }
  unsigned SkinTexture(const std::string&) const override { return 0; }
  bool GetScreenScale(int& Cw, int& Ch, int& Sw, int& Sh) const override {
    Cw = ClientWidth; Ch = ClientHeight; Sw = ScreenWidth; Sh = ScreenHeight;
    return true;
  }
};

// Installs the fake services and resets the mouse globals around each test.
class GUITest : public ::testing::Test {
protected:
  void SetUp() override {
    auto Owned = std::make_unique<THeadlessGUIServices>();
    Services = Owned.get();
    Previous = SetGUIServices(std::move(Owned));
    gMouseX = 0;
    gMouseY = 0;
    gLeftMouseDown = false;
    gWidescreenFactor = 1.0;
    gGUIScreenWidth = 1024;
    gFocusedEdit = nullptr;
  }
  void TearDown() override {
    SetGUIServices(std::move(Previous));
    gFocusedEdit = nullptr;
  }
  void MouseAt(int X, int Y) {
    gMouseX = X;
    gMouseY = Y;
  }
  THeadlessGUIServices* Services = nullptr;
  TFakeWindow Window;

private:
  std::unique_ptr<TGUIServices> Previous;
};
