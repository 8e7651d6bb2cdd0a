#include "control/control_globals.h"

#include "control/game.h"
#include "platform/xml_document.h"

std::unique_ptr<TGame> gGame;
TTarnovaForm* gMainForm = nullptr;
std::unique_ptr<TXMLDocument> gNationInfoXML;
float gFieldOfView = 0.0f;
float gCameraDistance = 0.0f;
std::int32_t gDebugBatchRounds = 0;
