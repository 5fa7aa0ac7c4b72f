#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/state/TLastFolderFile.h"
#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "tests/app/TempFolder.h"
#include "tests/support/EnvironmentScope.h"

namespace {

TEST(TLastFolderFile, FolderOfAProgramEndsAtItsLastSlash) {
  EXPECT_EQ(TLastFolderFile::FolderOf("/opt/viewer/bin/logviewer"), "/opt/viewer/bin/");
  EXPECT_EQ(TLastFolderFile::FolderOf("/logviewer"), "/");
  EXPECT_EQ(TLastFolderFile::FolderOf("logviewer"), "");
  EXPECT_EQ(TLastFolderFile::PathIn("/opt/"), "/opt/dir.dat");
}

struct StartCase {
  const char* name;
  std::optional<std::string> content;  // none: no dir.dat
  std::string startFolder;
};

const std::string kLong = "/" + std::string(62, 'a');  // 63 characters
const std::string kLonger = "/data/" + std::string(200, 'b') + "/logs";
const std::string kLongest = "/" + std::string(TLastFolderFile::LongestPath - 1, 'c');

class StartFolderTable : public testing::TestWithParam<StartCase> {};

// The first opening of the file dialog shows where a restart finds it.
TEST_P(StartFolderTable, DialogStartsInTheRememberedFolder) {
  TempFolder folder;
  if (GetParam().content) {
    folder.Write("dir.dat", *GetParam().content);
  }
  DialogScript script;
  TForm1 form(folder.Folder());
  EXPECT_EQ(form.DirDatPath, folder.Folder() + "dir.dat");
  form.Button1.PerformClick();
  ASSERT_EQ(script.FileDialogStartFolders.size(), 1u);
  EXPECT_EQ(script.FileDialogStartFolders[0], GetParam().startFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, StartFolderTable,
    testing::Values(StartCase{"Missing", std::nullopt, ""}, StartCase{"Empty", "", ""},
                    StartCase{"Plain", "/data/logs", "/data/logs"},
                    StartCase{"TrailingSlashDropped", "/data/logs/", "/data/logs"}, StartCase{"RootKept", "/", "/"},
                    StartCase{"Exactly63", kLong, kLong}, StartCase{"LongerPathWhole", kLonger, kLonger},
                    StartCase{"LineEndDropped", "/data/logs\n", "/data/logs"},
                    StartCase{"CrLfDropped", "/data/logs\r\n", "/data/logs"},
                    StartCase{"OnlyFirstLine", "/first\n/second", "/first"}, StartCase{"OnlyALineEnd", "\n", ""},
                    StartCase{"SpacesKept", " /with space ", " /with space "},
                    StartCase{"LoneCrEndsTheLine", "/data/logs\r/x", "/data/logs"},
                    StartCase{"NulEndsThePath", std::string("/data\0/x", 8), "/data"},
                    StartCase{"Utf8Kept", "/donn\xC3\xA9\x65s/\xD0\xB4", "/donn\xC3\xA9\x65s/\xD0\xB4"},
                    StartCase{"NonUtf8BytesKept", "/\xE9t\xE9", "/\xE9t\xE9"},
                    StartCase{"LongestPathRead", kLongest + "tail", kLongest},
                    StartCase{"LargeFileReadOnlyAtItsStart", "/first\n" + std::string(8 << 20, 'x'), "/first"}),
    [](const auto& test) { return std::string(test.param.name); });

class FolderChange : public testing::Test {
protected:
  TempFolder folder;
  DialogScript script;
};

TEST_F(FolderChange, EachFolderEnteredIsWrittenWithoutLineEnd) {
  TForm1 form(folder.Folder());
  script.FileAnswers.push_back({{"/one", "/two/", kLonger}, std::nullopt});
  form.Button3.PerformClick();
  EXPECT_EQ(folder.Read("dir.dat"), kLonger);
  EXPECT_EQ(form.OpenDialog1.InitialDir(), kLonger);
}

TEST_F(FolderChange, NextOpeningAndNextRunStartInTheLastFolder) {
  {
    TForm1 form(folder.Folder());
    script.FileAnswers.push_back({{"/one", "/two/"}, std::nullopt});
    form.Button1.PerformClick();
    form.Button2.PerformClick();
    EXPECT_EQ(folder.Read("dir.dat"), "/two/");
  }
  TForm1 restarted(folder.Folder());
  restarted.Button4.PerformClick();
  const std::vector<std::string> expected = {"", "/two", "/two"};
  EXPECT_EQ(script.FileDialogStartFolders, expected);
}

// A program installed under a folder whose name is not ASCII finds its
// dir.dat under the same bytes.
TEST_F(FolderChange, ProgramInANonAsciiFolderRemembersAcrossARestart) {
  for (const std::string name : {"donn\xC3\xA9\x65s", "\xD0\xB4\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5", "caf\xE9"}) {
    const std::filesystem::path programFolder = folder.Path() / name;
    std::filesystem::create_directories(programFolder);
    const std::string programPath = (programFolder / "logviewer").string();
    const std::string entered = "/logs/" + name;
    {
      TForm1 form(TLastFolderFile::FolderFor(programPath));
      EXPECT_EQ(form.DirDatPath, programFolder.string() + "/dir.dat");
      script.FileAnswers.push_back({{entered}, std::nullopt});
      form.Button1.PerformClick();
    }
    TForm1 restarted(TLastFolderFile::FolderFor(programPath));
    EXPECT_EQ(restarted.OpenDialog1.InitialDir(), entered);
  }
}

TEST_F(FolderChange, RootFolderSurvivesARestart) {
  {
    TForm1 form(folder.Folder());
    script.FileAnswers.push_back({{"/"}, std::nullopt});
    form.Button1.PerformClick();
  }
  TForm1 restarted(folder.Folder());
  EXPECT_EQ(restarted.OpenDialog1.InitialDir(), "/");
}

TEST_F(FolderChange, UnwritableFileIsIgnored) {
  const std::string missing = folder.Folder() + "no-such-folder/";
  TForm1 form(missing);
  script.FileAnswers.push_back({{"/one"}, std::nullopt});
  form.Button1.PerformClick();
  EXPECT_EQ(form.OpenDialog1.InitialDir(), "/one");
  EXPECT_TRUE(script.Messages.empty());
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// A dir.dat that is no regular file is never read nor written: a pipe
// would block the start, a device would never end.
TEST(TLastFolderFile, IgnoresWhatIsNoRegularFile) {
  TempFolder folder;
  const std::string fifo = (folder.Path() / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = (folder.Path() / "zero").string();
  std::filesystem::create_symlink("/dev/zero", zero);
  for (const std::string& path : {fifo, zero, folder.Path().string(), std::string("/dev/null")}) {
    const TLastFolderFile file(path);
    EXPECT_EQ(file.Read(), std::nullopt) << path;
    file.Write("/logs");
    EXPECT_EQ(file.Read(), std::nullopt) << path;
  }
  const std::string sparse = (folder.Path() / "sparse").string();
  ASSERT_EQ(truncate(folder.Write("sparse", "").c_str(), off_t{1} << 30), 0);
  EXPECT_EQ(TLastFolderFile(sparse).Read(), std::nullopt) << "a gigabyte of zeros holds no path";
}

TEST(TLastFolderFile, InstalledProgramKeepsItInTheUsersConfiguration) {
  TempFolder folder;
  TempFolder config;
  {
    const EnvironmentScope xdg("XDG_CONFIG_HOME", config.Path().string());
    EXPECT_EQ(TLastFolderFile::FolderFor(folder.Folder() + "logviewer"), folder.Folder());
    EXPECT_EQ(TLastFolderFile::FolderFor("/nonexistent/bin/logviewer"), config.Folder() + "logviewer/");
    EXPECT_TRUE(std::filesystem::is_directory(config.Path() / "logviewer"));
  }
  const EnvironmentScope relative("XDG_CONFIG_HOME", "relative/path");
  const EnvironmentScope home("HOME", config.Path().string());
  EXPECT_EQ(TLastFolderFile::FolderFor("/nonexistent/bin/logviewer"), config.Folder() + ".config/logviewer/");
}

// A prefix as an installation leaves it, with or without the desktop entry
// that marks the program as installed.
struct PrefixCase {
  const char* name;
  bool desktopEntry;
  bool keptBeside;
};

class InstalledPrefix : public testing::TestWithParam<PrefixCase> {};

// Root can write every program folder, so writability alone cannot tell an
// installed program from one in its build tree.
TEST_P(InstalledPrefix, KeepsDirDatBesideOnlyAProgramThatIsNotInstalled) {
  TempFolder prefix;
  TempFolder config;
  std::filesystem::create_directories(prefix.Path() / "bin");
  if (GetParam().desktopEntry) {
    std::filesystem::create_directories(prefix.Path() / "share/applications");
    prefix.Write("share/applications/logviewer.desktop", "[Desktop Entry]\n");
  }
  const EnvironmentScope xdg("XDG_CONFIG_HOME", config.Path().string());
  const std::string programFolder = prefix.Folder() + "bin/";
  DialogScript script;
  {
    TForm1 form(TLastFolderFile::FolderFor(programFolder + "logviewer"));
    script.FileAnswers.push_back({{"/logs"}, std::nullopt});
    form.Button1.PerformClick();
  }
  const std::string kept = GetParam().keptBeside ? programFolder : config.Folder() + "logviewer/";
  EXPECT_EQ(TLastFolderFile(kept + "dir.dat").Read(), "/logs");
  EXPECT_EQ(std::filesystem::exists(programFolder + "dir.dat"), GetParam().keptBeside);
}

INSTANTIATE_TEST_SUITE_P(Layouts, InstalledPrefix,
                         testing::Values(PrefixCase{"Installed", true, false},
                                         PrefixCase{"CopiedWithoutItsPrefix", false, true}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
