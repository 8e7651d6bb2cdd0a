#pragma once
// The main menu's options panel while the menu shows: every frame the music and sound follow the
// panel's volumes and switches, the settings follow the panel and the autosave label shows the
// interval chosen.
class TGame;

// The main menu's per-frame handler (the render handler of its base window).
void MainMenu_Render(TGame& Game);
// Binds it when the main menu's layout holds the options panel.
void RegisterOptionsPanel(TGame& Game);
