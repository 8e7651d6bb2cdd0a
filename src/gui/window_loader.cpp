#include "gui/window_loader.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <optional>
#include <set>

#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "gui/window.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/rounding.h"
#include "platform/xml_document.h"

namespace {
const std::string kWhere = "TGLWindow->LoadFromXML->";

[[noreturn]] void BadValue(const TXMLNode& N, const char* Attr, const std::string& Value, const char* Expected) {
  throw EDataError(kWhere + N.Where() + ": attribute \"" + Attr + "\" is \"" + Value + "\", expected " + Expected);
}

// What the game passes over in silence (something the format does not know, a name used twice)
// is an error only when the data set's own files are checked strictly.
void Unknown(const TXMLNode& N, const std::string& What) {
  if (gStrictWindowDefinitions) throw EDataError(kWhere + N.Where() + ": unknown " + What);
}

void CheckAttributes(const TXMLNode& N, std::initializer_list<const char*> Known, bool Common) {
  for (const auto& Attribute : N.Attributes()) {
    const std::string& AttrName = Attribute.first;
    if (Common && (AttrName == "ID" || AttrName == "widescreenalign")) continue;
    if (std::none_of(Known.begin(), Known.end(), [&](const char* K) { return AttrName == K; }))
      Unknown(N, "attribute \"" + AttrName + "\"");
  }
}

std::string Str(const TXMLNode& N, const char* Attr) { return N.RequiredAttribute(Attr); }

float Float(const TXMLNode& N, const char* Attr) {
  const std::string T = N.RequiredAttribute(Attr);
  const std::optional<float> V = TryStrToFloatDot(T);
  if (!V) BadValue(N, Attr, T, "a number with \".\" as decimal separator");
  return *V;
}

std::int32_t Int(const TXMLNode& N, const char* Attr) {
  const std::string T = N.RequiredAttribute(Attr);
  std::size_t B = T.find_first_not_of(' ');
  std::size_t E = T.find_last_not_of(' ');
  std::int32_t V = 0;
  if (B == std::string::npos) BadValue(N, Attr, T, "a whole number");
  const char* First = T.data() + B;
  const char* Last = T.data() + E + 1;
  if (*First == '+') ++First;
  auto [Ptr, Ec] = std::from_chars(First, Last, V);
  if (Ec != std::errc() || Ptr != Last || First == Last) BadValue(N, Attr, T, "a whole number");
  return V;
}

std::int32_t Size(const TXMLNode& N, const char* Attr) {
  const std::int32_t V = Int(N, Attr);
  if (V < 0) BadValue(N, Attr, N.RequiredAttribute(Attr), "a size of 0 or more");
  return V;
}

bool Bool(const TXMLNode& N, const char* Attr) {
  const std::string T = N.RequiredAttribute(Attr);
  const std::string L = LowerAscii(T);
  if (L == "true") return true;
  if (L == "false") return false;
  const std::optional<float> V = TryStrToFloatDot(T);
  if (!V) BadValue(N, Attr, T, "true, false or a number");
  return *V != 0.0f;
}

TVector3 Position(const TXMLNode& N, bool WithZ = true) {
  return TVector3{Float(N, "x"), Float(N, "y"), WithZ ? Float(N, "z") : 0.0f};
}

struct TRootAttributes {
  std::string Caption, Icon, Name, Position;
  float X = 0.0f, Y = 0.0f;
  std::int32_t Width = 0, Height = 0;
};

std::optional<TRootAttributes> ReadRoot(const TXMLNode& Root) {
  if (Root.Name() != "window") return std::nullopt;
  CheckAttributes(Root, {"caption", "icon", "name", "x", "y", "width", "height", "position"}, false);
  TRootAttributes A;
  A.Caption = Str(Root, "caption");
  A.Icon = Str(Root, "icon");
  A.Name = Str(Root, "name");
  A.X = Float(Root, "x");
  A.Y = Float(Root, "y");
  A.Width = Size(Root, "width");
  A.Height = Size(Root, "height");
  A.Position = Root.AttributeOr("position", "");
  return A;
}

// Builds the items of one definition through the window's own constructors.
class TItemBuilder {
public:
  explicit TItemBuilder(TGLWindow& Target) : W(Target) {}

