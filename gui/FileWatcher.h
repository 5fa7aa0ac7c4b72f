#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Tells when files may have changed: at once where the file system notifies
// changes, and at every poll where it does not (network and fuse file
// systems often never notify). A file that is replaced or deleted and
// created again is watched again under its name.
class FileWatcher {
public:
  static constexpr int DefaultPollMilliseconds = 50;

  explicit FileWatcher(int pollMilliseconds = DefaultPollMilliseconds);
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  // The files watched from now on; none stops the poll too.
  void Watch(const std::vector<std::string>& fileNames);

  // Called on the window's thread after a notification or a poll; errors
  // go to the program's error reporter.
  std::function<void()> OnChange;

private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};
