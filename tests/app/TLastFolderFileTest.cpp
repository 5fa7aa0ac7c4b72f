#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/TForm1.h"
#include "app/TLastFolderFile.h"
#include "gui/DialogScript.h"
#include "tests/app/TempFolder.h"

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

class StartFolderTable : public testing::TestWithParam<StartCase> {};

// The first opening of the file dialog shows where a restart finds it.
TEST_P(StartFolderTable, DialogStartsInTheRememberedFolder) {
  TempFolder folder;
  if (GetParam().content) folder.Write("dir.dat", *GetParam().content);
  DialogScript script;
  TForm1 form(folder.Folder());
  EXPECT_EQ(form.DirDatPath, folder.Folder() + "dir.dat");
  form.Button1.PerformClick();
  ASSERT_EQ(script.FileDialogStartFolders.size(), 1u);
  EXPECT_EQ(script.FileDialogStartFolders[0], GetParam().startFolder);
}

INSTANTIATE_TEST_SUITE_P(Contents, StartFolderTable,
                         testing::Values(StartCase{"Missing", std::nullopt, ""}, StartCase{"Empty", "", ""},
                                         StartCase{"Plain", "/data/logs", "/data/logs"},
                                         StartCase{"TrailingSlashDropped", "/data/logs/", "/data/logs"},
                                         StartCase{"RootKept", "/", "/"}, StartCase{"Exactly63", kLong, kLong},
                                         StartCase{"LongerPathWhole", kLonger, kLonger},
                                         StartCase{"LineEndDropped", "/data/logs\n", "/data/logs"},
                                         StartCase{"CrLfDropped", "/data/logs\r\n", "/data/logs"},
                                         StartCase{"OnlyFirstLine", "/first\n/second", "/first"},
                                         StartCase{"OnlyALineEnd", "\n", ""},
                                         StartCase{"SpacesKept", " /with space ", " /with space "}),
                         [](const auto& info) { return std::string(info.param.name); });

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

}  // namespace
