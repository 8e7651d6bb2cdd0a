#include "package_writer.h"

#include <algorithm>
#include <stdexcept>

#include "platform/files.h"
#include "tagged_writer.h"

namespace fs = std::filesystem;

std::string BuildPackage(const std::vector<TPackageEntry>& Entries) {
  if (Entries.size() > 32767) throw std::length_error("BuildPackage: more than 32767 entries");
  // Offsets are written as 64-bit values (tag 19, 9 bytes each), so the directory's length does
  // not depend on them and can be measured with placeholder offsets first.
  auto Directory = [&](const std::vector<std::int64_t>& Offsets) {
    TTaggedWriter W;
    W.WriteInteger(static_cast<std::int32_t>(Entries.size()));
    for (std::size_t i = 0; i < Entries.size(); ++i) {
      W.WriteString(Entries[i].Name);
      W.WriteString(Entries[i].Ext);
      W.WriteString(Entries[i].Path);
      W.WriteInt64(Offsets[i]);
      W.WriteInt64(static_cast<std::int64_t>(Entries[i].Data.size()));
    }
    return W.Bytes();
  };
  std::vector<std::int64_t> Offsets(Entries.size(), 0);
  std::int64_t Pos = static_cast<std::int64_t>(Directory(Offsets).size());
  for (std::size_t i = 0; i < Entries.size(); ++i) {
    Offsets[i] = Pos;
    Pos += static_cast<std::int64_t>(Entries[i].Data.size());
  }
  if (Pos > 0x7FFFFFFF) throw std::length_error("BuildPackage: package larger than 2 GiB");
  std::string Out = Directory(Offsets);
  Out.reserve(static_cast<std::size_t>(Pos));
  for (auto& E : Entries) Out += E.Data;
  return Out;
}

TPackageEntry MakePackageEntry(const std::string& FullName, std::string Data) {
  TPackageEntry E;
  std::string N = FullName;
  std::replace(N.begin(), N.end(), '/', '\\');
  std::size_t Slash = N.rfind('\\');
  E.Path = Slash == std::string::npos ? "" : N.substr(0, Slash + 1);
  std::string File = N.substr(Slash == std::string::npos ? 0 : Slash + 1);
  std::size_t Dot = File.rfind('.');
  E.Name = Dot == std::string::npos ? File : File.substr(0, Dot);
  E.Ext = Dot == std::string::npos ? "" : File.substr(Dot);
  E.Data = std::move(Data);
  return E;
}

std::vector<TPackageEntry> CollectFolder(const fs::path& Root, const std::string& Folder) {
  std::vector<std::string> Names;
  fs::path Base = Root / Folder;
  for (auto It = fs::recursive_directory_iterator(Base); It != fs::recursive_directory_iterator(); ++It) {
    std::string Leaf = It->path().filename().string();
    if (!Leaf.empty() && Leaf[0] == '.') {
      if (It->is_directory()) It.disable_recursion_pending();
      continue;
    }
    if (It->is_regular_file()) Names.push_back(fs::relative(It->path(), Root).generic_string());
  }
  std::sort(Names.begin(), Names.end());
  std::vector<TPackageEntry> Entries;
  for (auto& N : Names) {
    auto Bytes = ReadWholeFile(Root / N);
    if (!Bytes) throw std::runtime_error("Cannot read \"" + (Root / N).string() + "\"");
    Entries.push_back(MakePackageEntry(N, std::move(*Bytes)));
  }
  return Entries;
}
