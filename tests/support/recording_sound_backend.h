#pragma once
// A sound backend that plays nothing and records every call, one line each, so tests can check
// what the sound system and the music player asked for. Music length, position and "playing"
// are set by the test.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sound_backend.h"

class TRecordingSoundBackend : public TSoundBackend {
public:
  bool Open(int Channels, const TBackendLogProc& Log) override;
  void Close() override;
  std::string LastError() const override { return "decoder refused it"; }
  void Update() override;
  TSoundHandle LoadSound(const std::filesystem::path& File) override;
  TSoundHandle LoadSoundFromMemory(const void* Data, std::size_t Size) override;
  int PlaySound(TSoundHandle Sound, bool Loop, float Volume) override;
  TMusicHandle LoadMusic(const std::filesystem::path& File) override;
  TMusicHandle LoadMusicFromMemory(const void* Data, std::size_t Size) override;
  void FreeMusic(TMusicHandle Music) override;
  bool PlayMusic(TMusicHandle Music, bool Loop) override;
  void StopMusic() override;
  void SetMusicVolume(float Volume) override;
  double MusicLength(TMusicHandle Music) override;
  double MusicPosition(TMusicHandle Music) override;
  bool MusicPlaying() override;

  // Lines such as "LoadSound NextTurn.ogg", "PlaySound 1 loop=0 volume=0.50", "PlayMusic 3 loop=1".
  std::vector<std::string> Calls;
  // Lines that start with Prefix.
  std::vector<std::string> CallsStartingWith(const std::string& Prefix) const;
  void ClearCalls() { Calls.clear(); }

  bool OpenFails = false;
  std::set<std::string> Undecodable;  // file names (or memory contents) that fail to decode
  std::map<TSoundHandle, std::string> SoundSources;  // handle -> file name or memory contents
  std::map<TMusicHandle, std::string> MusicSources;
  std::set<TMusicHandle> LiveMusic;
  TMusicHandle PlayingMusic = 0;  // 0 when none plays
  double Length = 60000.0;        // of every stream, ms
  double Position = 0.0;          // of the playing stream, ms
  float MusicVolume = 1.0f;
  bool Opened = false;

private:
  TSoundHandle LastHandle = 0;
};
