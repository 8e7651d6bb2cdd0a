#pragma once
// Two small OpenGL utilities: the extension test and the PNG screenshot.
#include <string>

// Whether the current context offers the named extension (letter case ignored). Needs a
// current context; without one (or in a core profile) nothing is offered.
bool ExtensionSupported(const std::string& Name);
// True for a renderer string of a software rasteriser (Mesa's llvmpipe, softpipe, swrast).
bool SoftwareRasterizer(const char* Renderer);
// The same test on a blank-separated list of names; a null list offers nothing.
bool ExtensionInList(const char* List, const std::string& Name);

// Writes the current viewport's pixels as a PNG, top row first, through the safe-write helper.
// Alpha is 255 unless KeepAlpha. False with Error set when the file cannot be written.
bool SaveScreenshot(const std::string& FileName, bool KeepAlpha, std::string* Error = nullptr);
