#include "gui/FileWatcher.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>
#include <set>

#include "gui/EventErrors.h"
#include "gui/QtStrings.h"

// The folders are watched as well: a file replaced by a rename or created
// again is no longer the file a notification watch holds, but its folder
// tells.
class FileWatcher::Impl {
public:
  Impl(FileWatcher& owner, int pollMilliseconds) : owner_(owner) {
    poll_.setInterval(pollMilliseconds);
    QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] { Changed(); });
    QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, &watcher_, [this] { Changed(); });
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, &watcher_, [this] { Changed(); });
  }

  void Watch(const std::vector<std::string>& fileNames) {
    files_.clear();
    folders_.clear();
    for (const std::string& fileName : fileNames) {
      const QString file = QFileInfo(QtFileName(fileName)).absoluteFilePath();
      files_.insert(file);
      folders_.insert(QFileInfo(file).absolutePath());
    }
    Rewatch();
    if (files_.empty()) {
      poll_.stop();
    } else if (!poll_.isActive()) {
      poll_.start();
    }
  }

private:
  void Changed() {
    Rewatch();
    if (owner_.OnChange) {
      RunEventHandler(owner_.OnChange);
    }
  }

  // Drops the watches no longer wanted and adds the ones the file system
  // dropped (a deleted or renamed file loses its watch).
  void Rewatch() {
    QStringList unwanted;
    for (const QString& path : watcher_.files() + watcher_.directories()) {
      if (!files_.contains(path) && !folders_.contains(path)) {
        unwanted.append(path);
      }
    }
    if (!unwanted.isEmpty()) {
      watcher_.removePaths(unwanted);
    }
    const QStringList watched = watcher_.files() + watcher_.directories();
    QStringList wanted;
    for (const std::set<QString>* paths : {&files_, &folders_}) {
      for (const QString& path : *paths) {
        if (!watched.contains(path) && QFileInfo::exists(path)) {
          wanted.append(path);
        }
      }
    }
    if (!wanted.isEmpty()) {
      // A path that cannot be watched is left to the poll.
      watcher_.addPaths(wanted);
    }
  }

  FileWatcher& owner_;
  QFileSystemWatcher watcher_;
  QTimer poll_;
  std::set<QString> files_;
  std::set<QString> folders_;
};

FileWatcher::FileWatcher(int pollMilliseconds) : impl_(std::make_unique<Impl>(*this, pollMilliseconds)) {}

FileWatcher::~FileWatcher() = default;

void FileWatcher::Watch(const std::vector<std::string>& fileNames) { impl_->Watch(fileNames); }
