#include "platform/files.h"

#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <system_error>
#include <utility>

#include "platform/latin1.h"

namespace fs = std::filesystem;

namespace {
std::optional<fs::path>& ProgramFolderSlot() {
  static std::optional<fs::path> Folder;
  return Folder;
}

std::vector<std::string> SplitName(std::string_view Name) {
  std::vector<std::string> Parts;
  std::string Cur;
  for (char C : Name) {
    if (C == '\\' || C == '/') {
      if (!Cur.empty()) Parts.push_back(Cur);
      Cur.clear();
    } else {
      Cur += C;
    }
  }
  if (!Cur.empty()) Parts.push_back(Cur);
  return Parts;
}

bool IsAbsoluteName(std::string_view Name) { return !Name.empty() && Name[0] == '/'; }

// One component: the exact name when it exists, else the first entry (in sorted order)
// that equals it without regard to case.
std::optional<fs::path> MatchComponent(const fs::path& Dir, const std::string& Part) {
  std::error_code Ec;
  fs::path Exact = Dir / Part;
  if (Part == "." || Part == ".." || fs::exists(fs::symlink_status(Exact, Ec))) return Exact;
  std::vector<std::string> Candidates;
  for (fs::directory_iterator It(Dir, Ec), End; !Ec && It != End; It.increment(Ec)) {
    std::string N = It->path().filename().string();
    if (SameTextAscii(N, Part)) Candidates.push_back(N);
  }
  if (Candidates.empty()) return std::nullopt;
  std::sort(Candidates.begin(), Candidates.end());
  return Dir / Candidates.front();
}
}  // namespace

const fs::path& ProgramFolder() {
  auto& Slot = ProgramFolderSlot();
  if (!Slot) {
    char* Base = SDL_GetBasePath();
    if (Base) {
      Slot = fs::path(Base);
      SDL_free(Base);
    } else {
      std::error_code Ec;
      Slot = fs::current_path(Ec);
    }
  }
  return *Slot;
}

void SetProgramFolder(const fs::path& Folder) { ProgramFolderSlot() = Folder; }

std::optional<fs::path> FindOnDisk(const fs::path& Root, std::string_view Name) {
  fs::path Cur = IsAbsoluteName(Name) ? fs::path("/") : Root;
  for (const std::string& Part : SplitName(Name)) {
    auto Next = MatchComponent(Cur, Part);
    if (!Next) return std::nullopt;
    Cur = *Next;
  }
  std::error_code Ec;
  if (!fs::exists(Cur, Ec)) return std::nullopt;
  return Cur;
}

std::optional<fs::path> FindOnDisk(std::string_view Name) { return FindOnDisk(ProgramFolder(), Name); }

fs::path DiskPathFor(const fs::path& Root, std::string_view Name) {
  fs::path Cur = IsAbsoluteName(Name) ? fs::path("/") : Root;
  bool Found = true;
  for (const std::string& Part : SplitName(Name)) {
    std::optional<fs::path> Next;
    if (Found) Next = MatchComponent(Cur, Part);
    if (Next) {
      Cur = *Next;
    } else {
      Found = false;
      Cur /= Part;
    }
  }
  return Cur;
}

fs::path DiskPathFor(std::string_view Name) { return DiskPathFor(ProgramFolder(), Name); }

bool IsRegularFile(const std::optional<fs::path>& Path) {
  std::error_code Ec;
  return Path && fs::is_regular_file(*Path, Ec);
}

bool IsFolder(const std::optional<fs::path>& Path) {
  std::error_code Ec;
  return Path && fs::is_directory(*Path, Ec);
}

std::vector<std::string> ListFolder(const fs::path& Folder, std::string_view Ext) {
  std::vector<std::string> Names;
  std::error_code Ec;
  for (fs::directory_iterator It(Folder, Ec), End; !Ec && It != End; It.increment(Ec)) {
    std::string N = It->path().filename().string();
    if (N.empty() || N[0] == '.') continue;
    std::error_code Ec2;
    if (!It->is_regular_file(Ec2)) continue;
    if (!Ext.empty()) {
      if (N.size() <= Ext.size() || !SameTextAscii(std::string_view(N).substr(N.size() - Ext.size()), Ext))
        continue;
    }
    Names.push_back(N);
  }
  std::sort(Names.begin(), Names.end(), [](const std::string& A, const std::string& B) {
    std::string LA = LowerAscii(A), LB = LowerAscii(B);
    return LA != LB ? LA < LB : A < B;
  });
  return Names;
}

