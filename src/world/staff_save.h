#pragma once
// The savegame attributes all kinds of staff share, and reading a spy's element without touching
// the world, for loaders that check a whole savegame before they change anything.
#include <cstdint>
#include <string_view>

class TSpy;
class TXMLNode;

// The kind's skills, in table order (StaffSkills).
template <typename T>
void SaveStaffSkills(TXMLNode Node, const T& Staff);
// Reads what every kind of staff has in a savegame, hired or offered: name, cost, wage, the
// kind's skills and the portrait. Throws EDataError naming Context and the element.
template <typename T>
void ReadStaffAttributes(std::string_view Context, const TXMLNode& Node, T& Staff);

// Fills a fresh spy from its element (reports reset first) and returns the index of the region
// it is infiltrated in, -1 when free; the spy's Region stays none. Throws EDataError.
std::int32_t ReadSpyElement(TSpy& Spy, const TXMLNode& Node);
