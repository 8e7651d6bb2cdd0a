#include "gui/memo.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/latin1.h"
#include "platform/rounding.h"
#include "platform/text_format.h"

void TGLMemo::AddLine(const std::string& S) { Lines.push_back(S); }

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
}

void TGLMemo::SetText(const std::string& Text, bool Wrap) {
  if (Text.empty()) {
    Lines.clear();
    return;
  }
  SetLines(SplitLines(Text), Wrap);
}

void TGLMemo::SetLines(const std::vector<std::string>& Strings, bool Wrap) {
  // The top line stays where it was, also past the end of shorter text: the next wheel step
  // brings it back.
  Lines = Wrap ? WordWrapped(Strings) : Strings;
}

void TGLMemo::SetTextSection(const std::string& Text, const std::string& Section, bool Wrap) {
  if (Text.empty()) {
    Lines.clear();
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

std::vector<std::string> TGLMemo::WordWrapped(std::vector<std::string> W) const {
  auto& S = GUIServices();
  const float Limit = WrapWidth();
  // The longest head of Line that fits, at most all but its last character; 0 when not even the
  // first character fits. Widths grow with the length, so halving the range finds it.
  auto FittingLength = [&](const std::string& Line) {
    std::size_t Low = 0, High = Line.size() - 1;
    while (Low < High) {
      const std::size_t Mid = (Low + High + 1) / 2;
      if (S.TextWidth(Line.substr(0, Mid)) > Limit)
        High = Mid - 1;
      else
        Low = Mid;
    }
    return Low;
  };
  // Every pass moves text down or passes a line that cannot be broken, so the wrap always ends.
  std::size_t From = 0;
  for (;;) {
    std::size_t I = From;
    while (I < W.size() && !(S.TextWidth(W[I]) > Limit)) ++I;
    if (I >= W.size()) break;
    std::string& Line = W[I];
    // The last blank among positions 1 .. length - 1 (1-based): a blank at the end is no break.
    const std::size_t Blank = Line.size() >= 2 ? Line.rfind(' ', Line.size() - 2) : std::string::npos;
    if (Blank == std::string::npos) {
      // A word wider than the box is cut after its last character that fits, and the rest goes
      // on a line of its own below, so no row runs out of the box. A box too narrow for even
      // one character keeps the line as it is.
      const std::size_t Fit = Line.empty() ? 0 : FittingLength(Line);
      if (Fit > 0) {
        std::string Rest = Line.substr(Fit);
        Line.erase(Fit);
        W.insert(W.begin() + static_cast<std::ptrdiff_t>(I) + 1, std::move(Rest));
      }
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
  return W;
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
