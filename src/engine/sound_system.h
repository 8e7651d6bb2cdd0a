#pragma once
// The sound effects: every sound of "data\sounds\" (loose files, else the data package) is loaded
// once at start-up and played by name when something happens in the game. The sound system owns
// the audio backend; the music player shares it.
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/sound_backend.h"

class TMemoryStream;

// Receives a message; ToLog true puts it into the log, false only advances the loading screen.
using TLogProc = std::function<void(const std::string& Msg, bool ToLog)>;

class TSoundSystem {
public:
  static constexpr int kChannels = 64;

  // NoSound switches sound off for good: the backend is never touched and nothing is logged.
  // Without a backend the SDL_mixer one is used. A device that cannot be opened is logged, and
  // the object carries on with the backend, which plays nothing without its device.
  TSoundSystem(bool NoSound, TLogProc LogProc, std::shared_ptr<TSoundBackend> Backend = nullptr);
  ~TSoundSystem();
  TSoundSystem(const TSoundSystem&) = delete;
  TSoundSystem& operator=(const TSoundSystem&) = delete;

  void Update();  // once per frame
  void AddSound(const std::filesystem::path& FileName, const std::string& Name);
  // The bytes are decoded at once; the stream may be freed afterwards.
  void AddSoundFromStream(const TMemoryStream& Stream, const std::string& Name);
  // Every file of Folder ending in Ext: from disk when the folder is there (the package is then
  // not consulted), else from the package. A sound is named after its file up to the first dot.
  void LoadSounds(const std::string& Folder, const std::string& Ext);
  // Plays a loaded sound (name in any letter case) at Volume on a free channel when Enabled.
  // Loop makes the sound loop from now on, also for later plays.
  void PlaySound(const std::string& Name, bool Loop);

  // The backend the music player plays through; none while sound is off.
  std::shared_ptr<TSoundBackend> System() const { return SoundDisabled ? nullptr : Backend; }

  std::vector<TSoundHandle> Sounds;
  std::vector<std::string> SoundNames;  // entry i names Sounds[i]
  std::vector<bool> Looping;            // entry i: Sounds[i] loops when played
  bool SoundDisabled = false;
  float Volume = 0.0f;   // 0..1, given to every played sound
  bool Enabled = false;  // sounds play only while set
  TLogProc LogProc;

private:
  void Log(const std::string& Msg);
  std::shared_ptr<TSoundBackend> Backend;
  std::set<std::string> UnknownNamesLogged;
};
