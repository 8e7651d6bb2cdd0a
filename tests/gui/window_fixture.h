#pragma once
// A GUI manager on the fake services, strict window-definition checking and a captured log,
// set up and torn down around each window test. Layout files live in the fake file system.
#include <memory>
#include <string>

#include "engine/log.h"
#include "fake_gui_services.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "gui/window_loader.h"
#include "support/log_capture.h"

class WindowTest : public GUITest {
protected:
  void SetUp() override {
    GUITest::SetUp();
    gStrictWindowDefinitions = true;
    GUI = std::make_unique<TGLGUI>();
  }
  void TearDown() override {
    GUI.reset();
    gStrictWindowDefinitions = false;
    GUITest::TearDown();
  }
  // A window at (X, Y), Width x Height, made visible and brought to the front.
  TGLWindow& Open(const std::string& Name, float X, float Y, int Width = 200, int Height = 100) {
    TGLWindow& W = GUI->AddWindow(Name, "", Name, TVector3{X, Y, 0.0f}, Width, Height, {}, {}, {});
    GUI->OpenWindow(Name);
    return W;
  }
  void AddFile(const std::string& Name, const std::string& Text) { Services->Files[Name] = Text; }

  TLogCapture Log;
  std::unique_ptr<TGLGUI> GUI;
};
