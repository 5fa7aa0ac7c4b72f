#include "log/TLoadedFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "log/RegularFile.h"

namespace {

// Enough to tell a rewritten log by its header or its last lines, few enough
// to read at every follow step.
constexpr std::uint64_t kEdgeBytes = 512;

// The file's device, inode and size; none when it cannot be looked at.
struct TFileStatus {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::uint64_t Size = 0;
};

std::optional<TFileStatus> StatusOf(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    return std::nullopt;
  }
  return TFileStatus{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
                     static_cast<std::uint64_t>(status.st_size)};
}

std::string HeadOf(int fd, std::uint64_t loaded) { return ReadFileAt(fd, 0, std::min(loaded, kEdgeBytes)); }

std::string TailOf(int fd, std::uint64_t loaded) {
  const std::uint64_t size = std::min(loaded, kEdgeBytes);
  return ReadFileAt(fd, loaded - size, size);
}

}  // namespace

TLoadedFile NoteLoadedFile(int fd, std::uint64_t loaded) {
  const TFileStatus status = StatusOf(fd).value_or(TFileStatus{});
  return {status.Device, status.Inode, loaded, HeadOf(fd, loaded), TailOf(fd, loaded)};
}

TFileState CompareLoadedFile(int fd, const TLoadedFile& loaded) {
  const std::optional<TFileStatus> now = StatusOf(fd);
  if (!now || now->Device != loaded.Device || now->Inode != loaded.Inode || now->Size < loaded.Loaded ||
      HeadOf(fd, loaded.Loaded) != loaded.Head || TailOf(fd, loaded.Loaded) != loaded.Tail) {
    return TFileState::Other;
  }
  return now->Size > loaded.Loaded ? TFileState::Grown : TFileState::Unchanged;
}
