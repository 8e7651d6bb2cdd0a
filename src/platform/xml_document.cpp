#include "platform/xml_document.h"

#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"

namespace {
pugi::xml_node Wrap(pugi::xml_node_struct* N) { return pugi::xml_node(N); }

// The encoding named in the declaration, lower case; empty when there is none.
std::string DeclaredEncoding(std::string_view Text) {
  if (Text.substr(0, 5) != "<?xml") return {};
  std::size_t End = Text.find("?>");
  if (End == std::string_view::npos) return {};
  std::string Decl(Text.substr(0, End));
  std::size_t P = Decl.find("encoding");
  if (P == std::string::npos) return {};
  P = Decl.find_first_of("\"'", P);
  if (P == std::string::npos) return {};
  std::size_t Q = Decl.find(Decl[P], P + 1);
  if (Q == std::string::npos) return {};
  return LowerAscii(Decl.substr(P + 1, Q - P - 1));
}
}  // namespace

// ---- TXMLNode ----

std::string TXMLNode::Name() const { return Node ? Utf8ToAnsi(Wrap(Node).name()) : std::string(); }

bool TXMLNode::HasAttribute(std::string_view AName) const {
  return Node && !Wrap(Node).attribute(AnsiToUtf8(AName).c_str()).empty();
}

std::optional<std::string> TXMLNode::Attribute(std::string_view AName) const {
  if (!Node) return std::nullopt;
  pugi::xml_attribute A = Wrap(Node).attribute(AnsiToUtf8(AName).c_str());
  if (A.empty()) return std::nullopt;
  return Utf8ToAnsi(A.value());
}

std::string TXMLNode::AttributeOr(std::string_view AName, std::string_view Default) const {
  auto V = Attribute(AName);
  return V ? *V : std::string(Default);
}

std::string TXMLNode::RequiredAttribute(std::string_view AName) const {
  auto V = Attribute(AName);
  if (!V) throw EDataError(Where() + ": attribute \"" + std::string(AName) + "\" is missing");
  return *V;
}

std::vector<std::pair<std::string, std::string>> TXMLNode::Attributes() const {
  std::vector<std::pair<std::string, std::string>> Out;
  if (!Node) return Out;
  for (pugi::xml_attribute A : Wrap(Node).attributes()) Out.emplace_back(Utf8ToAnsi(A.name()), Utf8ToAnsi(A.value()));
  return Out;
}

void TXMLNode::SetAttribute(std::string_view AName, std::string_view Value) {
  if (!Node) return;
  pugi::xml_node N = Wrap(Node);
  std::string Key = AnsiToUtf8(AName);
  pugi::xml_attribute A = N.attribute(Key.c_str());
  if (A.empty()) A = N.append_attribute(Key.c_str());
  A.set_value(AnsiToUtf8(Value).c_str());
}

std::string TXMLNode::Text() const { return Node ? Utf8ToAnsi(Wrap(Node).text().get()) : std::string(); }

void TXMLNode::SetText(std::string_view Value) {
  if (Node) Wrap(Node).text().set(AnsiToUtf8(Value).c_str());
}

std::vector<TXMLNode> TXMLNode::Children() const {
  std::vector<TXMLNode> Out;
  if (!Node) return Out;
  for (pugi::xml_node C : Wrap(Node).children())
    if (C.type() == pugi::node_element) Out.push_back(TXMLNode(C.internal_object(), Doc));
  return Out;
}

std::size_t TXMLNode::ChildCount() const {
  std::size_t N = 0;
  if (Node)
    for (pugi::xml_node C : Wrap(Node).children())
      if (C.type() == pugi::node_element) ++N;
  return N;
}

TXMLNode TXMLNode::ChildAt(std::size_t Index) const {
  if (!Node) return {};
  for (pugi::xml_node C : Wrap(Node).children())
    if (C.type() == pugi::node_element && Index-- == 0) return TXMLNode(C.internal_object(), Doc);
  return {};
}

TXMLNode TXMLNode::Child(std::string_view CName) const {
  if (!Node) return {};
  pugi::xml_node C = Wrap(Node).child(AnsiToUtf8(CName).c_str());
  return C ? TXMLNode(C.internal_object(), Doc) : TXMLNode();
}

TXMLNode TXMLNode::FirstChild() const { return ChildAt(0); }

TXMLNode TXMLNode::NextSibling() const {
  if (!Node) return {};
  for (pugi::xml_node C = Wrap(Node).next_sibling(); C; C = C.next_sibling())
    if (C.type() == pugi::node_element) return TXMLNode(C.internal_object(), Doc);
  return {};
}

TXMLNode TXMLNode::Parent() const {
  if (!Node) return {};
  pugi::xml_node P = Wrap(Node).parent();
  return P && P.type() == pugi::node_element ? TXMLNode(P.internal_object(), Doc) : TXMLNode();
}

