#pragma once
// One window of the GUI toolkit: a skinned frame with a 27-pixel title bar, caption, icon and
// close box around an ordered list of controls it owns. Its GUI manager (TGLGUI) creates it,
// stacks it by depth, routes the mouse to it and draws it; game code attaches three handlers.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_item.h"

class TGLGUI;
class TGLButton;
class TGLCheckbox;
class TGLDropDown;
class TGLEdit;
class TGLImage;
class TGLListBox;
class TGLMemo;
class TGLPanel;
class TGLText;
class TGLTrackBar;
class TXMLNode;

// Draws extra content after the items, in GUI coordinates.
using TWindowRenderHandler = std::function<void()>;
// Receives the name of every clicked control (for every window that has one).
using TWindowClickHandler = std::function<void(const std::string& Name)>;
// Runs when the window is opened and on every UpdateAllWindows.
using TWindowShowHandler = std::function<void()>;

class TGLWindow final : public TGUIItemOwner {
public:
  std::vector<std::unique_ptr<TGLGUIItem>> Items;  // creation = drawing = hit-test order
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;  // stacking depth, higher is in front
  std::int32_t DragX = 0;
  std::int32_t DragY = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // body height; the frame's bottom band lies below it
  std::string Caption;
  std::string Name;
  std::string Icon;
  std::string DefinitionFile;  // window-definition file name without its folder
  bool Visible = false;
  bool Dragging = false;
  bool Centered = false;
  bool Fixed = false;
  bool Collapsed = false;
  bool CloseDisabled = false;
  TGLGUI* Owner = nullptr;  // the manager; observes
  std::uint32_t DisplayList = 0;  // frame geometry, recorded at the first drawing
  TWindowRenderHandler OnRender;
  TWindowClickHandler OnClick;
  TWindowShowHandler OnShow;
  // "gui_interface", none, "gui_interface_light", "gui_button", "gui_trackbar"
  std::array<std::uint32_t, 5> SkinTextures{};

  TGLWindow() = default;
  ~TGLWindow() override;
  TGLWindow(const TGLWindow&) = delete;
  TGLWindow& operator=(const TGLWindow&) = delete;

  // Drawing (GL): frame, title, close box, icon, caption, items, then OnRender.
  void Render();
  // 256 when collapsed, else Width.
  std::int32_t GetWidth() const;
  void WidescreenStretch();

  // Input, forwarded by the manager.
  bool MouseWheel(std::int32_t Direction);
  void Click();
  void MouseDown();
  void MouseUp();
  void MouseMove();
  void KeyDown() {}

  // Item constructors: each appends one control owned by this window.
  TGLListBox& AddListBox(TVector3 Position, std::int32_t Width, std::int32_t Height);
  TGLPanel& AddPanel(TVector3 Position, std::int32_t Width, std::int32_t Height, bool InnerBevel);
  TGLCheckbox& AddCheckbox(TVector3 Position, std::int32_t Width, std::int32_t Height, const std::string& Caption,
                           bool Checked);
  TGLDropDown& AddDropDown(TVector3 Position, std::int32_t Width, std::int32_t Height);
  TGLButton& AddButton(const std::string& Caption, const std::string& Icon, const std::string& Name,
                       TVector3 Position);
  TGLImage& AddImage(TVector3 Position, std::int32_t Width, std::int32_t Height, const std::string& Texture,
                     const std::string& HAlign, const std::string& VAlign);
  TGLTrackBar& AddTrackBar(TVector3 Position, std::int32_t Width, std::int32_t Min, std::int32_t Max,
                           std::int32_t Value, bool UseGradient);
  TGLText& AddText(TVector3 Position, const std::string& Text, bool Visible, const std::string& ID);
  TGLEdit& AddEdit(TVector3 Position, const std::string& Text, const std::string& ID);
  TGLMemo& AddMemo(TVector3 Position, std::int32_t Width, std::int32_t Height);

  // The Index-th item (from 0) of a kind: "button" (skinned parts too), "panel", "memo", "text",
  // "image", "listbox", "edit", "skinned"; throws when there is none.
  TGLGUIItem& GetGLGUIItem(std::int32_t Index, const std::string& TypeName) const;
  // The same, or null when there is none (for lookups made every frame).
  TGLGUIItem* FindGLGUIItem(std::int32_t Index, const std::string& TypeName) const;
  // The first item whose ID matches, letter case ignored; throws when there is none.
  TGLGUIItem& GetGUIItemByID(const std::string& ID) const;
  // GetGUIItemByID of a control of a known class; throws when the item is of another class.
  template <class T>
  T& GetItem(const std::string& ID) const {
    TGLGUIItem& Item = GetGUIItemByID(ID);
    if (auto* Typed = dynamic_cast<T*>(&Item)) return *Typed;
    WrongItemClass(ID);
  }
  // The visible item under the mouse (an open drop-down's rows and skinned parts count), or none.
  TGLGUIItem* GetItemAtMouse() const;
  // Frees every item; CloseDisabled := false.
  void Clear();
  void SetSkinTextures(std::uint32_t A, std::uint32_t B, std::uint32_t C, std::uint32_t D, std::uint32_t E);

  // Window state in a savegame element "windowstate" (window_state.cpp).
  void SaveState(TXMLNode Node) const;
  // False (window unchanged, one log line) when a value cannot be read.
  bool LoadState(TXMLNode Node);

  // Window-definition files (window_loader.cpp). Both append items and leave the window as it
  // was when the file is broken (the error names the file, the line and the element).
  void LoadFromFile(const std::string& FileName);
  void LoadFromXML(const TXMLNode& Node);
  // Rebuilds the window from a definition file (the language switch): the items are replaced,
  // position, depth and visibility stay, a centred window is centred again.
  void ReloadFromFile(const std::string& FileName);

  // TGUIItemOwner
  TVector3 WindowPosition() const override { return TVector3{X, Y, Z}; }
  bool HasGUIManager() const override { return Owner != nullptr; }
  bool IsWindowAtMouse() const override;
  bool IsItemAtMouse(const TGLGUIItem* Item) const override { return Item && GetItemAtMouse() == Item; }
  unsigned SkinTexture(const std::string& SkinName) const override;
  bool GetScreenScale(int& ClientWidth, int& ClientHeight, int& ScreenWidth, int& ScreenHeight) const override;

  // Puts the window where a title-bar drag may: at least 32 pixels on screen on the left, 16 on
  // the right, the title bar not above -16 nor below the screen's last 16 rows.
  void ClampToScreen();
  // Centres the body on the manager's GUI screen (halves to even) and marks the window centred.
  void CenterOnScreen();
  // Every visible item shows at full opacity at once.
  void ShowItemsAtOnce();

private:
  // Width and Height the frame geometry in DisplayList was recorded with.
  std::int32_t FrameWidth = -1;
  std::int32_t FrameHeight = -1;

  template <class T>
  T& Append(TVector3 Position);
  [[noreturn]] void WrongItemClass(const std::string& ID) const;
  void DrawFrame();
};
