#pragma once
// Reading a spy's savegame element without touching the world, for loaders that check a whole
// savegame before they change anything.
#include <cstdint>

class TSpy;
class TXMLNode;

// Fills a fresh spy from its element (reports reset first) and returns the index of the region
// it is infiltrated in, -1 when free; the spy's Region stays none. Throws EDataError.
std::int32_t ReadSpyElement(TSpy& Spy, const TXMLNode& Node);
