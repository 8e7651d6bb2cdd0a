#pragma once
// The multi-line text control: word-wrapped lines 15 pixels apart in a frame, scrolled with the
// mouse wheel. Text comes from a string, a list, a text file or one language section of a text.
#include <cstdint>
#include <string>
#include <vector>

#include "gui/gui_item.h"

class TGLMemo : public TGLGUIItem {
public:
  std::vector<std::string> Lines;  // as shown, after wrapping
  std::vector<float> RowIndents;   // extra x offset of each visible row; game code fills it
  std::int32_t TopLine = 0;        // line shown in the top row
  bool Border = true;

  TGLMemo() : TGLGUIItem(TGUIItemKind::Memo) {}

  void AddLine(const std::string& S);
  void InsertLine(const std::string& S, std::int32_t Index);
  void Clear();
  void SetText(const std::string& Text, bool Wrap);
  void SetLines(const std::vector<std::string>& Strings, bool Wrap);
  // Shows the lines after the header "#" + Section in upper case, up to the next "#" line.
  void SetTextSection(const std::string& Text, const std::string& Section, bool Wrap);
  void SetTextSectionFromStrings(const std::vector<std::string>& Strings, const std::string& Section, bool Wrap);
  // Shows a whole text file (disk or package), wrapped; a missing file leaves the memo as it is.
  void LoadFromFile(const std::string& FileName);
  bool MouseWheel(std::int32_t Delta);

  void Update() override;
  void Draw() override;

  // Screen rows the box shows.
  std::int32_t VisibleRows() const;
  // The widest a line may be before it wraps.
  float WrapWidth() const { return static_cast<float>(Width - 35); }
  // Strings word-wrapped to this memo's width, as SetLines wraps them: words move one at a time
  // into the following line, which they join unless it is empty or a single character; a word
  // wider than the box is cut where the row ends.
  std::vector<std::string> WordWrapped(std::vector<std::string> Strings) const;
};
