#pragma once
// Game control's single instances. Each names who creates it and who may write it.
#include <cstdint>
#include <memory>

class TGame;
class TTarnovaForm;
class TXMLDocument;

// The game object. Created by the main window's start timer and freed when the window closes;
// everything above game control reaches the game through it.
extern std::unique_ptr<TGame> gGame;
// The main window. Created by the program entry before the game object and freed after it.
extern TTarnovaForm* gMainForm;
// The nation descriptions "data\xml\nationinfo.xml", loaded by the game object at start-up and
// kept for the whole run: the language switch and the nation selection read the histories again.
extern std::unique_ptr<TXMLDocument> gNationInfoXML;
// Field of view of the 3D scenes in degrees and the camera distance; set by the main window at
// creation, written by the scenes, read by picking.
extern float gFieldOfView;
extern float gCameraDistance;
// Rounds the debug window asks game control to run in one go; written by the debug window.
extern std::int32_t gDebugBatchRounds;
