#pragma once
// A full-screen backdrop that never changes while its picture and target size stay the same (the
// earth view's sky): drawn once into a texture of the target's size and copied into every frame
// after with a frame-buffer blit. A software rasteriser filters and blends the backdrop's texture
// for every pixel of the screen each frame; the copy moves the same pixels for a fraction of that.
// The scene owns one per target size; all GL objects are its own.
#include <cstdint>
#include <functional>

class TBackdropImage {
public:
  TBackdropImage() = default;
  ~TBackdropImage() = default;
  TBackdropImage(const TBackdropImage&) = delete;
  TBackdropImage& operator=(const TBackdropImage&) = delete;

  // Puts the backdrop into the rectangle (0, 0, Width, Height) of the bound draw frame buffer.
  // Draw draws it (with its own projection) whenever the image is stale: at first, after another
  // Source (the id of the picture shown) or another size. False when the GL offers no frame
  // buffer to draw the image into: the caller then draws the backdrop itself, every frame.
  bool Show(std::uint32_t Source, int Width, int Height, const std::function<void()>& Draw);
  // Frees the GL objects (before the context goes); the next Show makes them again.
  void Free();
  // How often the picture was drawn into the image (a test sees that frames only copy it).
  std::uint32_t Redraws() const { return RedrawCount; }

private:
  bool Make(int Width, int Height);

  std::uint32_t Framebuffer = 0;
  std::uint32_t Texture = 0;
  std::uint32_t Shown = 0;
  int ImageWidth = 0;
  int ImageHeight = 0;
  bool Valid = false;
  bool Unavailable = false;
  std::uint32_t RedrawCount = 0;
};
