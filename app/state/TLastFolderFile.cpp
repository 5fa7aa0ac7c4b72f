#include "app/state/TLastFolderFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "app/state/ConfigFolder.h"
#include "log/RegularFile.h"

namespace {

// The first line as text mode and a hand edit leave it: a line ends at LF
// or CR, a 0x1A byte ends the file, and a path ends at a NUL.
std::string FirstLine(std::string bytes) {
  constexpr std::string_view kLineEnds("\n\r\x1A\0", 4);
  bytes.resize(std::min(bytes.size(), bytes.find_first_of(kLineEnds)));
  return bytes;
}

// An installed program has its desktop entry under the same prefix:
// PREFIX/bin/logviewer beside PREFIX/share/applications/logviewer.desktop.
bool InstalledUnderAPrefix(const std::string& programFolder) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(programFolder + "../share/applications/logviewer.desktop", ignored);
}

}  // namespace

std::string TLastFolderFile::PathIn(const std::string& folder) { return folder + "dir.dat"; }

std::string TLastFolderFile::FolderOf(const std::string& programPath) {
  return programPath.substr(0, programPath.rfind('/') + 1);
}

std::string TLastFolderFile::FolderFor(const std::string& programPath) {
  std::string folder = FolderOf(programPath);
  if (!InstalledUnderAPrefix(folder) && access(folder.empty() ? "." : folder.c_str(), W_OK) == 0) {
    return folder;
  }
  std::string configuration = ConfigFolder();
  std::error_code ignored;
  std::filesystem::create_directories(configuration, ignored);
  return configuration;
}

std::optional<std::string> TLastFolderFile::Read() const {
  const std::optional<std::string> bytes = ReadRegularFile(path_, LongestPath);
  if (!bytes) {
    return std::nullopt;
  }
  std::string line = FirstLine(*bytes);
  if (line.empty()) {
    return std::nullopt;
  }
  return line;
}

// Opened without blocking and truncated only once it shows to be a regular
// file: a pipe or device in its place is left alone.
void TLastFolderFile::Write(const std::string& folder) const {
  const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
  if (fd < 0) {
    return;
  }
  struct stat status {};
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ftruncate(fd, 0) == 0) {
    std::size_t written = 0;
    while (written < folder.size()) {
      const ssize_t n = write(fd, folder.data() + written, folder.size() - written);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        break;
      }
      written += static_cast<std::size_t>(n);
    }
  }
  close(fd);
}
