#include "gui/FileWatcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "gui/Application.h"
#include "tests/app/TempFolder.h"

namespace {

// Handles events until the watcher tells of a change; the deadline only
// ends a test that would otherwise hang.
bool ChangeTold(const int& changes) {
  const int before = changes;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (changes == before && std::chrono::steady_clock::now() < deadline) {
    ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return changes > before;
}

void Append(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

// A poll far away, so that only notifications can tell.
constexpr int kNoPoll = 3600 * 1000;

TEST(FileWatcher, NotifiesOfAppendsAndKeepsWatchingAFileReplacedByRename) {
  EnsureApplication();
  TempFolder folder;
  const std::string file = folder.Write("log.csv", "t,V\n");
  FileWatcher watcher(kNoPoll);
  int changes = 0;
  watcher.OnChange = [&changes] { ++changes; };
  watcher.Watch({file});
  Append(file, "0,1\n");
  EXPECT_TRUE(ChangeTold(changes)) << "append";
  ASSERT_EQ(std::rename(folder.Write("new.csv", "t,W\n").c_str(), file.c_str()), 0);
  EXPECT_TRUE(ChangeTold(changes)) << "replaced";
  ProcessPendingEvents();
  Append(file, "0,2\n");
  EXPECT_TRUE(ChangeTold(changes)) << "append to the new file";
}

TEST(FileWatcher, PollsForFileSystemsThatNeverNotify) {
  EnsureApplication();
  TempFolder folder;
  FileWatcher watcher(5);
  int changes = 0;
  watcher.OnChange = [&changes] { ++changes; };
  watcher.Watch({folder.Write("log.csv", "t,V\n")});
  EXPECT_TRUE(ChangeTold(changes)) << "no change made: the poll alone";
}

}  // namespace
