#pragma once
// A control drawn from pictures: one picture, an optional stretcher repeated to the screen's
// right edge, and hot-spot parts (buttons by name) whose hover picture fades in and grows.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/button.h"

// A hot spot of a skinned control; it counts as a button (its Name is the click name). Its
// Alpha is the hover picture's opacity. The control draws it; its own Render is never used.
class TGLSkinnedPart : public TGLButton {
public:
  TVector3 Corner;  // top left of the hover picture at base size, window-relative; Z depth
  TVector3 Anchor;  // centre as given, relative to the control's top left
  std::string Shape;  // "circle" or "polygon"
  float Radius = 0.0f;
  std::string Image;
  float PartWidth = 0.0f;
  float PartHeight = 0.0f;
  float MaxGrow = 0.0f;  // (scaleto - 100) / 100
  float Grow = 0.0f;
  std::vector<TIntPair> Polygon;  // hit area, window-relative

  // What the last update decided for drawing: hovered, and the opacity and growth to draw with.
  bool Hovered = false;
  float DrawAlpha = 0.0f;
  float DrawGrow = 0.0f;

  TGLSkinnedPart() : TGLButton(TGUIItemKind::SkinnedPart) {}
};

class TGLSkinnedControl : public TGLGUIItem {
public:
  std::vector<std::unique_ptr<TGLSkinnedPart>> Parts;
  TGUIItemOwner* Window = nullptr;  // set by the loader; Owner stays unset
  std::string Image;
  std::string HAlign;
  std::string VAlign;
  std::string StretchImage;
  std::uint32_t ImageTexture = 0;
  std::uint32_t StretchTexture = 0;
  std::uint32_t StretchTextureWidth = 0;

  // Aligns against the GUI screen, loads missing pictures on demand; throws when the picture
  // (or a given stretcher) can be found nowhere, or for a negative size.
  TGLSkinnedControl(TVector3 Position, std::int32_t Width, std::int32_t Height, const std::string& Image,
                    const std::string& StretchImage, const std::string& HAlign, const std::string& VAlign,
                    std::int32_t ScreenWidth, std::int32_t ScreenHeight);

  TGLSkinnedPart& AddPart(TVector3 Anchor, const std::string& Name, float Width, float Height,
                          const std::string& Image, const std::vector<TIntPair>& Points, float ScaleTo);
  TGLSkinnedPart& AddCirclePart(TVector3 Anchor, std::int32_t Width, std::int32_t Height, const std::string& Name,
                                const std::string& Image, float Radius, float ScaleTo);
  TGLSkinnedPart* GetPartAtMouse() const;

  void Render() override;
  // Fade, then each part's hover state, opacity and growth for this frame.
  void Update() override;
  void Draw() override;

  // The part's polygon moved by the window's position.
  std::vector<TIntPair> WindowPolygon(const TGLSkinnedPart& Part) const;

private:
  bool PartHovered(const TGLSkinnedPart& Part) const;
};

// Registers Name from "data\tex\ondemand\nocompression\" + Name + ".png" (or ".dds") when the
// texture manager does not know it yet. A picture that cannot be loaded is remembered in
// gMissingPictures and not looked for again. True when the picture is there. Windows call it
// when they are shown (portraits, technology cards); their drawing only draws.
bool LoadOnDemandPicture(const std::string& Name);
