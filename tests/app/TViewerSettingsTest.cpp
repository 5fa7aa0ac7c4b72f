// The settings file under the faults of real use: other versions' lines,
// odd values, long files, bare names, read-only files and viewers writing
// at once.
#include "app/state/TViewerSettings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "runtime/Exception.h"
#include "tests/app/TempFolder.h"
#include "tests/support/ThrowsWithMessage.h"

namespace {

constexpr std::size_t kCapacity = 10;

TViewerSettings ReadFrom(const std::string& path) {
  TViewerSettings settings(path);
  settings.Read();
  return settings;
}

struct TextCase {
  const char* name;
  std::string text;
  std::string line;  // as the file holds it
};

class SettingsText : public testing::TestWithParam<TextCase> {};

TEST_P(SettingsText, IsReadBackExactly) {
  TempFolder folder;
  const std::string path = folder.Folder() + "settings";
  TViewerSettings settings(path);
  settings.SetText("name", GetParam().text);
  settings.Write();
  EXPECT_EQ(folder.Read("settings"), GetParam().line + "\n");
  EXPECT_EQ(ReadFrom(path).Text("name"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingsText,
                         testing::Values(TextCase{"Plain", "/logs/a.csv", "name=/logs/a.csv"},
                                         TextCase{"LineBreaks", "a\nb\r\nc\r", "name=a\\nb\\r\\nc\\r"},
                                         TextCase{"Backslashes", "\\n is no break\\", "name=\\\\n is no break\\\\"},
                                         TextCase{"EqualsAndTabs", "a=b\tc", "name=a=b\tc"},
                                         TextCase{"EightBit", "\xB3\xEA\xFF", "name=\xB3\xEA\xFF"}),
                         [](const auto& test) { return std::string(test.param.name); });

// What an older viewer wrote, and a backslash before another character,
// read as they always were.
TEST(SettingsFile, ReadsLinesAsTheyWereWritten) {
  TempFolder folder;
  const std::string path = folder.Write("settings", "a=C:\\logs\\x.csv\nb=1\r\nb=2\nc\n=d\n");
  const TViewerSettings settings = ReadFrom(path);
  EXPECT_EQ(settings.Text("a"), "C:\\logs\\x.csv");
  EXPECT_EQ(settings.Number("b"), 2) << "the last line of a name wins; a CR LF end is no part of it";
  EXPECT_EQ(settings.Text("c"), "");
}

TEST(SettingsFile, AWriteKeepsTheLinesItDoesNotChangeAsTheyWere) {
  TempFolder folder;
  const std::string kept = "# a comment\nfuture-mode=on\r\nwindow-width=900\nno equals sign\n=odd\n  spaced = x\n";
  const std::string path = folder.Write("settings", kept + "future-mode=off\n");
  TViewerSettings settings = ReadFrom(path);
  settings.SetNumber("window-width", 1000);
  settings.SetFlag("follow", true);
  settings.Write();
  EXPECT_EQ(folder.Read("settings"),
            "# a comment\nfuture-mode=on\r\nwindow-width=1000\nno equals sign\n=odd\n  spaced = x\n"
            "future-mode=off\nfollow=on\n");
}

// 3000 settings of another version before the list: far beyond what one
// read of 64 KiB took.
TEST(SettingsFile, ALongFileIsReadWholeAndKeptWhole) {
  TempFolder folder;
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text += "future-setting-" + std::to_string(i) + "=" + std::string(40, 'x') + "\n";
  }
  const std::string log = "/logs/" + std::string(300, 'a') + ".csv";
  const std::string path = folder.Write("settings", text + "recent-0=" + log + "\n");
  TViewerSettings settings = ReadFrom(path);
  EXPECT_EQ(settings.List("recent", kCapacity), std::vector<std::string>{log});
  settings.SetFlag("follow", true);
  settings.Write();
  EXPECT_EQ(folder.Read("settings"), text + "recent-0=" + log + "\nfollow=on\n");
}

TEST(SettingsFile, AFileLargerThanSettingsHoldIsSaidAndNotReplaced) {
  TempFolder folder;
  const std::string huge = "recent-0=/a.csv\n" + std::string(TViewerSettings::LongestFile, '#');
  const std::string path = folder.Write("settings", huge);
  TViewerSettings settings(path);
  EXPECT_TRUE(ThrowsWithMessage<FileException>(
      [&] { settings.Read(); },
      "Cannot read the settings '" + path + "': the file is larger than 1 MiB, far more than settings hold"));
  EXPECT_TRUE(settings.List("recent", kCapacity).empty());
  settings.SetFlag("follow", true);
  EXPECT_TRUE(ThrowsWithMessage<FileException>(
      [&] { settings.Write(); },
      "Cannot write the settings '" + path + "': the file is larger than 1 MiB, far more than settings hold"));
  EXPECT_EQ(folder.Read("settings"), huge);
}

TEST(SettingsFile, AReadOnlyFileIsNotReplaced) {
  TempFolder folder;
  const std::string path = folder.Write("settings", "follow=off\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  TViewerSettings settings = ReadFrom(path);
  settings.SetFlag("follow", true);
  EXPECT_TRUE(ThrowsWithMessage<FileException>([&] { settings.Write(); },
                                               "Cannot write the settings '" + path + "': the file is read-only"));
  EXPECT_EQ(folder.Read("settings"), "follow=off\n");
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read);
}

TEST(SettingsFile, KeepsItsPermissionsAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder.Write("settings", "follow=off\n");
  const auto permissions = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  std::filesystem::permissions(path, permissions);
  TViewerSettings settings = ReadFrom(path);
  settings.SetFlag("follow", true);
  settings.Write();
  EXPECT_EQ(std::filesystem::status(path).permissions(), permissions);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// The current folder while a test runs.
class TCurrentFolder {
public:
  explicit TCurrentFolder(const std::filesystem::path& folder) { std::filesystem::current_path(folder); }
  ~TCurrentFolder() { std::filesystem::current_path(saved_); }
  TCurrentFolder(const TCurrentFolder&) = delete;
  TCurrentFolder& operator=(const TCurrentFolder&) = delete;

private:
  std::filesystem::path saved_ = std::filesystem::current_path();
};

TEST(SettingsFile, ABareNameIsAFileInTheCurrentFolder) {
  TempFolder folder;
  const TCurrentFolder current(folder.Path());
  TViewerSettings settings("settings");
  settings.SetFlag("follow", true);
  settings.Write();
  EXPECT_EQ(folder.Read("settings"), "follow=on\n");
}

// Two viewers that read the same file: each keeps the modes it did not
// change as the other wrote them, and the recent list holds both's logs,
// the last writer's first.
TEST(SettingsFile, TwoWritersKeepEachOthersChanges) {
  TempFolder folder;
  const std::string path = folder.Write("settings", "recent-0=/old1\nrecent-1=/old2\nfollow=off\n");
  TViewerSettings first = ReadFrom(path);
  TViewerSettings second = ReadFrom(path);
  first.PutFirst("recent", "/a1", kCapacity);
  first.SetFlag("follow", true);
  second.PutFirst("recent", "/b1", kCapacity);
  second.PutFirst("recent", "/old2", kCapacity);
  second.SetFlag("lock-to-samples", true);
  first.Write();
  second.Write();
  const TViewerSettings after = ReadFrom(path);
  EXPECT_EQ(after.List("recent", kCapacity), (std::vector<std::string>{"/old2", "/b1", "/a1", "/old1"}));
  EXPECT_EQ(second.List("recent", kCapacity), after.List("recent", kCapacity)) << "the writer sees the merge";
  EXPECT_TRUE(after.Flag("follow"));
  EXPECT_TRUE(after.Flag("lock-to-samples"));
  TViewerSettings third = ReadFrom(path);
  third.PutFirst("recent", "/c1", 3);
  third.Write();
  EXPECT_EQ(ReadFrom(path).List("recent", 3), (std::vector<std::string>{"/c1", "/old2", "/b1"}));
}

// Viewers closing at the same moment: none loses its log.
TEST(SettingsFile, WritersAtOnceAllKeepTheirLogs) {
  TempFolder folder;
  const std::string path = folder.Folder() + "config/settings";
  constexpr int kWriters = 8;
  std::vector<std::thread> writers;
  writers.reserve(kWriters);
  std::vector<std::string> failures(kWriters);
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([&path, &failures, w] {
      try {
        for (int round = 0; round < 20; ++round) {
          TViewerSettings settings = ReadFrom(path);
          settings.PutFirst("recent", "/log" + std::to_string(w), kCapacity);
          settings.SetNumber("writer-" + std::to_string(w), round);
          settings.Write();
        }
      } catch (const Exception& error) {
        failures[static_cast<std::size_t>(w)] = error.what();
      }
    });
  }
  for (std::thread& writer : writers) {
    writer.join();
  }
  const TViewerSettings after = ReadFrom(path);
  for (int w = 0; w < kWriters; ++w) {
    EXPECT_EQ(failures[static_cast<std::size_t>(w)], "");
    const std::vector<std::string> recent = after.List("recent", kCapacity);
    EXPECT_NE(std::find(recent.begin(), recent.end(), "/log" + std::to_string(w)), recent.end()) << w;
    EXPECT_EQ(after.Number("writer-" + std::to_string(w)), 19);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path() / "config"), {}), 1);
}

// A log whose name holds a line break is one entry of the recent list and
// the log a pane reopens, as named.
TEST(SettingsFile, ALogNameWithLineBreaksIsRememberedAsItIs) {
  TempFolder folder;
  DialogScript script;
  const std::string settings = folder.Folder() + "settings";
  const std::string plain = folder.Write("plain.csv", "t,A\n0,1\n");
  const std::string odd = folder.Write("two\nlines\r.csv", "t,B\n0,2\n");
  {
    TForm1 form(folder.Folder(), settings);
    form.OpenLogs(0, {plain});
    form.OpenLogs(1, {odd});
    form.OpenLogs(2, {plain});
    EXPECT_EQ(form.State().RecentLogs(), (std::vector<std::string>{plain, odd}));
    form.Close();
  }
  TForm1 form(folder.Folder(), settings);
  EXPECT_EQ(form.State().RecentLogs(), (std::vector<std::string>{plain, odd}));
  form.FormKeyDown('O', ssCtrl | ssShift);
  EXPECT_EQ(form.Document().PaneLog(1).FileName, odd);
  EXPECT_TRUE(script.Messages.empty());
}

}  // namespace
