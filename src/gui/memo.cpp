#include "gui/memo.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/latin1.h"
#include "platform/rounding.h"
#include "platform/text_format.h"

void TGLMemo::AddLine(const std::string& S) { Lines.push_back(S); }

void TGLMemo::AddWrappedLine(const std::string& S) {
  auto& Services = GUIServices();
  const float Limit = WrapWidth();
  std::string Rest = S;
  while (Rest.size() > 1 && Services.TextWidth(Rest) > Limit) {
    // The longest head that fits (one character at least), ended at its last blank if it has one
    // and never inside a character of several bytes.
    std::size_t Fit = 1;
    while (Fit < Rest.size() && !(Services.TextWidth(Rest.substr(0, Fit + 1)) > Limit)) ++Fit;
    if (Fit >= Rest.size()) break;
    std::size_t Cut = Fit;
    // A blank of the indentation is no place to break.
    const std::size_t Text = Rest.find_first_not_of(' ');
    if (const std::size_t Blank = Rest.rfind(' ', Fit); Blank != std::string::npos && Text != std::string::npos && Blank > Text)
      Cut = Blank;
    while (Cut > 1 && (static_cast<unsigned char>(Rest[Cut]) & 0xC0) == 0x80) --Cut;
    Lines.push_back(Rest.substr(0, Cut));
    Rest.erase(0, Rest[Cut] == ' ' ? Cut + 1 : Cut);
  }
  Lines.push_back(Rest);
}

void TGLMemo::InsertLine(const std::string& S, std::int32_t Index) {
  if (Index < 0) Index = 0;
  if (Index >= static_cast<std::int32_t>(Lines.size()))
    Lines.push_back(S);
  else
    Lines.insert(Lines.begin() + Index, S);
}

void TGLMemo::Clear() {
  Lines.clear();
  RowIndents.clear();
  ClampTopLine();
}

void TGLMemo::SetText(const std::string& Text, bool Wrap) {
  if (Text.empty()) {
    Lines.clear();
    ClampTopLine();
    return;
  }
  SetLines(SplitLines(Text), Wrap);
}

void TGLMemo::SetLines(const std::vector<std::string>& Strings, bool Wrap) {
  Lines = Strings;
  if (Wrap && !Lines.empty()) WordWrap();
  ClampTopLine();
}

void TGLMemo::SetTextSection(const std::string& Text, const std::string& Section, bool Wrap) {
  if (Text.empty()) {
    Lines.clear();
    ClampTopLine();
    return;
  }
  SetTextSectionFromStrings(SplitLines(Text), Section, Wrap);
}

void TGLMemo::SetTextSectionFromStrings(const std::vector<std::string>& Strings, const std::string& Section,
                                        bool Wrap) {
  const std::string Header = std::string(1, '#').append(UpperAscii(Section));
  std::vector<std::string> Collected;
  std::size_t I = 0;
  while (I < Strings.size() && Strings[I] != Header) ++I;
  if (I < Strings.size()) {
    for (++I; I < Strings.size() && !(Strings[I].size() > 0 && Strings[I][0] == '#'); ++I)
      Collected.push_back(Strings[I]);
  }
  SetLines(Collected, Wrap);
}

void TGLMemo::LoadFromFile(const std::string& FileName) {
  auto& S = GUIServices();
  if (!S.FileExists(FileName)) return;
  const auto Bytes = S.ReadFile(FileName);
  if (!Bytes) return;
  Lines.clear();
  SetLines(SplitLines(*Bytes), true);
}

