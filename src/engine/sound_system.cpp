#include "engine/sound_system.h"

#include "engine/engine_globals.h"
#include "engine/streams.h"
#include "engine/virtual_file_system.h"
#include "platform/files.h"
#include "platform/latin1.h"

TSoundSystem::TSoundSystem(bool NoSound, TLogProc Proc, std::shared_ptr<TSoundBackend> UseBackend) {
  if (NoSound) {
    SoundDisabled = true;
    return;
  }
  LogProc = std::move(Proc);
  Backend = UseBackend ? std::move(UseBackend) : CreateSDLSoundBackend();
  Log("TFMODSoundSystem->Initializing...");
  if (!Backend->Open(kChannels, [this](const std::string& Line) { Log(Line); })) {
    // The object stays in use: the backend without a device loads and plays nothing, and the
    // shut-down is logged as after a good start.
    Log("TFMODSoundSystem->Create->Could not initialize FMOD!");
    Log("TFMODSoundSystem->Create->" + Backend->LastError());
    return;
  }
  Log("TFMODSoundSystem->Successfully initialized");
}

TSoundSystem::~TSoundSystem() {
  if (SoundDisabled) return;
  Log("TfmodSoundSystem->Shutting down...");
  Backend->Close();
}

void TSoundSystem::Log(const std::string& Msg) {
  if (LogProc) LogProc(Msg, true);
}

void TSoundSystem::Update() {
  if (!SoundDisabled) Backend->Update();
}

void TSoundSystem::AddSound(const std::filesystem::path& FileName, const std::string& Name) {
  if (SoundDisabled) return;
  TSoundHandle H = Backend->LoadSound(FileName);
  if (!H) {
    // A sound that cannot be decoded is left out rather than kept as a dead entry.
    Log("TFMODSoundSystem->AddSound->Could not load \"" + FileName.string() + "\": " + Backend->LastError());
    return;
  }
  Sounds.push_back(H);
  SoundNames.push_back(Name);
  Looping.push_back(false);
}

void TSoundSystem::AddSoundFromStream(const TMemoryStream& Stream, const std::string& Name) {
  if (SoundDisabled) return;
  const auto& Bytes = Stream.Bytes();
  TSoundHandle H = Backend->LoadSoundFromMemory(Bytes.data(), Bytes.size());
  if (!H) {
    Log("TFMODSoundSystem->AddSoundFromStream->Could not load \"" + Name + "\": " + Backend->LastError());
    return;
  }
  Sounds.push_back(H);
  SoundNames.push_back(Name);
  Looping.push_back(false);
}

void TSoundSystem::LoadSounds(const std::string& Folder, const std::string& Ext) {
  if (SoundDisabled) return;
  auto Path = FindOnDisk(DiskRoot(), Folder);
  if (IsFolder(Path)) {
    for (const std::string& File : ListFolder(*Path, Ext)) AddSound(*Path / File, File.substr(0, File.find('.')));
    return;
  }
  if (!gVirtualFileSystem) return;
  TFileNameList Names;
  gVirtualFileSystem->ListFileNames(Folder, Ext, Names);
  for (const std::string& Name : Names) {
    TMemoryStream Stream;
    if (gVirtualFileSystem->ExtractFile(Folder + Name + Ext, Stream)) AddSoundFromStream(Stream, Name);
  }
}

void TSoundSystem::PlaySound(const std::string& Name, bool Loop) {
  if (SoundDisabled || !Enabled) return;
  for (std::size_t i = 0; i < SoundNames.size(); ++i) {
    if (!SameTextAscii(SoundNames[i], Name)) continue;
    if (Loop) Looping[i] = true;
    Backend->PlaySound(Sounds[i], Looping[i], Volume);
    return;
  }
  // A missing sound file must not end the game the first time its event happens.
  if (UnknownNamesLogged.insert(LowerAscii(Name)).second)
    Log("TFMODSoundSystem->PlaySound->Sound \"" + Name + "\" not loaded!");
}

std::unique_ptr<TSoundSystem> gSoundSystem;
