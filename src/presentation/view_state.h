#pragma once
// What the presentation keeps from frame to frame besides the game's state: the scenes' clocks,
// the cursor picture, the preview models' turns and shadow, the research ring and the load and
// save windows' question. The presentation's game view owns it and hands it to the scenes it
// draws and the window handlers it binds; game control never sees it.
#include <cstdint>
#include <string>

class TGLWindow;

struct TViewState {
  float NationFade = 0.0f;  // the nation selection's sky cross-fade, 0..1
  std::string CursorTexture;  // the cursor picture of the last frame
  float MenuLightningTimer = 0.0f;  // the menu skies' lightning, shared by the main menu, intro and end screen
  float IntroTimer = 0.0f;
  float MilitaryPreviewRotation = 0.0f, BuildPreviewRotation = 0.0f;
  // GL display list of the soft shadow under the preview models: made at the first preview,
  // freed with the view's render targets.
  std::uint32_t PreviewShadowList = 0;
  float ResearchCarouselAngle = 0.0f, ResearchCarouselDirection = 0.0f, ResearchCarouselTarget = 0.0f;
  // The research ring's mouse button at the last frame, and whether the press began over the ring
  // (a press begun elsewhere and dragged over the cards picks nothing).
  bool ResearchRingButtonWasDown = false, ResearchRingPressBegan = false;
  float ResearchCivilFactor = 0.0f, ResearchMilitaryFactor = 0.0f;
  std::string SaveLoadMode;  // the mode the load and save windows were last filled for
  // The save and load windows' question that waits for its confirmation: the window that asked,
  // the button pressed and the ID of the row it was pressed on; empty when none waits.
  const TGLWindow* SaveLoadPendingWindow = nullptr;
  std::string SaveLoadPendingButton, SaveLoadPendingRow;
};