std::optional<std::string> ReadWholeFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) return std::nullopt;
  std::ostringstream Buf;
  Buf << In.rdbuf();
  if (In.bad()) return std::nullopt;
  return Buf.str();
}

namespace {

// The temporary names of the game's own writes: the target's name, ".tmp" and the process id.
// A backup of a replaced file carries ".old" before that, so both fall under the same pattern.
fs::path TempNameFor(const fs::path& Path, std::string_view Infix = "") {
  fs::path Temp = Path;
  Temp += std::string(Infix) + ".tmp" + std::to_string(::getpid());
  return Temp;
}

std::string FailureText(const std::string& What, const fs::path& Path) {
  return What + " \"" + Path.string() + "\": " + std::strerror(errno);
}

// Writes Data to Temp, flushed and synced; on failure nothing is left at Temp.
bool WriteTemporary(const fs::path& Path, const fs::path& Temp, std::string_view Data, std::string* Error) {
  const auto Fail = [&](const std::string& What, int Fd) {
    const int Saved = errno;
    if (Fd >= 0) ::close(Fd);
    ::unlink(Temp.c_str());
    errno = Saved;
    if (Error) *Error = FailureText(What, Path);
    return false;
  };
  const int Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (Fd < 0) {
    if (Error) *Error = FailureText("Cannot create", Path);
    return false;
  }
  std::size_t Done = 0;
  while (Done < Data.size()) {
    const ssize_t N = ::write(Fd, Data.data() + Done, Data.size() - Done);
    if (N < 0) {
      if (errno == EINTR) continue;
      return Fail("Cannot write", Fd);
    }
    Done += static_cast<std::size_t>(N);
  }
  if (::fsync(Fd) != 0) return Fail("Cannot write", Fd);
  if (::close(Fd) != 0) return Fail("Cannot write", -1);
  return true;
}

TFileOperations& FileOperationsSlot() {
  static TFileOperations Operations;
  return Operations;
}

int CallLink(const char* From, const char* To) {
  const TFileOperations& Ops = FileOperationsSlot();
  return Ops.Link ? Ops.Link(From, To) : ::link(From, To);
}

int CallRename(const char* From, const char* To) {
  const TFileOperations& Ops = FileOperationsSlot();
  return Ops.Rename ? Ops.Rename(From, To) : ::rename(From, To);
}

// Keeps the content of Path at Backup before Path is replaced: a hard link where the file system
// has them (vfat, exFAT and many network mounts have none), else a copy, synced like any write.
bool BackUp(const fs::path& Path, const fs::path& Backup, std::string* Error) {
  ::unlink(Backup.c_str());
  if (CallLink(Path.c_str(), Backup.c_str()) == 0) return true;
  const std::optional<std::string> Old = ReadWholeFile(Path);
  if (!Old) {
    if (Error) *Error = FailureText("Cannot back up", Path);
    return false;
  }
  if (WriteTemporary(Path, Backup, *Old, nullptr)) return true;
  if (Error) *Error = FailureText("Cannot back up", Path);
  return false;
}

// Puts back the files replaced so far: each from its backup, a file that had none (it did not
// exist before) goes. A backup that cannot be put back stays on disk, and Error names it.
void RollBack(std::span<const TFileToWrite> Replaced, std::vector<fs::path>& Backups, std::string* Error) {
  for (std::size_t j = 0; j < Replaced.size(); ++j) {
    if (Backups[j].empty()) {
      ::unlink(Replaced[j].Path.c_str());
    } else if (CallRename(Backups[j].c_str(), Replaced[j].Path.c_str()) != 0) {
      if (Error) *Error += "; the old content stays in \"" + Backups[j].string() + "\"";
      Backups[j].clear();
    } else {
      Backups[j].clear();
    }
  }
}

}  // namespace

bool SafeWriteFile(const fs::path& Path, std::string_view Data, std::string* Error) {
  const TFileToWrite Files[] = {{Path, Data}};
  return SafeWriteFiles(Files, Error);
}

TFileOperations SetFileOperations(TFileOperations Operations) {
  std::swap(Operations, FileOperationsSlot());
  return Operations;
}

