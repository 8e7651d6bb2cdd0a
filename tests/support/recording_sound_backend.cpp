#include "support/recording_sound_backend.h"

#include <cstdio>

namespace {
std::string Fixed2(double V) {
  char B[32];
  std::snprintf(B, sizeof B, "%.2f", V);
  return B;
}
}  // namespace

bool TRecordingSoundBackend::Open(int Channels, const TBackendLogProc& Log) {
  Calls.push_back("Open " + std::to_string(Channels));
  Opened = !OpenFails;
  return Opened;
}

void TRecordingSoundBackend::Close() {
  Calls.push_back("Close");
  LiveMusic.clear();
  PlayingMusic = 0;
  Opened = false;
}

void TRecordingSoundBackend::Update() { Calls.push_back("Update"); }

TSoundHandle TRecordingSoundBackend::LoadSound(const std::filesystem::path& File) {
  std::string Name = File.filename().string();
  Calls.push_back("LoadSound " + Name);
  if (Undecodable.count(Name)) return 0;
  SoundSources[++LastHandle] = Name;
  return LastHandle;
}

TSoundHandle TRecordingSoundBackend::LoadSoundFromMemory(const void* Data, std::size_t Size) {
  std::string Bytes(static_cast<const char*>(Data), Size);
  Calls.push_back("LoadSoundFromMemory " + Bytes);
  if (Undecodable.count(Bytes)) return 0;
  SoundSources[++LastHandle] = Bytes;
  return LastHandle;
}

int TRecordingSoundBackend::PlaySound(TSoundHandle Sound, bool Loop, float Volume) {
  Calls.push_back("PlaySound " + std::to_string(Sound) + " loop=" + std::to_string(Loop) + " volume=" + Fixed2(Volume));
  return SoundSources.count(Sound) ? 0 : -1;
}

TMusicHandle TRecordingSoundBackend::LoadMusic(const std::filesystem::path& File) {
  std::string Name = File.filename().string();
  Calls.push_back("LoadMusic " + Name);
  if (Undecodable.count(Name)) return 0;
  MusicSources[++LastHandle] = Name;
  LiveMusic.insert(LastHandle);
  return LastHandle;
}

TMusicHandle TRecordingSoundBackend::LoadMusicFromMemory(const void* Data, std::size_t Size) {
  std::string Bytes(static_cast<const char*>(Data), Size);
  Calls.push_back("LoadMusicFromMemory " + Bytes);
  if (Undecodable.count(Bytes)) return 0;
  MusicSources[++LastHandle] = Bytes;
  LiveMusic.insert(LastHandle);
  return LastHandle;
}

void TRecordingSoundBackend::FreeMusic(TMusicHandle Music) {
  Calls.push_back("FreeMusic " + std::to_string(Music));
  if (!LiveMusic.count(Music)) Calls.push_back("ERROR FreeMusic of a handle that is not live");
  LiveMusic.erase(Music);
  if (PlayingMusic == Music) PlayingMusic = 0;
}

bool TRecordingSoundBackend::PlayMusic(TMusicHandle Music, bool Loop) {
  Calls.push_back("PlayMusic " + std::to_string(Music) + " loop=" + std::to_string(Loop));
  if (!LiveMusic.count(Music)) return false;
  PlayingMusic = Music;
  Position = 0.0;
  return true;
}

void TRecordingSoundBackend::StopMusic() {
  Calls.push_back("StopMusic");
  PlayingMusic = 0;
}

void TRecordingSoundBackend::SetMusicVolume(float Volume) {
  Calls.push_back("SetMusicVolume " + Fixed2(Volume));
  MusicVolume = Volume;
}

double TRecordingSoundBackend::MusicLength(TMusicHandle Music) {
  if (!LiveMusic.count(Music)) Calls.push_back("ERROR MusicLength of a handle that is not live");
  return LiveMusic.count(Music) ? Length : -1.0;
}

double TRecordingSoundBackend::MusicPosition(TMusicHandle Music) {
  if (!LiveMusic.count(Music)) Calls.push_back("ERROR MusicPosition of a handle that is not live");
  return LiveMusic.count(Music) ? Position : -1.0;
}

bool TRecordingSoundBackend::MusicPlaying() { return PlayingMusic != 0; }

std::vector<std::string> TRecordingSoundBackend::CallsStartingWith(const std::string& Prefix) const {
  std::vector<std::string> Out;
  for (const auto& C : Calls)
    if (C.rfind(Prefix, 0) == 0) Out.push_back(C);
  return Out;
}
