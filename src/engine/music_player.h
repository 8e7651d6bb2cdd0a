#pragma once
// The background music: the tracks of "data\music\" streamed one after another in random order,
// each fading out over its last seconds while the next fades in, and the special tracks of
// "data\music\special\" for the end of a game. Plays through the sound system's backend
// (shared, not owned here). Missing music is logged once and leaves the game silent.
#include <memory>
#include <string>
#include <vector>

#include "platform/sound_backend.h"

class TMusicPlayer {
public:
  // Without a backend (sound off) the player keeps its lists and plays nothing.
  explicit TMusicPlayer(std::shared_ptr<TSoundBackend> System);
  ~TMusicPlayer();
  TMusicPlayer(const TMusicPlayer&) = delete;
  TMusicPlayer& operator=(const TMusicPlayer&) = delete;

  // Loose ".ogg" files of Folder (full names with extension) when the folder is on disk,
  // else the package's (folder + name, without extension).
  void BuildTrackList(const std::string& Folder);
  // File names with ".ogg", without folder; remembers Folder.
  void BuildSpecialTrackList(const std::string& Folder);
  // Plays Tracks[Index]; -1 picks one at random through the game's generator.
  void PlayTrack(int Index);
  // Plays a special track by file name ("game_won.ogg", any letter case).
  void PlaySpecialTrack(const std::string& Name);
  // Fades and track changes; FrameTime in milliseconds. Called every frame while music is on.
  void Update(float FrameTime);
  void SetVolume(float Value);
  void Stop();

  std::vector<std::string> Tracks;
  std::vector<std::string> SpecialTracks;
  std::string SpecialFolder;
  int CurrentTrack = 0;
  TMusicHandle Sound = 0;   // the current stream, 0 for none
  float Volume = 0.0f;      // 0..1, the target of a fade-in
  float CurrentVolume = 0.0f;
  float FadeDirection = 0.0f;  // -1 fading out, +1 fading in, 0 none

  // Milliseconds before the end of a track at which its fade-out starts, and of a full fade.
  static constexpr double kFadeOutLead = 4000.0;
  static constexpr double kFadeTime = 1500.0;

private:
  void ReleaseSound();
  // Streams File (a disk or package name); false when it was found nowhere.
  bool StartStream(const std::string& File, const std::string& PackageName);

  std::shared_ptr<TSoundBackend> Backend;
};
