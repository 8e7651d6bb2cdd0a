#pragma once
// How the world's savegame parts write and find their values. Integers are written as decimal
// text, Booleans as "True" or "False", and floats in the shortest form that reads back as the
// very same float, so a saved and loaded world decides every rule exactly as the running one.
// Reading values goes through xml_values.h; the child lookups here throw EDataError naming the
// caller's context, the file, the line and the element where the child is missing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/float_text.h"
#include "platform/xml_document.h"

inline void SetIntAttribute(TXMLNode Node, std::string_view Name, std::int64_t Value) {
  Node.SetAttribute(Name, std::to_string(Value));
}
inline void SetFloatAttribute(TXMLNode Node, std::string_view Name, float Value) {
  Node.SetAttribute(Name, FloatToStrExact(Value));
}
inline void SetBoolAttribute(TXMLNode Node, std::string_view Name, bool Value) {
  Node.SetAttribute(Name, Value ? "True" : "False");
}

// The first child element called Name.
TXMLNode RequiredChild(std::string_view Context, const TXMLNode& Node, std::string_view Name);
// The element children of Node, at least Count of them (What names one for the message).
std::vector<TXMLNode> RequiredChildren(std::string_view Context, const TXMLNode& Node, std::size_t Count,
                                       std::string_view What);
// The element children of Node, exactly as many as its attribute Attribute ("count") says.
std::vector<TXMLNode> CountedChildren(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                                      std::string_view What);