  void Build(const TXMLNode& Root) {
    for (const TXMLNode& C : Root.Children()) {
      TGLGUIItem* Item = BuildItem(C);
      // The common attributes belong to the item this element made; an element that made
      // none has nothing to name or move.
      if (!Item) continue;
      if (auto ID = C.Attribute("ID")) Item->ID = *ID;
      // Lookups by ID find the first of the same name.
      if (gStrictWindowDefinitions && !Item->ID.empty() && !IDs.insert(UpperAscii(Item->ID)).second)
        throw EDataError(kWhere + C.Where() + ": ID \"" + Item->ID + "\" is used twice");
      if (C.AttributeOr("widescreenalign", "") == "right" && Item->Kind() != TGUIItemKind::SkinnedControl &&
          gGUIScreenWidth > 1024)
        Item->Position.X = static_cast<float>(Item->Position.X + (gGUIScreenWidth - 1024));
    }
  }

private:
  TGLWindow& W;
  std::set<std::string> IDs;

  void NoChildren(const TXMLNode& C) {
    for (const TXMLNode& Child : C.Children()) Unknown(Child, "element inside <" + C.Name() + ">");
  }

  template <class T>
  void Rows(const TXMLNode& C, T& Control) {
    for (const TXMLNode& R : C.Children()) {
      if (R.Name() != "item") {
        Unknown(R, "row element");
        continue;
      }
      CheckAttributes(R, {"caption", "name", "icon"}, false);
      Control.AddItem(Str(R, "caption"), Str(R, "name"), Str(R, "icon"), static_cast<std::intptr_t>(0));
    }
  }

