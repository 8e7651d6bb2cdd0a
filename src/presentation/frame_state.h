#pragma once
// What the frame drawing advances every frame besides the scenes: the shader clock, the nation
// selection's sky cross-fade and turn, and the hot-seat hand-over overlay.
class TGame;
struct TViewState;

// The clocks of one frame that took Seconds: the shader time (not on the battlefield), and in
// the nation selection the sky cross-fade (half a second) and the symbols' turn.
void AdvanceFrameClocks(TGame& Game, TViewState& View, double Seconds);
// The hand-over overlay's fade by the last frame's time; at its darkest point the outgoing
// player's globe view is kept in their nation, the incoming player takes over and gets theirs.
void AdvanceHotSeatOverlay(TGame& Game);
// Draws the overlay over the whole frame while it shows: black, a grey band with the incoming
// nation's flag at both ends and "<player>, get ready!".
void DrawHotSeatOverlay(const TGame& Game);
// The game's own mouse cursor (the system cursor is hidden): its picture follows the cursor mode,
// a drag of the globe and a button of the current state's GUI under the mouse; drawn last over
// the GUI screen.
void ChooseCursor(TGame& Game, TViewState& View);
void DrawCursor(TGame& Game, TViewState& View);
// The developer's texts in the top left: frames per second and the last OpenGL error
// ("-showfps"), and the performance timer's stretches of the frame ("-perftimer").
void DrawFrameTexts(const TGame& Game);
// The black veil of a fade between game states over everything drawn so far (scene, GUI, cursor
// and texts): opaque at black, none when the screen is fully visible.
void DrawFadeVeil(const TGame& Game);
