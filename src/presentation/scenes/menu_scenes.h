#pragma once
// The scenes behind the menus: the main menu's sky with lightning, hand, globe and title over
// the sea, and the sky and sea passes the intro and the end-of-game screen share with it.
class TGame;
struct TViewState;

// The whole main-menu frame, 3D scene and GUI.
void RenderMainMenu(TGame& Game, TViewState& View);
// Sky and lightning only (no clear, no models); Reflected draws it upside down for the mirror.
void RenderSkySphere(TGame& Game, TViewState& View, bool Reflected);
// The mirrored sky into the reflection texture.
void RenderMenuReflection(TGame& Game, TViewState& View);
// The sea without the foam ring.
void RenderMenuWater(TGame& Game);
// The intro's and the end screen's backdrop: the menu camera, the mirror when reflections are
// on, a cleared frame, the sky and the sea; depth testing is left on.
void RenderMenuBackdrop(TGame& Game, TViewState& View);

// Where the main menu's models stand; each multiplies the model-view matrix. The stage holds the
// hand, the globe (at height kMenuGlobeHeight, scaled by kMenuGlobeScale) and the title band.
void MenuStagePlace();
void MenuHandPlace();
void MenuTitleBandPlace(float Time);  // the band turns with the shader clock
constexpr float kMenuGlobeHeight = 4.0f;
constexpr float kMenuGlobeScale = 3.0f / 64.0f;

// One step of the lightning shared by the menu skies: a random draw below 1250 every call; a
// draw below 2 starts a flash when none is under way (timer 200). The timer runs down by half
// the frame time above 50 (the bolt grows) and a tenth of it below (the bolt holds).
void AdvanceMenuLightning(float& Timer, double FrameTime);
// How far down the screen the bolt reaches for a timer value (0..1; 0 when no flash).
float MenuLightningReach(float Timer);

class TGLWindow;
// The intro: the menu's sky and sea under the intro layout, whose first four items fade in one
// after another; eight seconds after the last began, the main menu is asked for.
void RenderIntro(TGame& Game, TViewState& View);
// The intro's sequence step after its GUI was drawn (Base: the intro's base window, whose first
// three items are the hint's). True once the main menu has been asked for.
bool AdvanceIntro(TGame& Game, TViewState& View, TGLWindow& Base);
