#include "engine/music_player.h"

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "engine/virtual_file_system.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/random.h"

namespace {
// The ".ogg" files of Folder on disk, or none when the folder is not there.
bool ListDiskTracks(const std::string& Folder, std::vector<std::string>& Files) {
  auto Path = FindOnDisk(DiskRoot(), Folder);
  if (!IsFolder(Path)) return false;
  Files = ListFolder(*Path, ".ogg");
  return true;
}
}  // namespace

TMusicPlayer::TMusicPlayer(std::shared_ptr<TSoundBackend> System) : Backend(std::move(System)) {}

TMusicPlayer::~TMusicPlayer() { ReleaseSound(); }

void TMusicPlayer::ReleaseSound() {
  // The handle is cleared with the stream, so nothing later asks about or frees it again.
  if (Sound && Backend) Backend->FreeMusic(Sound);
  Sound = 0;
}

void TMusicPlayer::BuildTrackList(const std::string& Folder) {
  Tracks.clear();
  std::vector<std::string> Files;
  if (ListDiskTracks(Folder, Files)) {
    for (const std::string& F : Files) Tracks.push_back(Folder + F);
  } else if (gVirtualFileSystem) {
    TFileNameList Names;
    gVirtualFileSystem->ListFileNames(Folder, ".ogg", Names);
    for (const std::string& N : Names) Tracks.push_back(Folder + N);
  }
}

void TMusicPlayer::BuildSpecialTrackList(const std::string& Folder) {
  SpecialTracks.clear();
  SpecialFolder = Folder;
  std::vector<std::string> Files;
  if (ListDiskTracks(Folder, Files)) {
    SpecialTracks = Files;
  } else if (gVirtualFileSystem) {
    TFileNameList Names;
    gVirtualFileSystem->ListFileNames(Folder, ".ogg", Names);
    for (const std::string& N : Names) {
      DebugOutput(N + ".ogg");
      SpecialTracks.push_back(N + ".ogg");
    }
  }
}

bool TMusicPlayer::StartStream(const std::string& File, const std::string& PackageName) {
  if (!Backend) return false;
  TMusicHandle H = 0;
  bool Loop = false;
  auto Path = FindOnDisk(DiskRoot(), File);
  if (IsRegularFile(Path)) {
    H = Backend->LoadMusic(*Path);
    Loop = true;
  } else if (gVirtualFileSystem && gVirtualFileSystem->FileExists(PackageName)) {
    DebugOutput("Streaming from VFS : " + File);
    TVirtualFile* Entry = gVirtualFileSystem->FindFile(PackageName);
    if (!Entry) {
      LogOnce("TFMODMusicPlayer->PlayTrack->Could not find track \"" + PackageName + "\" in virtual file system!");
      return false;
    }
    // The stream reads from the entry's buffer while it plays; the buffer lives with the entry.
    Entry->Buffer.Clear();
    Entry->SaveToStream(Entry->Buffer);
    H = Backend->LoadMusicFromMemory(Entry->Buffer.Bytes().data(), Entry->Buffer.Bytes().size());
  } else {
    return false;
  }
  if (!H) {
    LogOnce("TFMODMusicPlayer->PlayTrack->Could not play \"" + File + "\": " + Backend->LastError());
    return false;
  }
  Sound = H;
  Backend->PlayMusic(Sound, Loop);
  return true;
}

void TMusicPlayer::PlayTrack(int Index) {
  if (Tracks.empty()) {
    // Music is optional: an empty music folder leaves the game silent.
    LogOnce("TFMODMusicPlayer->PlayTrack->No tracks in list!");
    return;
  }
  if (Index == -1) Index = Random(static_cast<std::int32_t>(Tracks.size()));
  const std::string& T = At(Tracks, Index, "TMusicPlayer->PlayTrack");
  ReleaseSound();
  if (StartStream(T, T + ".ogg")) CurrentTrack = Index;
}

void TMusicPlayer::PlaySpecialTrack(const std::string& Name) {
  if (SpecialTracks.empty()) {
    LogOnce("TFMODMusicPlayer->PlaySpecialTrack->No tracks in list!");
    return;
  }
  for (const std::string& Line : SpecialTracks) {
    if (!SameTextAscii(Line, Name)) continue;
    ReleaseSound();
    std::string F = SpecialFolder + Line;
    StartStream(F, F);
    return;
  }
  LogOnce("TFMODMusicPlayer->PlaySpecialTrack->Track \"" + Name + "\" not found!");
}

void TMusicPlayer::Update(float FrameTime) {
  if (!Backend) return;
  // A track that is gone or has stopped counts as ended, so the next one starts.
  bool NearEnd = true;
  if (Sound && Backend->MusicPlaying()) {
    double Length = Backend->MusicLength(Sound);
    double Position = Backend->MusicPosition(Sound);
    // Signed: a track shorter than the lead fades out at once.
    NearEnd = Length >= 0 && Position >= 0 && Position >= Length - kFadeOutLead;
  }
  if (NearEnd && FadeDirection != -1.0f) {
    CurrentVolume = Volume;
    FadeDirection = -1.0f;
  }
  if (FadeDirection == 0.0f) return;
  CurrentVolume = static_cast<float>(CurrentVolume + FrameTime / kFadeTime * FadeDirection);
  if (FadeDirection < 0 && CurrentVolume < 0.0f) {
    CurrentVolume = 0.0f;
    PlayTrack(-1);
    FadeDirection = 1.0f;
  }
  if (FadeDirection > 0 && CurrentVolume > Volume) {
    FadeDirection = 0.0f;
    CurrentVolume = Volume;
  }
  Backend->SetMusicVolume(CurrentVolume);
}

void TMusicPlayer::SetVolume(float Value) {
  if (Backend) Backend->SetMusicVolume(Value);
  Volume = Value;
}

void TMusicPlayer::Stop() {
  if (Backend) Backend->StopMusic();
}

std::unique_ptr<TMusicPlayer> gMusicPlayer;