TXMLNode TXMLNode::AppendChild(std::string_view CName) {
  if (!Node) return {};
  pugi::xml_node C = Wrap(Node).append_child(AnsiToUtf8(CName).c_str());
  return TXMLNode(C.internal_object(), Doc);
}

int TXMLNode::Line() const {
  if (!Node || !Doc) return 0;
  return Doc->LineAt(Wrap(Node).offset_debug());
}

std::string TXMLNode::Where() const {
  std::string File = Doc ? Doc->FileName() : std::string();
  std::string Out = "\"" + File + "\"";
  if (int L = Line(); L > 0) Out += " line " + std::to_string(L);
  Out += ", element <" + Name() + ">";
  return Out;
}

// ---- TXMLDocument ----

TXMLDocument::TXMLDocument() : Doc(std::make_unique<pugi::xml_document>()) {}
TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::LoadFromFile(const std::filesystem::path& Path) {
  auto Bytes = ReadWholeFile(Path);
  if (!Bytes) {
    Doc->reset();
    Utf8Text.clear();
    Name = Path.string();
    throw EDataError("\"" + Path.string() + "\": cannot be read");
  }
  LoadFromMemory(Bytes->data(), Bytes->size(), Path.string());
}

void TXMLDocument::LoadFromMemory(const void* Data, std::size_t Size, std::string_view FileName) {
  Doc->reset();
  Name = std::string(FileName);
  std::string_view Raw(static_cast<const char*>(Data), Size);
  bool Utf16 = Size >= 2 && ((Raw[0] == '\xFF' && Raw[1] == '\xFE') || (Raw[0] == '\xFE' && Raw[1] == '\xFF'));
  pugi::xml_parse_result R;
  const unsigned Options = pugi::parse_default | pugi::parse_declaration;
  if (Utf16) {
    // Rare: let the library convert; line numbers are counted in its own text.
    Utf8Text.clear();
    R = Doc->load_buffer(Data, Size, Options, pugi::encoding_auto);
  } else {
    std::string_view Body = Raw;
    if (Body.substr(0, 3) == "\xEF\xBB\xBF") Body.remove_prefix(3);
    std::string Enc = DeclaredEncoding(Body);
    if (Enc == "iso-8859-1" || Enc == "latin1" || Enc == "latin-1" || Enc == "iso8859-1")
      Utf8Text = AnsiToUtf8(Body);
    else if (Enc == "windows-1252" || Enc == "cp1252")
      Utf8Text = Cp1252ToUtf8(Body);
    else
      Utf8Text = std::string(Body);
    R = Doc->load_buffer(Utf8Text.data(), Utf8Text.size(), Options, pugi::encoding_utf8);
  }
  if (!R) {
    std::string Msg = "\"" + Name + "\"";
    if (int L = LineAt(R.offset); L > 0) Msg += " line " + std::to_string(L);
    Msg += ": " + std::string(R.description());
    Doc->reset();
    Utf8Text.clear();
    throw EDataError(Msg);
  }
  if (!Root()) {
    Doc->reset();
    Utf8Text.clear();
    throw EDataError("\"" + Name + "\": no root element");
  }
}

TXMLNode TXMLDocument::CreateRoot(std::string_view RootName) {
  Doc->reset();
  Utf8Text.clear();
  pugi::xml_node Decl = Doc->append_child(pugi::node_declaration);
  Decl.append_attribute("version") = "1.0";
  Decl.append_attribute("encoding") = "ISO-8859-1";
  pugi::xml_node R = Doc->append_child(AnsiToUtf8(RootName).c_str());
  return TXMLNode(R.internal_object(), this);
}

TXMLNode TXMLDocument::Root() const {
  pugi::xml_node R = Doc->document_element();
  return R ? TXMLNode(R.internal_object(), this) : TXMLNode();
}

std::string TXMLDocument::SaveToString() const {
  // The declaration always says ISO-8859-1, since that is what is written.
  pugi::xml_node Decl = Doc->first_child();
  if (Decl.type() == pugi::node_declaration) {
    pugi::xml_attribute E = Decl.attribute("encoding");
    if (E.empty()) E = Decl.append_attribute("encoding");
    E.set_value("ISO-8859-1");
  } else {
    Decl = Doc->prepend_child(pugi::node_declaration);
    Decl.append_attribute("version") = "1.0";
    Decl.append_attribute("encoding") = "ISO-8859-1";
  }
  std::ostringstream Out;
  Doc->save(Out, "  ", pugi::format_default, pugi::encoding_latin1);
  return Out.str();
}

bool TXMLDocument::SaveToFile(const std::filesystem::path& Path, std::string* Error) const {
  return SafeWriteFile(Path, SaveToString(), Error);
}

int TXMLDocument::LineAt(std::ptrdiff_t Offset) const {
  if (Utf8Text.empty() || Offset < 0) return 0;
  std::size_t End = std::min<std::size_t>(static_cast<std::size_t>(Offset), Utf8Text.size());
  return 1 + static_cast<int>(std::count(Utf8Text.begin(), Utf8Text.begin() + End, '\n'));
}
