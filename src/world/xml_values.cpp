#include "world/xml_values.h"

#include <charconv>
#include <cmath>

#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/log.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/text_format.h"

namespace {
std::string_view TrimBlanks(std::string_view Text) {
  const auto IsBlank = [](char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; };
  while (!Text.empty() && IsBlank(Text.front())) Text.remove_prefix(1);
  while (!Text.empty() && IsBlank(Text.back())) Text.remove_suffix(1);
  return Text;
}
}  // namespace

void ThrowBadValue(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                   std::string_view Value, std::string_view Expected) {
  throw EDataError(std::string(Context) + Node.Where() + ": attribute \"" + std::string(Attribute) +
                   "\" has the value \"" + std::string(Value) + "\"; " + std::string(Expected));
}

void LogSkippedValue(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                     std::string_view Value, std::string_view Consequence) {
  if (gLog)
    gLog->AddLine(std::string(Context) + Node.Where() + ": attribute \"" + std::string(Attribute) +
                  "\" has the value \"" + std::string(Value) + "\"; " + std::string(Consequence));
}

std::string ReadTextAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute) {
  auto Value = Node.Attribute(Attribute);
  if (!Value)
    throw EDataError(std::string(Context) + Node.Where() + ": attribute \"" + std::string(Attribute) +
                     "\" is missing");
  return *Value;
}

bool TryParseInt32(std::string_view Text, std::int32_t& Value) {
  Text = TrimBlanks(Text);
  if (!Text.empty() && Text.front() == '+') {
    Text.remove_prefix(1);
    if (!Text.empty() && Text.front() == '-') return false;  // "+-1" is no number
  }
  if (Text.empty()) return false;
  std::int32_t V = 0;
  auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), V);
  if (Error != std::errc() || End != Text.data() + Text.size()) return false;
  Value = V;
  return true;
}

bool TryParseBool(std::string_view Text, bool& Value) {
  Text = TrimBlanks(Text);
  if (SameTextAscii(Text, "true")) {
    Value = true;
    return true;
  }
  if (SameTextAscii(Text, "false")) {
    Value = false;
    return true;
  }
  std::int32_t N = 0;
  if (!TryParseInt32(Text, N)) return false;
  Value = N != 0;
  return true;
}

std::int32_t ReadIntAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                              std::int32_t Min, std::int32_t Max) {
  const std::string Text = ReadTextAttribute(Context, Node, Attribute);
  std::int32_t V = 0;
  if (!TryParseInt32(Text, V)) ThrowBadValue(Context, Node, Attribute, Text, "expected a whole number");
  if (V < Min || V > Max)
    ThrowBadValue(Context, Node, Attribute, Text,
                  "expected a whole number from " + std::to_string(Min) + " to " + std::to_string(Max));
  return V;
}

float ReadFloatAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute, float Min,
                         float Max) {
  const std::string Text = ReadTextAttribute(Context, Node, Attribute);
  auto V = TryStrToFloatDot(Text);
  if (!V || !std::isfinite(*V)) ThrowBadValue(Context, Node, Attribute, Text, "expected a number such as 12.5");
  if (*V < Min || *V > Max)
    ThrowBadValue(Context, Node, Attribute, Text,
                  "expected a number from " + FloatToStrExact(Min) + " to " + FloatToStrExact(Max));
  return *V;
}

bool ReadBoolAttribute(std::string_view Context, const TXMLNode& Node, std::string_view Attribute) {
  const std::string Text = ReadTextAttribute(Context, Node, Attribute);
  bool V = false;
  if (!TryParseBool(Text, V)) ThrowBadValue(Context, Node, Attribute, Text, "expected true, false or a number");
  return V;
}

TStringList TrimmedLines(std::string_view Text) {
  TStringList Lines = SplitLines(Text);
  for (std::string& Line : Lines) Line = TrimBlanks(Line);
  while (!Lines.empty() && Lines.back().empty()) Lines.pop_back();
  std::size_t First = 0;
  while (First < Lines.size() && Lines[First].empty()) ++First;
  Lines.erase(Lines.begin(), Lines.begin() + static_cast<std::ptrdiff_t>(First));
  return Lines;
}

TStringList ReadChildLines(const TXMLNode& Node, std::string_view Name) {
  TXMLNode Child = Node.Child(Name);
  return Child ? TrimmedLines(Child.Text()) : TStringList();
}