void TGLMemo::WordWrap() {
  auto& S = GUIServices();
  const float Limit = WrapWidth();
  std::vector<std::string> W = Lines;
  // Lines that cannot be broken stay too wide; the search goes on below them, so every pass
  // either moves a word down or passes a line, and the wrap always ends.
  std::size_t From = 0;
  for (;;) {
    std::size_t I = From;
    while (I < W.size() && !(S.TextWidth(W[I]) > Limit)) ++I;
    if (I >= W.size()) break;
    std::string& Line = W[I];
    // The last blank among positions 1 .. length - 1 (1-based): a blank at the end is no break.
    std::size_t Blank = std::string::npos;
    if (Line.size() >= 2) {
      const std::size_t Found = Line.rfind(' ', Line.size() - 2);
      Blank = Found;
    }
    if (Blank == std::string::npos) {
      From = I + 1;
      continue;
    }
    std::string Tail = Line.substr(Blank + 1);
    Line.erase(Blank);
    if (I + 1 >= W.size())
      W.push_back(Tail);
    else if (W[I + 1].size() < 2)
      W.insert(W.begin() + static_cast<std::ptrdiff_t>(I) + 1, Tail);
    else
      W[I + 1] = Tail + " " + W[I + 1];
    From = I;
  }
  Lines = W;
}

std::int32_t TGLMemo::VisibleRows() const {
  std::int32_t N = 0;
  while (N * 15 + 8 < Height - 10) ++N;
  return N;
}

bool TGLMemo::MouseWheel(std::int32_t Delta) {
  // A memo under another window does not scroll.
  if (Owner && Owner->HasGUIManager() && !Owner->IsWindowAtMouse()) return true;
  const TIntPair P = ScreenOrigin();
  if (PointInRect(gMouseX, gMouseY, static_cast<float>(P.X), static_cast<float>(P.Y),
                  static_cast<float>(P.X + Width), static_cast<float>(P.Y + Height))) {
    const auto Count = static_cast<std::int32_t>(Lines.size());
    TopLine += Delta;
    if (TopLine < 0) TopLine = 0;
    if (TopLine * 15 + Height > Count * 15 + 1) TopLine = Count - RoundToInt(Height / 15.0) + 1;
    if (TopLine < 0) TopLine = 0;
  }
  return true;
}

void TGLMemo::ClampTopLine() {
  // New, shorter text would otherwise leave the box empty until the next wheel step.
  const auto Count = static_cast<std::int32_t>(Lines.size());
  if (TopLine > 0 && TopLine * 15 + Height > Count * 15 + 1) TopLine = Count - RoundToInt(Height / 15.0) + 1;
  if (TopLine < 0) TopLine = 0;
}

void TGLMemo::Update() { UpdateFade(); }

void TGLMemo::Draw() {
  auto& S = GUIServices();
  const float A = Opacity * Alpha;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSkin("gui_interface_light");
  glEnable(GL_TEXTURE_2D);
  if (Border) {
    const float W = static_cast<float>(Width);
    const float H = static_cast<float>(Height);
    glPushMatrix();
    glTranslatef(Position.X, Position.Y, Position.Z);
    glColor4f(1.0f, 1.0f, 1.0f, A);
    DrawFrame(0, 0, W, H);
    glColor4f(1.0f, 1.0f, 1.0f, A);
    glBegin(GL_QUADS);
    DrawScrollArrows(W, H, 0.02f);
    glEnd();
    glPopMatrix();
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  const float Top = Border ? 8.0f : 0.0f;
  const std::int32_t Rows = VisibleRows();
  const auto Count = static_cast<std::int32_t>(Lines.size());
  for (std::int32_t I = 0; I < Rows; ++I) {
    const std::int32_t K = TopLine + I;
    if (K < 0 || K >= Count) continue;
    const float Indent = I < static_cast<std::int32_t>(RowIndents.size()) ? RowIndents[static_cast<std::size_t>(I)] : 0.0f;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, A);
    S.Print(Lines[static_cast<std::size_t>(K)], TVector3{Position.X + 9 + Indent, Position.Y + Top + 15.0f * I, Position.Z + 0.03f},
            TVector3{1.0f, 1.0f, 1.0f}, Alpha, 1.0f, false, I == 0);
  }
  glDisable(GL_SCISSOR_TEST);
}
