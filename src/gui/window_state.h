#pragma once
// Window states in savegames: the element "windowstates" holds one "windowstate" per window of
// a GUI manager (name, position.x, position.y, position.z, visible), so that a loaded game
// reopens the windows that were open, where they were and in their order.
class TGLGUI;
class TXMLNode;

// One "windowstate" child of WindowStates per window, in the manager's order.
void SaveWindowStates(const TGLGUI& GUI, TXMLNode WindowStates);
// Reads the "windowstate" children in document order into the windows of that name. Message
// boxes ("messagedlg_ext", "messagedlg") are never restored; an element without a known window
// name or with a bad value is skipped with a log line. The caller hides all windows first.
void LoadWindowStates(TGLGUI& GUI, const TXMLNode& WindowStates);