bool SafeWriteFiles(std::span<const TFileToWrite> Files, std::string* Error) {
  std::vector<fs::path> Temps;
  const auto DropTemps = [&] {
    for (const fs::path& Temp : Temps) ::unlink(Temp.c_str());
  };
  for (const TFileToWrite& File : Files) {
    Temps.push_back(TempNameFor(File.Path));
    if (!WriteTemporary(File.Path, Temps.back(), File.Data, Error)) {
      Temps.pop_back();
      DropTemps();
      return false;
    }
  }
  // Every file is whole on disk: now they replace the old ones, in order. A file replaced before
  // a later rename fails gets its old content back from a backup made before the first rename: a
  // hard link, or a copy where the file system has no links. A file that did not exist goes again.
  std::vector<fs::path> Backups(Files.size());
  const auto DropBackups = [&] {
    for (const fs::path& Backup : Backups)
      if (!Backup.empty()) ::unlink(Backup.c_str());
  };
  // A single file needs none: its one rename either happens or not.
  for (std::size_t i = 0; Files.size() > 1 && i < Files.size(); ++i) {
    if (::access(Files[i].Path.c_str(), F_OK) != 0) continue;
    Backups[i] = TempNameFor(Files[i].Path, ".old");
    if (BackUp(Files[i].Path, Backups[i], Error)) continue;
    // Without every backup the promise of the old files cannot be kept: nothing is replaced.
    Backups[i].clear();
    DropBackups();
    DropTemps();
    return false;
  }
  for (std::size_t i = 0; i < Files.size(); ++i) {
    const fs::path& Path = Files[i].Path;
    if (CallRename(Temps[i].c_str(), Path.c_str()) == 0) continue;
    if (Error) *Error = FailureText("Cannot replace", Path);
    const int Saved = errno;
    RollBack(Files.first(i), Backups, Error);
    for (std::size_t j = i; j < Files.size(); ++j) ::unlink(Temps[j].c_str());
    DropBackups();
    errno = Saved;
    return false;
  }
  DropBackups();
  return true;
}

bool IsStaleTemporaryName(std::string_view Name, std::string_view Ext) {
  const std::size_t At = Name.rfind(".tmp");
  if (At == std::string_view::npos || At + 4 == Name.size()) return false;
  const std::string_view Pid = Name.substr(At + 4);
  if (!std::all_of(Pid.begin(), Pid.end(), [](char C) { return C >= '0' && C <= '9'; })) return false;
  std::string_view Target = Name.substr(0, At);
  if (Target.size() > 4 && Target.substr(Target.size() - 4) == ".old") Target.remove_suffix(4);
  if (!Ext.empty() && (Target.size() < Ext.size() || !SameTextAscii(Target.substr(Target.size() - Ext.size()), Ext))) return false;
  // A number no process can have (0, or beyond a pid's range) was not written by a game: the
  // file is not ours. Such a number must never reach kill, where 0 and -1 name whole groups.
  errno = 0;
  const long long Process = std::strtoll(std::string(Pid).c_str(), nullptr, 10);
  if (errno == ERANGE || Process < 1 || Process > std::numeric_limits<pid_t>::max()) return false;
  // A write of another running game is still under way; a pid that no longer runs (or ours: this
  // process writes nothing while it lists) left its file behind.
  if (Process == ::getpid()) return true;
  return !(::kill(static_cast<pid_t>(Process), 0) == 0 || errno == EPERM);
}

std::int32_t RemoveStaleTemporaryFiles(const fs::path& Folder, std::initializer_list<std::string_view> Exts) {
  std::int32_t Removed = 0;
  std::error_code Ec;
  for (fs::directory_iterator It(Folder, Ec), End; !Ec && It != End; It.increment(Ec)) {
    if (!It->is_regular_file(Ec)) continue;
    const std::string Name = It->path().filename().string();
    for (std::string_view Ext : Exts)
      if (IsStaleTemporaryName(Name, Ext)) {
        std::error_code RemoveError;
        if (fs::remove(It->path(), RemoveError)) ++Removed;
        break;
      }
  }
  return Removed;
}

void DebugOutput(std::string_view Text) {
  static const bool Enabled = std::getenv("TARNOVA_DEBUG_OUTPUT") != nullptr;
  if (Enabled) std::cerr << Text << '\n';
}
