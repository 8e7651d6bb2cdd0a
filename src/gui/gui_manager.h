#pragma once
// The window manager of one game state. It owns the windows (the first is the fixed base window
// "GUIWindow" with the screen layout and the mouse hint), keeps them stacked by depth, knows the
// active and the modal window, routes mouse and keys to them, answers the hit-test questions of
// the game, shows hints and the extended message box and calls the windows' handlers.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/vectors.h"
#include "gui/window.h"

class TGLButton;
struct TListItem;

// Margin in GUI pixels that window drags keep from the screen edges.
constexpr std::int32_t kGUIDragMargin = 16;

class TGLGUI {
public:
  std::vector<std::unique_ptr<TGLWindow>> Windows;  // Windows[0] is the base window
  std::int32_t ScreenWidth = 1024;
  std::int32_t ScreenHeight = 768;
  TIntPair ClientSize;  // the main window's client area in device pixels
  float FadeSpeed = 0.0f;  // duration of the last frame in milliseconds
  TGLWindow* ActiveWindow = nullptr;
  // Only while it is also visible does it take every click; a hidden one counts as none.
  TGLWindow* ModalWindow = nullptr;
  TGLWindow* HintWindow = nullptr;  // the base window
  std::array<std::uint32_t, 5> SkinTextures{};

  // The base window "GUIWindow" with the hint panel and its two texts.
  TGLGUI();
  ~TGLGUI();
  TGLGUI(const TGLGUI&) = delete;
  TGLGUI& operator=(const TGLGUI&) = delete;

  // Appends a hidden window; names are not checked here (lookups find the first).
  TGLWindow& AddWindow(const std::string& Caption, const std::string& Icon, const std::string& Name,
                       TVector3 Position, std::int32_t Width, std::int32_t Height, TWindowRenderHandler OnRender,
                       TWindowClickHandler OnClick, TWindowShowHandler OnShow);
  // Builds a window from a definition file whose root is <window>. A file with another root
  // adds nothing, is logged and gives false; a broken file or a window name already taken
  // throws EDataError and adds nothing.
  bool AddWindowFromXML(const std::string& FileName, TWindowRenderHandler OnRender = {},
                        TWindowClickHandler OnClick = {}, TWindowShowHandler OnShow = {});
  // Loads a screen layout (any root) into the base window.
  void LoadUIFromXML(const std::string& FileName);
  // Rebuilds every window but the base window from Folder + its definition file (language switch).
  void ReloadWindows(const std::string& Folder);
  // Rebuilds the base window's layout from Folder + its definition file, keeping the hint items.
  void ReloadBaseWindow(const std::string& Folder);
  // Looks up the skins by name; throws when one is not registered.
  void LoadSkinTextures();
  void SetSkinTextures(std::uint32_t A, std::uint32_t B, std::uint32_t C, std::uint32_t D, std::uint32_t E);

  TGLWindow* GetWindow(const std::string& Name) const;
  TGLWindow* GetWindowAtMouse() const;
  // The top-most visible window at the GUI point X, Y.
  TGLWindow* GetWindowAt(std::int32_t X, std::int32_t Y) const;
  TGLButton* GetButtonAtMouse() const;
  TListItem* GetListItemAtMouse();
  bool IsMouseOverWindow() const;
  void GetActiveWindowName(std::string& Name) const;
  std::string GetActiveWindowName() const;
  // The modal window while it is visible, else none.
  TGLWindow* CurrentModalWindow() const;

  void OpenWindow(const std::string& Name);
  void CloseWindow(const std::string& Name);
  void BringToFront(const std::string& Name);
  void SetModalWindow(const std::string& Name);
  void HideAllWindows();
  // The window "messagedlg_ext" as a modal message box; throws when it is not registered.
  void ShowMessageBoxExt(const std::string& Text, const std::string& Caption, const std::string& Image,
                         bool PlaySound);
  void ShowHint(const std::string& Text, const std::string& TextB);
  void HideHint();
  void UpdateHintPosition();

  // Drawing (GL): every visible window back to front, a dimming quad behind the modal one.
  void Render();
  bool MouseWheel(std::int32_t Delta);
  void MouseDown();
  void MouseMove();
  void MouseUp();
  void Click();
  void DblClick();
  void KeyDown(std::uint16_t Key, std::uint8_t Shift);

  // OnShow of every window that has one, visible or not, in array order.
  void UpdateAllWindows();
  // OnClick(Name) of every window that has one, visible or not, in array order.
  void BroadcastEvent(const std::string& Name);

  // Window indices ordered by depth with the exchange sort (ties as that sort leaves them).
  std::vector<std::size_t> DepthOrder(bool VisibleOnly) const;

private:
  void TitleBarPress(TGLWindow& W);
  // Samples the skin textures from their full-size level only (see Render).
  void FilterSkinTextures();
  std::array<std::uint32_t, 5> FilteredSkinTextures{};
  void BringWindowToFront(TGLWindow& W);
};
