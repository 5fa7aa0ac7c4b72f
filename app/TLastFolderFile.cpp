#include "app/TLastFolderFile.h"

#include <fstream>

namespace {

// What reading in text mode makes of the line: CRs dropped, a 0x1A byte
// ends the file.
std::string AsTextModeLine(std::string line) {
  if (const auto end = line.find('\x1A'); end != std::string::npos) {
    line.erase(end);
  }
  std::erase(line, '\r');
  return line;
}

}  // namespace

std::string TLastFolderFile::PathIn(const std::string& folder) { return folder + "dir.dat"; }

std::string TLastFolderFile::FolderOf(const std::string& programPath) {
  return programPath.substr(0, programPath.rfind('/') + 1);
}

std::optional<std::string> TLastFolderFile::Read() const {
  std::ifstream file(path_, std::ios::binary);
  std::string line;
  if (!file || !std::getline(file, line)) {
    return std::nullopt;
  }
  line = AsTextModeLine(std::move(line));
  if (line.empty()) {
    return std::nullopt;
  }
  return line;
}

void TLastFolderFile::Write(const std::string& folder) const {
  std::ofstream file(path_, std::ios::binary | std::ios::trunc);
  file << folder;
}
