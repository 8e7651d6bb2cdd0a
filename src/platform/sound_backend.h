#pragma once
// The audio device behind the sound system and the music player: short sounds decoded into
// memory and played on any of a fixed number of mixing channels, and one music stream at a time,
// from a file or from bytes in memory. The game uses the SDL_mixer backend; tests use a recording
// fake of the same interface. Handles are small numbers, 0 meaning none; a handle the backend
// does not know (freed, or made before Close) is ignored by every call.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

using TSoundHandle = std::uint32_t;
using TMusicHandle = std::uint32_t;
using TBackendLogProc = std::function<void(const std::string& Line)>;

class TSoundBackend {
public:
  virtual ~TSoundBackend() = default;

  // Opens the audio device with Channels mixing channels. Without a usable device it falls
  // back to a silent driver and says so through Log; false only when even that fails.
  virtual bool Open(int Channels, const TBackendLogProc& Log) = 0;
  // Halts and frees all music and sounds, then closes the device. Safe to call twice.
  virtual void Close() = 0;
  // Why the last call failed, for log lines.
  virtual std::string LastError() const = 0;
  virtual void Update() = 0;

  // Decodes a whole sound; 0 when it cannot be read or decoded.
  virtual TSoundHandle LoadSound(const std::filesystem::path& File) = 0;
  // Decodes a whole sound from bytes that may be freed right after the call; 0 on failure.
  virtual TSoundHandle LoadSoundFromMemory(const void* Data, std::size_t Size) = 0;
  // Plays on a free channel at Volume (0..1); Loop repeats it forever. The channel or -1.
  virtual int PlaySound(TSoundHandle Sound, bool Loop, float Volume) = 0;

  // Opens a music stream; 0 on failure.
  virtual TMusicHandle LoadMusic(const std::filesystem::path& File) = 0;
  // Opens a music stream over bytes that must stay alive until FreeMusic; 0 on failure.
  virtual TMusicHandle LoadMusicFromMemory(const void* Data, std::size_t Size) = 0;
  // Stops it when it is playing and frees it.
  virtual void FreeMusic(TMusicHandle Music) = 0;
  // Starts Music in place of whatever music plays; Loop repeats it forever.
  virtual bool PlayMusic(TMusicHandle Music, bool Loop) = 0;
  virtual void StopMusic() = 0;
  virtual void SetMusicVolume(float Volume) = 0;  // 0..1
  // Length and play position in milliseconds; negative when not known.
  virtual double MusicLength(TMusicHandle Music) = 0;
  virtual double MusicPosition(TMusicHandle Music) = 0;
  virtual bool MusicPlaying() = 0;
};

// The SDL_mixer backend (Ogg Vorbis and the other formats SDL_mixer reads). Not opened yet.
std::shared_ptr<TSoundBackend> CreateSDLSoundBackend();
