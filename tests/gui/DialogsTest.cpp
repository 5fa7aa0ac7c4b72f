#include "gui/Dialogs.h"

#include <gtest/gtest.h>

#include "gui/DialogScript.h"

namespace {

TEST(FileOpenDialog, InitialDirDropsOneTrailingSlash) {
  const struct {
    const char* Given;
    const char* Kept;
  } cases[] = {{"/", "/"}, {"/logs/", "/logs"}, {"/logs", "/logs"}, {"/a//", "/a/"}, {"", ""}, {"logs/", "logs"}};
  for (const auto& c : cases) {
    FileOpenDialog dialog;
    dialog.SetInitialDir(c.Given);
    EXPECT_EQ(dialog.InitialDir(), c.Kept) << c.Given;
  }
}

TEST(DialogScript, FileDialogEntersFoldersThenChoosesOrCancels) {
  DialogScript script;
  script.FileAnswers.push_back({{"/a", "/b"}, "/b/log.csv"});
  script.FileAnswers.push_back({{"/c"}, std::nullopt});
  FileOpenDialog dialog;
  dialog.SetInitialDir("/start/");
  std::vector<std::string> seen;
  dialog.OnFolderChange = [&] { seen.push_back(dialog.FileName); };

  EXPECT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FileName, "/b/log.csv");
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_FALSE(dialog.Execute(nullptr));  // nothing queued: Cancel
  EXPECT_EQ(seen, (std::vector<std::string>{"/a", "/b", "/c"}));
  EXPECT_EQ(script.FileDialogStartFolders, (std::vector<std::string>{"/start", "/start", "/start"}));
}

TEST(DialogScript, ColorDialogRecordsWhatItOffered) {
  DialogScript script;
  TCustomColors edited = ColorDialog::DefaultCustomColors();
  edited[3] = clRed;
  script.ColorAnswers.push_back({clGreen, edited});
  script.ColorAnswers.push_back({std::nullopt, std::nullopt});
  ColorDialog dialog;
  dialog.Color = clBlue;

  ASSERT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.Color, clGreen);
  EXPECT_EQ(dialog.CustomColors[3], clRed);
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.Color, clGreen);
  ASSERT_EQ(script.ColorRequests.size(), 2u);
  EXPECT_EQ(script.ColorRequests[0].StartColor, clBlue);
  EXPECT_EQ(script.ColorRequests[0].CustomColors[3], clWhite);
  EXPECT_EQ(script.ColorRequests[1].CustomColors[3], clRed);
}

TEST(DialogScript, MessagesAreRecordedAndScriptsNest) {
  DialogScript outer;
  {
    DialogScript inner;
    ShowErrorMessage(nullptr, "inner text", "caption");
    EXPECT_EQ(inner.Messages.size(), 1u);
  }
  ShowErrorMessage(nullptr, "outer text", "caption");
  ASSERT_EQ(outer.Messages.size(), 1u);
  EXPECT_EQ(outer.Messages[0].Text, "outer text");
  EXPECT_EQ(DialogScript::Current(), &outer);
}

}  // namespace
