#include "world/savegame_values.h"

#include "platform/errors.h"
#include "world/xml_values.h"

TXMLNode RequiredChild(std::string_view Context, const TXMLNode& Node, std::string_view Name) {
  TXMLNode Child = Node.Child(Name);
  if (!Child)
    throw EDataError(std::string(Context) + Node.Where() + ": element <" + std::string(Name) + "> is missing");
  return Child;
}

std::vector<TXMLNode> RequiredChildren(std::string_view Context, const TXMLNode& Node, std::size_t Count,
                                       std::string_view What) {
  std::vector<TXMLNode> Children = Node.Children();
  if (Children.size() < Count)
    throw EDataError(std::string(Context) + Node.Where() + ": " + std::to_string(Children.size()) + " " +
                     std::string(What) + " elements, expected " + std::to_string(Count));
  return Children;
}

std::vector<TXMLNode> CountedChildren(std::string_view Context, const TXMLNode& Node, std::string_view Attribute,
                                      std::string_view What) {
  const std::int32_t Count = ReadIntAttribute(Context, Node, Attribute, 0);
  std::vector<TXMLNode> Children = Node.Children();
  if (Children.size() != static_cast<std::size_t>(Count))
    ThrowBadValue(Context, Node, Attribute, std::to_string(Count),
                  "the element holds " + std::to_string(Children.size()) + " " + std::string(What) + " elements");
  return Children;
}
