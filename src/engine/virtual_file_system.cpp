#include "engine/virtual_file_system.h"

#include "engine/engine_globals.h"
#include "engine/tagged_reader.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"

namespace fs = std::filesystem;

std::unique_ptr<TVirtualFileSystem> gVirtualFileSystem;

void TVirtualFile::SaveToStream(TStream& Dest) {
  if (!Owner || !Owner->PackageStream) throw ETarnovaError("TVirtualFile->SaveToStream->No package open");
  // Positions are signed 32-bit in the package format, so entries must lie below 2 GiB.
  if (Offset > 0x7FFFFFFF) throw ERangeError("TVirtualFile->SaveToStream->Offset out of range");
  Owner->PackageStream->Seek(Offset);
  if (auto* Memory = dynamic_cast<TMemoryStream*>(&Dest)) {
    // Straight from the file into the buffer, which grows once: no staging block between them.
    auto& Bytes = Memory->Bytes();
    const auto At = static_cast<std::size_t>(Memory->Position());
    const auto Count = static_cast<std::size_t>(Size);
    if (At + Count > Bytes.size()) Bytes.resize(At + Count);
    Owner->PackageStream->ReadExact(Bytes.data() + At, Count);
    Memory->Seek(static_cast<std::int64_t>(At + Count));
    return;
  }
  Owner->PackageStream->CopyTo(Dest, Size);
}

TVirtualFileSystem::TVirtualFileSystem() : RootFolder(ProgramFolder()) {}
TVirtualFileSystem::TVirtualFileSystem(fs::path Root) : RootFolder(std::move(Root)) {}
TVirtualFileSystem::~TVirtualFileSystem() = default;

void TVirtualFileSystem::Open(const std::string& FileName) {
  auto Path = FindOnDisk(RootFolder, FileName);
  if (!IsRegularFile(Path)) return;

  // The directory is read aside; the package open before is replaced only when it reads whole.
  std::vector<std::unique_ptr<TVirtualFile>> Read;
  auto Stream = std::make_unique<TFileStream>(*Path);
  try {
    TTaggedReader Reader(*Stream);
    std::int32_t Count = Reader.ReadInteger();
    if (Count < 0 || Count > 32767) throw ERangeError("Range check error: entry count " + std::to_string(Count));
    Read.reserve(static_cast<std::size_t>(Count));
    for (std::int32_t i = 0; i < Count; ++i) {
      auto F = std::make_unique<TVirtualFile>();
      F->Owner = this;
      F->Name = Reader.ReadString();
      F->Ext = Reader.ReadString();
      F->Path = Reader.ReadString();
      F->Offset = Reader.ReadInt64();
      F->Size = Reader.ReadInt64();
      // A directory that points outside the file is refused here, not half-way through a game.
      if (F->Offset < 0 || F->Size < 0 || F->Offset > Stream->Size() || F->Size > Stream->Size() - F->Offset)
        throw ERangeError("Entry \"" + F->FullName() + "\" lies outside the package");
      Read.push_back(std::move(F));
    }
  } catch (const std::exception& E) {
    throw ETarnovaError("TVirtualFileSystem->Open->\"" + FileName + "\" is damaged: " + E.what());
  }
  std::unordered_map<std::string, TVirtualFile*> Names;
  for (auto& F : Read) Names.try_emplace(LowerAscii(F->FullName()), F.get());
  Entries = std::move(Read);
  ByLowerName = std::move(Names);
  PackageStream = std::move(Stream);
}

TVirtualFile* TVirtualFileSystem::FindFile(const std::string& FullName) const {
  auto It = ByLowerName.find(LowerAscii(FullName));
  return It == ByLowerName.end() ? nullptr : It->second;
}

std::optional<fs::path> TVirtualFileSystem::DiskPath(const std::string& Name) const {
  return FindOnDisk(RootFolder, Name);
}

bool TVirtualFileSystem::FolderExists(const std::string& Folder) const { return IsFolder(DiskPath(Folder)); }

bool TVirtualFileSystem::FileExists(const std::string& FullName) const {
  return IsRegularFile(DiskPath(FullName)) || FindFile(FullName) != nullptr;
}

bool TVirtualFileSystem::ExtractFile(const std::string& FullName, TStream& Dest) {
  DebugOutput(FullName);
  TVirtualFile* F = FindFile(FullName);
  if (!F) return false;
  F->SaveToStream(Dest);
  Dest.Seek(0);
  return true;
}

void TVirtualFileSystem::ListDirectory(const std::string& Folder, const std::string& Ext, TFileNameList& Names) const {
  auto Path = DiskPath(Folder);
  if (!IsFolder(Path)) return;
  for (auto& N : ListFolder(*Path, Ext)) Names.push_back(N);
}

namespace {
// A listing compares folder and extension exactly, letter case included (unlike a lookup by full
// name); only the kind of slash does not count.
std::string BackslashName(std::string Name) {
  for (char& C : Name)
    if (C == '/') C = '\\';
  return Name;
}
bool InFolder(const TVirtualFile& F, const std::string& Path, const std::string& Ext) {
  return BackslashName(F.Path) == Path && (Ext.empty() || F.Ext == Ext);
}
}  // namespace

void TVirtualFileSystem::ListFiles(const std::string& Path, const std::string& Ext, TFileList& Out) const {
  Out.clear();
  const std::string P = BackslashName(Path);
  for (auto& F : Entries)
    if (InFolder(*F, P, Ext)) Out.push_back(F.get());
}

void TVirtualFileSystem::ListFileNames(const std::string& Path, const std::string& Ext, TFileNameList& Names) const {
  Names.clear();
  const std::string P = BackslashName(Path);
  for (auto& F : Entries)
    if (InFolder(*F, P, Ext)) Names.push_back(F->Name);
}

void TVirtualFileSystem::LoadXML(const std::string& FileName, TXMLDocument& Document) {
  auto Path = DiskPath(FileName);
  if (IsRegularFile(Path)) {
    Document.LoadFromFile(*Path);
    return;
  }
  TMemoryStream Bytes;
  if (ExtractFile(FileName, Bytes)) {
    Document.LoadFromMemory(Bytes.Bytes().data(), Bytes.Bytes().size(), FileName);
    return;
  }
  throw ETarnovaError("TVirtualFileSystem->LoadXML->File \"" + FileName + "\" not found in VFS");
}

std::optional<std::string> TVirtualFileSystem::ReadFile(const std::string& FullName) {
  auto Path = DiskPath(FullName);
  if (IsRegularFile(Path)) return ReadWholeFile(*Path);
  TMemoryStream Bytes;
  if (!ExtractFile(FullName, Bytes)) return std::nullopt;
  return std::string(Bytes.Bytes().begin(), Bytes.Bytes().end());
}

const fs::path& DiskRoot() { return gVirtualFileSystem ? gVirtualFileSystem->Root() : ProgramFolder(); }
