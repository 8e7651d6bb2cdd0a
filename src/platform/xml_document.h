#pragma once
// The XML document of the game: data files, settings, savegames, window layouts, high scores.
// Text comes in and goes out as the game's 8-bit strings; the document converts from and to
// UTF-8 internally. Files are read in the encoding their declaration names (UTF-8, ISO-8859-1,
// windows-1252, UTF-16 with a byte-order mark) and written as ISO-8859-1.
// Parse errors and missing required attributes name the file, the line and the element.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TXMLDocument;
namespace pugi {
class xml_document;
struct xml_node_struct;
}

// A handle to one element of a document; it lives as long as its document. A null handle
// (no such element) answers every question with "nothing".
class TXMLNode {
public:
  TXMLNode() = default;
  bool IsNull() const { return Node == nullptr; }
  explicit operator bool() const { return Node != nullptr; }

  std::string Name() const;
  bool HasAttribute(std::string_view Name) const;
  std::optional<std::string> Attribute(std::string_view Name) const;
  std::string AttributeOr(std::string_view Name, std::string_view Default) const;
  // A required attribute: a missing one throws EDataError naming file, line and element.
  std::string RequiredAttribute(std::string_view Name) const;
  std::vector<std::pair<std::string, std::string>> Attributes() const;
  void SetAttribute(std::string_view Name, std::string_view Value);

  // The element's text (its first text or CDATA child).
  std::string Text() const;
  void SetText(std::string_view Value);

  // Element children only (comments and text are skipped), in document order.
  std::vector<TXMLNode> Children() const;
  std::size_t ChildCount() const;
  TXMLNode ChildAt(std::size_t Index) const;  // null when out of range
  TXMLNode Child(std::string_view Name) const;  // first element child of that exact name
  TXMLNode FirstChild() const;
  TXMLNode NextSibling() const;
  TXMLNode Parent() const;
  TXMLNode AppendChild(std::string_view Name);

  // Where the element stands, for messages: "file", line number (0 when unknown) and
  // "\"file\" line 12, element <window>".
  int Line() const;
  std::string Where() const;
  const TXMLDocument* Document() const { return Doc; }

  bool operator==(const TXMLNode& Other) const { return Node == Other.Node; }

private:
  friend class TXMLDocument;
  TXMLNode(pugi::xml_node_struct* N, const TXMLDocument* D) : Node(N), Doc(D) {}
  pugi::xml_node_struct* Node = nullptr;
  const TXMLDocument* Doc = nullptr;
};

class TXMLDocument {
public:
  TXMLDocument();
  ~TXMLDocument();
  TXMLDocument(const TXMLDocument&) = delete;
  TXMLDocument& operator=(const TXMLDocument&) = delete;

  // Both throw EDataError ("\"name\" line 3: <what is wrong>") and leave the document empty on failure.
  void LoadFromFile(const std::filesystem::path& Path);
  void LoadFromMemory(const void* Data, std::size_t Size, std::string_view FileName);

  // Empties the document and gives it an ISO-8859-1 declaration and a root element.
  TXMLNode CreateRoot(std::string_view Name);
  TXMLNode Root() const;  // the document element; null when empty

  // The document as ISO-8859-1 bytes with two-blank indentation.
  std::string SaveToString() const;
  // Written through the safe-write helper; false with Error set when it fails.
  bool SaveToFile(const std::filesystem::path& Path, std::string* Error = nullptr) const;

  const std::string& FileName() const { return Name; }
  int LineAt(std::ptrdiff_t Offset) const;

private:
  friend class TXMLNode;
  std::unique_ptr<pugi::xml_document> Doc;
  std::string Name;
  std::string Utf8Text;  // the parsed text, kept to turn element offsets into line numbers
};
