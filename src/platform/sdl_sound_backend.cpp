// The SDL_mixer sound backend. Sounds are Mix_Chunks decoded at load time; music is one
// Mix_Music stream at a time. Mix_Music objects must be freed before the device closes, so the
// backend keeps them all and Close frees whatever its users have not.
#include <SDL.h>
#include <SDL_mixer.h>

#include <map>

#include "platform/rounding.h"
#include "platform/sound_backend.h"

namespace {

int MixVolume(float Volume) {
  if (!(Volume > 0.0f)) return 0;
  if (Volume >= 1.0f) return MIX_MAX_VOLUME;
  return RoundToInt(static_cast<double>(Volume) * MIX_MAX_VOLUME);
}

class TSDLSoundBackend : public TSoundBackend {
public:
  ~TSDLSoundBackend() override { Close(); }

  bool Open(int Channels, const TBackendLogProc& Log) override {
    Close();
    if (OpenDevice(nullptr)) {
      FinishOpen(Channels);
      return true;
    }
    // No sound card (a server, CI): the dummy driver accepts everything and plays silence,
    // so the game runs the same without one.
    std::string Why = LastError();
    if (Log) Log("TFMODSoundSystem->Create->No audio device (" + Why + "), using the silent dummy driver");
    if (OpenDevice("dummy")) {
      FinishOpen(Channels);
      return true;
    }
    return false;
  }

  void Close() override {
    if (!Opened) return;
    Mix_HaltMusic();
    for (auto& [H, M] : Musics) Mix_FreeMusic(M);
    Musics.clear();
    Mix_HaltChannel(-1);
    for (auto& [H, C] : Chunks) Mix_FreeChunk(C);
    Chunks.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Opened = false;
  }

  std::string LastError() const override { return Mix_GetError(); }
  void Update() override {}

  TSoundHandle LoadSound(const std::filesystem::path& File) override {
    if (!Opened) return 0;
    return AddChunk(Mix_LoadWAV(File.string().c_str()));
  }

  TSoundHandle LoadSoundFromMemory(const void* Data, std::size_t Size) override {
    if (!Opened || Size > 0x7FFFFFFF) return 0;
    SDL_RWops* Ops = SDL_RWFromConstMem(Data, static_cast<int>(Size));
    if (!Ops) return 0;
    // Decodes fully and closes Ops, so the bytes may go right after.
    return AddChunk(Mix_LoadWAV_RW(Ops, 1));
  }

  int PlaySound(TSoundHandle Sound, bool Loop, float Volume) override {
    auto It = Chunks.find(Sound);
    if (It == Chunks.end()) return -1;
    // Set the volume before the channel starts, so no buffer is mixed at the old volume.
    int Channel = Mix_GroupAvailable(-1);
    if (Channel < 0) return -1;
    Mix_Volume(Channel, MixVolume(Volume));
    return Mix_PlayChannel(Channel, It->second, Loop ? -1 : 0);
  }

  TMusicHandle LoadMusic(const std::filesystem::path& File) override {
    if (!Opened) return 0;
    return AddMusic(Mix_LoadMUS(File.string().c_str()));
  }

  TMusicHandle LoadMusicFromMemory(const void* Data, std::size_t Size) override {
    if (!Opened || Size > 0x7FFFFFFF) return 0;
    SDL_RWops* Ops = SDL_RWFromConstMem(Data, static_cast<int>(Size));
    if (!Ops) return 0;
    return AddMusic(Mix_LoadMUS_RW(Ops, 1));
  }

  void FreeMusic(TMusicHandle Music) override {
    auto It = Musics.find(Music);
    if (It == Musics.end()) return;
    Mix_FreeMusic(It->second);  // halts it first when it is the one playing
    Musics.erase(It);
  }

  bool PlayMusic(TMusicHandle Music, bool Loop) override {
    auto It = Musics.find(Music);
    if (It == Musics.end()) return false;
    return Mix_PlayMusic(It->second, Loop ? -1 : 0) == 0;
  }

  void StopMusic() override {
    if (Opened) Mix_HaltMusic();
  }

  void SetMusicVolume(float Volume) override {
    if (Opened) Mix_VolumeMusic(MixVolume(Volume));
  }

  double MusicLength(TMusicHandle Music) override {
    auto It = Musics.find(Music);
    if (It == Musics.end()) return -1.0;
    double Seconds = Mix_MusicDuration(It->second);
    return Seconds < 0 ? -1.0 : Seconds * 1000.0;
  }

  double MusicPosition(TMusicHandle Music) override {
    auto It = Musics.find(Music);
    if (It == Musics.end()) return -1.0;
    double Seconds = Mix_GetMusicPosition(It->second);
    return Seconds < 0 ? -1.0 : Seconds * 1000.0;
  }

  bool MusicPlaying() override { return Opened && Mix_PlayingMusic() != 0; }

private:
  bool OpenDevice(const char* Driver) {
    // Override, so an SDL_AUDIODRIVER naming a driver that failed does not win again.
    if (Driver) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, Driver, SDL_HINT_OVERRIDE);
    bool Ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (Ok) {
      Mix_Init(MIX_INIT_OGG);
      Ok = Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
      if (!Ok) {
        std::string Why = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_SetError("%s", Why.c_str());
      }
    }
    if (Driver) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return Ok;
  }

  void FinishOpen(int Channels) {
    Mix_AllocateChannels(Channels);
    Opened = true;
  }

  TSoundHandle AddChunk(Mix_Chunk* Chunk) {
    if (!Chunk) return 0;
    Chunks[++LastHandle] = Chunk;
    return LastHandle;
  }

  TMusicHandle AddMusic(Mix_Music* Music) {
    if (!Music) return 0;
    Musics[++LastHandle] = Music;
    return LastHandle;
  }

  bool Opened = false;
  std::uint32_t LastHandle = 0;
  std::map<TSoundHandle, Mix_Chunk*> Chunks;
  std::map<TMusicHandle, Mix_Music*> Musics;
};

}  // namespace

std::shared_ptr<TSoundBackend> CreateSDLSoundBackend() { return std::make_shared<TSDLSoundBackend>(); }
