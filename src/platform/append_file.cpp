#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
bool Fail(std::string* Error, const char* What, const std::string& Name) {
  if (Error) *Error = std::string(What) + " \"" + Name + "\": " + std::strerror(errno);
  return false;
}
}  // namespace

TAppendFile::~TAppendFile() { Close(); }

bool TAppendFile::Open(const std::filesystem::path& Path, std::string* Error) {
  Close();
  Name = Path.string();
  Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  return Fd >= 0 || Fail(Error, "Cannot open", Name);
}

bool TAppendFile::Append(std::string_view Text, std::string* Error) {
  if (Fd < 0) {
    errno = EBADF;
    return Fail(Error, "Cannot write", Name);
  }
  while (!Text.empty()) {
    const ssize_t N = ::write(Fd, Text.data(), Text.size());
    if (N < 0) {
      if (errno == EINTR) continue;
      return Fail(Error, "Cannot write", Name);
    }
    if (N == 0) {
      errno = EIO;
      return Fail(Error, "Cannot write", Name);
    }
    Text.remove_prefix(static_cast<std::size_t>(N));
  }
  return true;
}

bool TAppendFile::Sync(std::string* Error) {
  if (Fd < 0) {
    errno = EBADF;
    return Fail(Error, "Cannot sync", Name);
  }
  return ::fsync(Fd) == 0 || Fail(Error, "Cannot sync", Name);
}

void TAppendFile::Close() {
  if (Fd >= 0) ::close(Fd);
  Fd = -1;
}
