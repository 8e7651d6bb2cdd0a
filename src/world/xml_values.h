#pragma once
// Checked reading of attribute values from the world's data files and savegame parts. Every
// failure throws EDataError whose message starts with the caller's context ("TEarth->LoadRegions->")
// and names the file, line, element, attribute and the value found.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/constants.h"
#include "platform/xml_document.h"

[[noreturn]] void ThrowBadValue(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                                std::string_view Value, std::string_view Expected);

// Logs one line in the same form, for a value the loader passes over (a building type renamed or
// removed from the data since a savegame was written): the load goes on without it.
void LogSkippedValue(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                     std::string_view Value, std::string_view Consequence);

// The attribute's text; a missing attribute throws.
std::string ReadTextAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute);
// A decimal 32-bit integer (blanks around it allowed) within [Min, Max].
std::int32_t ReadIntAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                              std::int32_t Min = INT32_MIN, std::int32_t Max = INT32_MAX);
// A finite float with "." as the decimal separator, within [Min, Max].
float ReadFloatAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                         float Min = -3.4e38f, float Max = 3.4e38f);
// "true" or "false" in any letter case, or an integer (0 is false).
bool ReadBoolAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute);

// The same conversions on plain text; none when the text does not convert.
bool TryParseInt32(std::string_view Text, std::int32_t& Value);
bool TryParseBool(std::string_view Text, bool& Value);

// An element's text as lines (SplitLines), each without the blanks and tabs around it, and
// without empty lines at the start and the end (the indentation and line breaks around the text
// in a data file). Empty lines inside are kept.
TStringList TrimmedLines(std::string_view Text);
// The lines of the child element Name of Node; a missing child gives no lines.
TStringList ReadChildLines(const TXMLNode& Node, std::string_view Name);
