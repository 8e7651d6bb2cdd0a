#pragma once
// The base of every control of the GUI toolkit: size, position in its window, visibility and the
// fade animation, plus the hit tests the toolkit and the game windows share.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/vectors.h"

class TGLGUIItem;

// What a control asks of the window that holds it. The window class implements it; a raw
// pointer to it only observes (the window owns its items, not the other way round).
class TGUIItemOwner {
public:
  virtual ~TGUIItemOwner() = default;
  // The window's top left in GUI pixels.
  virtual TVector3 WindowPosition() const = 0;
  virtual bool HasGUIManager() const = 0;
  // True when the window has a GUI manager and that manager's window at the mouse is this one.
  virtual bool IsWindowAtMouse() const = 0;
  // True when the window's item at the mouse is Item.
  virtual bool IsItemAtMouse(const TGLGUIItem* Item) const = 0;
  // The window's GL id of one of its skin textures ("gui_button", "gui_interface_light", ...).
  virtual unsigned SkinTexture(const std::string& Name) const = 0;
  // The GUI manager's client size in device pixels and GUI screen size; false without a manager.
  virtual bool GetScreenScale(int& ClientWidth, int& ClientHeight, int& ScreenWidth,
                              int& ScreenHeight) const = 0;
};

enum class TGUIItemKind : std::uint8_t {
  Button, SkinnedPart, ListBox, DropDown, Panel, Checkbox, Image, TrackBar, Text, Edit, Memo, SkinnedControl
};

class TGLGUIItem {
public:
  float Alpha = 0.0f;
  float FadeDir = 0.0f;
  float FadeSpeed = 0.0f;  // duration of the last frame in milliseconds, copied in by the window
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  TVector3 Position;       // X, Y relative to the window's top left, Z depth within the window
  TGUIItemOwner* Owner = nullptr;
  float Opacity = 0.85f;
  std::string ID;
  bool Visible = false;

  explicit TGLGUIItem(TGUIItemKind Kind) : ItemKind(Kind) {}
  virtual ~TGLGUIItem() = default;
  TGLGUIItem(const TGLGUIItem&) = delete;
  TGLGUIItem& operator=(const TGLGUIItem&) = delete;

  // One frame: Update (fade and the control's own state, no GL) then Draw (GL only).
  virtual void Render();
  virtual void Update();
  virtual void Draw() {}

  TGUIItemKind Kind() const { return ItemKind; }
  // A skinned part counts as a button everywhere.
  bool IsButton() const { return ItemKind == TGUIItemKind::Button || ItemKind == TGUIItemKind::SkinnedPart; }

  std::int32_t GetHeight() const;
  std::int32_t GetWidth() const;

  void UpdateFade();
  void FadeIn();
  void FadeOut();
  void ToggleFade();

  // The item's top left on the screen: window position plus item position (not rounded).
  float ScreenX() const;
  float ScreenY() const;
  // The same, rounded to whole pixels (halves to even), as the hit tests use it.
  TIntPair ScreenOrigin() const;

protected:
  // Skin texture of the owner window by name, else bound by name (unit 0).
  void BindSkin(const std::string& Name) const;
  // The scissor box of list boxes and edits: the item's rectangle less RightCut pixels at the
  // right, in client pixels; false (nothing set) without an owner that has a GUI manager.
  bool SetScissor(int RightCut) const;

private:
  TGUIItemKind ItemKind;
};

// Left <= X <= Right and Top <= Y <= Bottom, compared as floats.
bool PointInRect(std::int32_t X, std::int32_t Y, float Left, float Top, float Right, float Bottom);
// Crossing-number test over the closed polygon of Points in order; an empty array gives false.
bool PointInPolygon(const std::vector<TIntPair>& Points, std::int32_t X, std::int32_t Y);

// Nine-slice frame from the bound skin texture, then a shading quad over it.
void DrawFrame(float X, float Y, float Width, float Height);
// The three-piece skin of buttons and edits at the current origin: a 48-pixel left cap, a
// 24-pixel right cap and a stretched middle; TTop/TBottom are the texture rows of the top and
// bottom edges. Issues glBegin/glEnd itself.
void DrawThreePieceSkin(float Width, float Height, float TTop, float TBottom);
// The up and down scroll arrows of list boxes and memos at the right edge of a Width x Height
// box, at depth Z. Emits vertices only: call it between glBegin(GL_QUADS) and glEnd.
void DrawScrollArrows(float Width, float Height, float Z);
// A gauge from "gui_gauge": background, then Color filled to Percent (not clamped).
void DrawGauge(TVector3 Position, TVector3 Color, float Percent, float Width, float Height);
