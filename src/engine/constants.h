#pragma once
// Small things every part of the game may need: list types, the statistic keys, a stable index
// sort, the operating-system name for logs, the full-screen switch and a two-digit formatter.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TWindowHost;

using TIntegerList = std::vector<std::int32_t>;
using TSingleList = std::vector<float>;
// A list of text lines or names (scripts, descriptions, effect variables).
using TStringList = std::vector<std::string>;
// The GL id of a loaded texture by its name, 0 when no such texture is loaded. The type loaders
// take one so that they run without a GL context; the game passes the texture manager's lookup.
using TTextureIdLookup = std::function<std::uint32_t(const std::string& Name)>;

// Indices reordered by ascending Values (stable). Throws std::invalid_argument when Values is
// shorter than Indices.
TIntegerList SortIndicesByValue(const std::vector<std::int32_t>& Indices, const std::vector<float>& Values);
// "Linux 6.1.0-13-amd64" and the like.
std::string GetOSVersionName();
// Full screen at exactly that mode; 0 on success, -2 when the display does not offer it.
int SetFullScreenMode(int Width, int Height, int BitsPerPixel, int Frequency, TWindowHost& Form);
// "7" -> "07", "12" stays, "-5" stays.
std::string IntToStr2(std::int32_t Value);
