#include "app/window/TBatchProgress.h"

#include <cmath>
#include <filesystem>
#include <numeric>
#include <system_error>

#include "runtime/NumberFormat.h"

namespace {

constexpr std::uint64_t kKilobyte = 1024;
constexpr std::uint64_t kMegabyte = kKilobyte * 1024;
// Below this the bytes are counted in kilobytes, so that a small batch still
// shows them moving.
constexpr std::uint64_t kMegabytesFrom = 10 * kMegabyte;

std::uint64_t FileBytes(const std::string& fileName) {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(fileName, error);
  return error ? 0 : bytes;
}

}  // namespace

std::string BatchProgressText(std::size_t log, std::size_t logs, const std::string& fileName, std::uint64_t bytesRead,
                              std::uint64_t bytes) {
  const std::uint64_t unit = bytes >= kMegabytesFrom ? kMegabyte : kKilobyte;
  // Whole units, rounded to nearest.
  const auto inUnits = [unit](std::uint64_t count) {
    const std::uint64_t units = (count + unit / 2) / unit;
    return GroupedWholeNumber(static_cast<long double>(units));
  };
  const std::string which =
      logs == 1 ? "Loading " : "Loading log " + std::to_string(log + 1) + " of " + std::to_string(logs) + ": ";
  return which + fileName + "\n" + inUnits(bytesRead) + " of " + inUnits(bytes) + (unit == kMegabyte ? " MB" : " KB");
}

TBatchProgress::TBatchProgress(Control* owner, std::vector<std::string> fileNames)
    : fileNames_(std::move(fileNames)), dialog_(owner, "") {
  for (const std::string& fileName : fileNames_) {
    bytes_.push_back(FileBytes(fileName));
    total_ += bytes_.back();
  }
}

void TBatchProgress::StartLog(std::size_t index) {
  current_ = index;
  bytesBefore_ = std::accumulate(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(index), std::uint64_t{0});
}

// Without any bytes to count, every log is an equal share.
bool TBatchProgress::Report(double shareRead) {
  const auto read =
      bytesBefore_ + static_cast<std::uint64_t>(std::llround(shareRead * static_cast<double>(bytes_.at(current_))));
  const double done = total_ > 0 ? static_cast<double>(read) / static_cast<double>(total_)
                                 : (static_cast<double>(current_) + shareRead) / static_cast<double>(fileNames_.size());
  dialog_.SetText(BatchProgressText(current_, fileNames_.size(), fileNames_[current_], read, total_));
  cancelled_ = dialog_.Report(done) || cancelled_;
  return cancelled_;
}