  TGLGUIItem* BuildItem(const TXMLNode& C) {
    const std::string E = C.Name();
    if (E == "panel") {
      CheckAttributes(C, {"x", "y", "z", "width", "height", "innerbevel", "border"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      auto& Panel = W.AddPanel(P, Wd, Ht, Bool(C, "innerbevel"));
      Panel.Border = C.HasAttribute("border") ? Bool(C, "border") : true;
      return &Panel;
    }
    if (E == "checkbox") {
      CheckAttributes(C, {"x", "y", "z", "width", "height", "caption", "checked"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      const std::string Caption = Str(C, "caption");
      return &W.AddCheckbox(P, Wd, Ht, Caption, Bool(C, "checked"));
    }
    if (E == "dropdown") {
      CheckAttributes(C, {"x", "y", "z", "width", "height"}, true);
      const TVector3 P = Position(C);
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      auto& D = W.AddDropDown(P, Wd, Ht);
      Rows(C, D);
      return &D;
    }
    if (E == "memo") {
      CheckAttributes(C, {"x", "y", "z", "width", "height", "border", "text", "visible"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      auto& M = W.AddMemo(P, Wd, Ht);
      if (C.HasAttribute("border")) M.Border = Bool(C, "border");
      if (auto Text = C.Attribute("text")) M.SetText(*Text, true);
      M.Visible = C.HasAttribute("visible") ? Bool(C, "visible") : true;
      return &M;
    }
    if (E == "text") {
      CheckAttributes(C, {"x", "y", "z", "caption", "visible", "isheader", "width"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::string Caption = Str(C, "caption");
      const bool Visible = Bool(C, "visible");
      auto& T = W.AddText(P, Caption, Visible, C.AttributeOr("ID", ""));
      if (C.HasAttribute("isheader")) T.IsHeader = Bool(C, "isheader");
      if (C.HasAttribute("width")) T.Width = Size(C, "width");
      return &T;
    }
    if (E == "trackbar") {
      CheckAttributes(C, {"x", "y", "z", "width", "min", "max", "progress", "usegradient"}, true);
      NoChildren(C);
      const TVector3 P = Position(C, false);  // a track bar always lies at depth 0
      const std::int32_t Wd = Size(C, "width");
      const std::int32_t Min = Int(C, "min"), Max = Int(C, "max"), Progress = Int(C, "progress");
      // The knob's place and a drag's step divide by these two.
      if (Max == Min) throw EDataError(kWhere + C.Where() + ": \"min\" and \"max\" are equal");
      if (Wd == 0) BadValue(C, "width", "0", "a width above 0");
      return &W.AddTrackBar(P, Wd, Min, Max, Progress, Bool(C, "usegradient"));
    }
    if (E == "listbox") {
      CheckAttributes(C, {"x", "y", "z", "width", "height"}, true);
      const TVector3 P = Position(C);
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      auto& L = W.AddListBox(P, Wd, Ht);
      Rows(C, L);
      return &L;
    }
    if (E == "image") {
      CheckAttributes(C, {"x", "y", "z", "width", "height", "image", "visible"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      const std::string N = Str(C, "image");
      const bool Visible = C.HasAttribute("visible") ? Bool(C, "visible") : true;
      LoadOnDemandImage(N);
      auto& I = W.AddImage(P, Wd, Ht, N, "left", "top");
      I.Visible = Visible;
      return &I;
    }
    if (E == "edit") {
      CheckAttributes(C, {"x", "y", "z", "text", "width", "height", "border", "digitsonly"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::string Text = Str(C, "text");
      const std::string ID = Str(C, "ID");
      const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
      auto& Ed = W.AddEdit(P, Text, ID);
      Ed.Width = Wd;
      Ed.Height = Ht;
      Ed.Border = C.HasAttribute("border") ? Bool(C, "border") : true;
      Ed.DigitsOnly = C.HasAttribute("digitsonly") ? Bool(C, "digitsonly") : false;
      return &Ed;
    }
    if (E == "button") {
      CheckAttributes(C, {"x", "y", "z", "caption", "icon", "name", "width", "height"}, true);
      NoChildren(C);
      const TVector3 P = Position(C);
      const std::string Caption = Str(C, "caption"), Icon = Str(C, "icon"), Name = Str(C, "name");
      const std::int32_t Wd = C.HasAttribute("width") ? Size(C, "width") : 100;
      const std::int32_t Ht = C.HasAttribute("height") ? Size(C, "height") : 26;
      auto& B = W.AddButton(Caption, Icon, Name, P);
      B.Width = Wd;
      B.Height = Ht;
      return &B;
    }
    if (E == "skinned") return &Skinned(C);
    Unknown(C, "element");
    return nullptr;
  }

  // Looks an image that the texture manager does not know yet up among the on-demand pictures.
  static void LoadOnDemandImage(const std::string& N) {
    auto& S = GUIServices();
    if (N == "gui_image_dummy" || S.GetTextureInfo(N, tiGLID) != -1) return;
    const std::string Base = "data\\tex\\ondemand\\nocompression\\" + N;
    for (const char* Extension : {".png", ".dds", ".jpg", ".tga"}) {
      if (S.FileExists(Base + Extension)) {
        S.LoadTexture(Base + Extension, N);
        return;
      }
    }
  }

  TGLSkinnedControl& Skinned(const TXMLNode& C) {
    CheckAttributes(C, {"x", "y", "z", "width", "height", "image", "halign", "valign", "widescreenstretcher", "visible"},
                    true);
    const TVector3 P = Position(C);
    const std::int32_t Wd = Size(C, "width"), Ht = Size(C, "height");
    const std::string Image = Str(C, "image"), HAlign = Str(C, "halign"), VAlign = Str(C, "valign");
    const std::string Stretch = C.AttributeOr("widescreenstretcher", "");
    const bool Visible = C.HasAttribute("visible") ? Bool(C, "visible") : true;
    const std::int32_t SW = W.Owner ? W.Owner->ScreenWidth : gGUIScreenWidth;
    const std::int32_t SH = W.Owner ? W.Owner->ScreenHeight : 768;
    std::unique_ptr<TGLSkinnedControl> Control;
    try {
      Control = std::make_unique<TGLSkinnedControl>(P, Wd, Ht, Image, Stretch, HAlign, VAlign, SW, SH);
    } catch (const ETarnovaError& E) {
      // A picture that is nowhere: say which element of which window file asked for it.
      throw EDataError(kWhere + C.Where() + ": " + E.what());
    }
    TGLSkinnedControl& S = *Control;
    W.Items.push_back(std::move(Control));
    S.Visible = Visible;
    if (S.Visible) S.Alpha = 1.0f;
    if (C.AttributeOr("widescreenalign", "") == "right" && S.Width < gGUIScreenWidth)
      S.Position.X = static_cast<float>(gGUIScreenWidth - S.Width);
    S.Window = &W;
    for (const TXMLNode& Part : C.Children()) AddPart(S, Part);
    return S;
  }

  static void AddPart(TGLSkinnedControl& S, const TXMLNode& Part) {
    const std::string Type = Part.AttributeOr("type", "");
    if (Type == "circle") {
      CheckAttributes(Part, {"type", "x", "y", "z", "width", "height", "name", "image", "radius", "scaleto"}, false);
      const TVector3 P = Position(Part);
      const std::int32_t Wd = Size(Part, "width"), Ht = Size(Part, "height");
      const std::string Name = Str(Part, "name"), Image = Str(Part, "image");
      const float Radius = Float(Part, "radius");
      if (Radius < 0.0f) BadValue(Part, "radius", Str(Part, "radius"), "a radius of 0 or more");
      S.AddCirclePart(P, Wd, Ht, Name, Image, Radius, Float(Part, "scaleto"));
    } else if (Type == "polygon") {
      CheckAttributes(Part, {"type", "x", "y", "z", "width", "height", "name", "image", "scaleto"}, false);
      const TVector3 P = Position(Part);
      const float Wd = Float(Part, "width"), Ht = Float(Part, "height");
      if (Wd < 0.0f) BadValue(Part, "width", Str(Part, "width"), "a size of 0 or more");
      if (Ht < 0.0f) BadValue(Part, "height", Str(Part, "height"), "a size of 0 or more");
      const std::string Name = Str(Part, "name"), Image = Str(Part, "image");
      const float ScaleTo = Float(Part, "scaleto");
      std::vector<TIntPair> Points;
      for (const TXMLNode& Point : Part.Children()) {
        CheckAttributes(Point, {"x", "y"}, false);
        // Points are window-relative whole pixels, taken after the control's alignment.
        Points.push_back(TIntPair{RoundToInt(static_cast<double>(S.Position.X) + Float(Point, "x")),
                                  RoundToInt(static_cast<double>(S.Position.Y) + Float(Point, "y"))});
      }
      S.AddPart(P, Name, Wd, Ht, Image, Points, ScaleTo).Shape = "polygon";
    } else {
      Unknown(Part, "part type \"" + Type + "\"");
    }
  }
};

// Builds the items of Root into W without touching W's present items; on an error nothing of
// the new items stays behind.
std::vector<std::unique_ptr<TGLGUIItem>> BuildItems(TGLWindow& W, const TXMLNode& Root) {
  std::vector<std::unique_ptr<TGLGUIItem>> Saved = std::move(W.Items);
  W.Items.clear();
  try {
    TItemBuilder(W).Build(Root);
  } catch (...) {
    W.Items = std::move(Saved);
    throw;
  }
  std::vector<std::unique_ptr<TGLGUIItem>> Built = std::move(W.Items);
  W.Items = std::move(Saved);
  return Built;
}

void ApplyRoot(TGLWindow& W, const TRootAttributes& A, bool KeepPlace) {
  W.Caption = A.Caption;
  W.Icon = A.Icon;
  W.Name = A.Name;
  if (!KeepPlace) {
    W.X = A.X;
    W.Y = A.Y;
    W.Z = 0.0f;
  }
  W.Width = A.Width;
  W.Height = A.Height;
}
}  // namespace

void LoadWindowDocument(const std::string& FileName, TXMLDocument& Document) {
  const std::optional<std::string> Bytes = GUIServices().ReadFile(FileName);
  if (!Bytes) throw ETarnovaError("TGLWindow->LoadFromFile->File \"" + FileName + "\" not found");
  Document.LoadFromMemory(Bytes->data(), Bytes->size(), FileName);
}

std::string DefinitionFileName(const std::string& FileName) {
  const std::size_t Slash = FileName.find_last_of("\\/");
  return Slash == std::string::npos ? FileName : FileName.substr(Slash + 1);
}

void TGLWindow::LoadFromFile(const std::string& FileName) {
  TXMLDocument Document;
  LoadWindowDocument(FileName, Document);
  LoadFromXML(Document.Root());
  DefinitionFile = DefinitionFileName(FileName);
}

void TGLWindow::LoadFromXML(const TXMLNode& Node) {
  const std::optional<TRootAttributes> Root = ReadRoot(Node);
  std::vector<std::unique_ptr<TGLGUIItem>> Built = BuildItems(*this, Node);
  if (Root) ApplyRoot(*this, *Root, false);
  for (auto& Item : Built) Items.push_back(std::move(Item));
}

void TGLWindow::ReloadFromFile(const std::string& FileName) {
  TXMLDocument Document;
  LoadWindowDocument(FileName, Document);
  const TXMLNode Node = Document.Root();
  const std::optional<TRootAttributes> Root = ReadRoot(Node);
  std::vector<std::unique_ptr<TGLGUIItem>> Built = BuildItems(*this, Node);
  // From here on nothing can fail: the window changes as a whole.
  Clear();
  Items = std::move(Built);
  if (Root) ApplyRoot(*this, *Root, true);
  DefinitionFile = DefinitionFileName(FileName);
  // The size and the items are stretched as at the first load; the window itself stays where it
  // stands, a centred one the player has moved included.
  const float KeepX = X;
  WidescreenStretch();
  X = KeepX;
  ShowItemsAtOnce();
}

bool TGLGUI::AddWindowFromXML(const std::string& FileName, TWindowRenderHandler OnRender,
                              TWindowClickHandler OnClick, TWindowShowHandler OnShow) {
  TXMLDocument Document;
  LoadWindowDocument(FileName, Document);
  const TXMLNode Root = Document.Root();
  if (Root.Name() != "window") return false;
  const std::optional<TRootAttributes> A = ReadRoot(Root);
  // Lookups by name find the first window of the same name.
  if (gStrictWindowDefinitions && GetWindow(A->Name))
    throw EDataError("TGLGUI->AddWindowFromXML->" + Root.Where() + ": a window named \"" + A->Name + "\" exists already");
  auto W = std::make_unique<TGLWindow>();
  W->Owner = this;
  W->SkinTextures = SkinTextures;
  W->OnRender = std::move(OnRender);
  W->OnClick = std::move(OnClick);
  W->OnShow = std::move(OnShow);
  W->LoadFromXML(Root);
  W->DefinitionFile = DefinitionFileName(FileName);
  if (A->Position == "centered") W->CenterOnScreen();
  W->WidescreenStretch();
  W->ShowItemsAtOnce();
  Windows.push_back(std::move(W));
  return true;
}

void TGLGUI::LoadUIFromXML(const std::string& FileName) {
  TXMLDocument Document;
  LoadWindowDocument(FileName, Document);
  Windows[0]->LoadFromXML(Document.Root());
  Windows[0]->DefinitionFile = DefinitionFileName(FileName);
}

void TGLGUI::ReloadBaseWindow(const std::string& Folder) {
  TGLWindow& Base = *Windows[0];
  if (Base.DefinitionFile.empty()) return;
  TXMLDocument Document;
  LoadWindowDocument(Folder + Base.DefinitionFile, Document);
  const TXMLNode Node = Document.Root();
  const std::optional<TRootAttributes> Root = ReadRoot(Node);
  std::vector<std::unique_ptr<TGLGUIItem>> Built = BuildItems(Base, Node);
  // From here on nothing can fail. The hint panel and its two texts are the manager's own items,
  // not the layout's: they stay, so hints keep working after the reload.
  std::erase_if(Base.Items, [](const std::unique_ptr<TGLGUIItem>& Item) {
    return Item->ID.rfind("internal_hint", 0) != 0;
  });
  if (Root) ApplyRoot(Base, *Root, false);
  for (auto& Item : Built) Base.Items.push_back(std::move(Item));
}

void TGLGUI::ReloadWindows(const std::string& Folder) {
  for (std::size_t I = 1; I < Windows.size(); ++I)
    if (!Windows[I]->DefinitionFile.empty()) Windows[I]->ReloadFromFile(Folder + Windows[I]->DefinitionFile);
}
