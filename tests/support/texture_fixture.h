#pragma once
// Puts a fresh gTextureManager in place for the life of the object (and the old one back after),
// recording its progress messages and any message boxes shown meanwhile.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/texture_manager.h"
#include "engine/textures.h"
#include "platform/message_box.h"

class TTextureManagerSwap {
public:
  TTextureManagerSwap() {
    Saved = std::move(gTextureManager);
    gTextureManager = std::make_unique<TTextureManager>();
    gTextureManager->OnMessage = [this](const std::string& Msg, bool ToLog) { Messages.emplace_back(Msg, ToLog); };
    OldHook = SetMessageBoxHook([this](const std::string& Title, const std::string& Text) {
      Boxes.push_back(Title + ": " + Text);
    });
    gHardwareMipmaps = false;
  }
  ~TTextureManagerSwap() {
    SetMessageBoxHook(OldHook);
    gTextureManager = std::move(Saved);
    gHardwareMipmaps = false;
  }
  TTextureManagerSwap(const TTextureManagerSwap&) = delete;
  TTextureManagerSwap& operator=(const TTextureManagerSwap&) = delete;

  std::vector<std::pair<std::string, bool>> Messages;  // OnMessage calls: text, ToLog
  std::vector<std::string> Boxes;                      // "Caption: Text"

private:
  std::unique_ptr<TTextureManager> Saved;
  TMessageBoxHook OldHook;
};
