#include "platform/png_codec.h"

#include <png.h>

#include <cstring>

bool DecodePNG(const void* Data, std::size_t Size, TPNGImage& Image, std::string& Error, std::uint64_t MaxPixels) {
  Image = TPNGImage{};
  png_image Img;
  std::memset(&Img, 0, sizeof Img);
  Img.version = PNG_IMAGE_VERSION;
  if (!Data || Size == 0) {
    Error = "empty PNG data";
    return false;
  }
  if (!png_image_begin_read_from_memory(&Img, Data, Size)) {
    Error = Img.message[0] ? Img.message : "not a PNG";
    png_image_free(&Img);
    return false;
  }
  if (Img.width == 0 || Img.height == 0 || std::uint64_t(Img.width) * Img.height > MaxPixels) {
    Error = "image size " + std::to_string(Img.width) + "x" + std::to_string(Img.height) + " out of range";
    png_image_free(&Img);
    return false;
  }
  Img.format = PNG_FORMAT_BGRA;
  std::vector<std::uint8_t> Pixels(PNG_IMAGE_SIZE(Img));
  // A negative row stride writes the rows from the end of the buffer backwards: bottom row first.
  png_int_32 Stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(Img));
  if (!png_image_finish_read(&Img, nullptr, Pixels.data(), Stride, nullptr)) {
    Error = Img.message[0] ? Img.message : "damaged PNG";
    png_image_free(&Img);
    return false;
  }
  Image.Width = Img.width;
  Image.Height = Img.height;
  Image.Pixels = std::move(Pixels);
  return true;
}

bool EncodePNG(const std::uint8_t* Pixels, std::uint32_t Width, std::uint32_t Height, std::string& Bytes,
               std::string& Error) {
  png_image Img;
  std::memset(&Img, 0, sizeof Img);
  Img.version = PNG_IMAGE_VERSION;
  Img.width = Width;
  Img.height = Height;
  Img.format = PNG_FORMAT_RGBA;
  if (Width == 0 || Height == 0 || !Pixels) {
    Error = "empty image";
    return false;
  }
  png_int_32 Stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(Img));
  png_alloc_size_t Needed = 0;
  if (!png_image_write_to_memory(&Img, nullptr, &Needed, 0, Pixels, Stride, nullptr)) {
    Error = Img.message[0] ? Img.message : "cannot encode PNG";
    png_image_free(&Img);
    return false;
  }
  Bytes.assign(Needed, '\0');
  if (!png_image_write_to_memory(&Img, Bytes.data(), &Needed, 0, Pixels, Stride, nullptr)) {
    Error = Img.message[0] ? Img.message : "cannot encode PNG";
    png_image_free(&Img);
    return false;
  }
  Bytes.resize(Needed);
  return true;
}
