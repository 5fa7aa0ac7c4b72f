#include "gui/Dialogs.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <functional>

#include "gui/Application.h"
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

namespace {

// Runs `act` on the real file dialog once it is open.
void WhenTheFileDialogOpens(const std::function<void(QFileDialog&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

// The dialog's OK (or Enter in its name field).
void Accept(QFileDialog& dialog) { QMetaObject::invokeMethod(&dialog, "accept"); }

// What the user types into the name field, then Enter.
void TypeAndAccept(QFileDialog& dialog, const QString& text) {
  auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(name, nullptr);
  name->setText(text);
  Accept(dialog);
}

// The progress dialog among the windows, made or shown; none if there is none.
const QProgressDialog* ProgressDialogOnScreen() {
  const QProgressDialog* found = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QProgressDialog*>(widget)) {
      found = dialog;
    }
  }
  return found;
}

// The platform would caption it with the program's file name.
TEST(ProgressDialog, CaptionIsTheApplicationTitle) {
  EnsureApplication();
  const std::string saved = ApplicationTitle();
  SetApplicationTitle("Title of the application");
  {
    ProgressDialog progress(nullptr, "Loading /logs/big.csv...");
    progress.Report(0.5);
    const QProgressDialog* shown = ProgressDialogOnScreen();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle().toStdString(), "Title of the application");
    EXPECT_EQ(shown->labelText().toStdString(), "Loading /logs/big.csv...");
  }
  SetApplicationTitle(saved);
}

// Loading is seen within a third of a second, and its text follows the
// work once the bar moves on.
TEST(ProgressDialog, AppearsSoonAndFollowsTheText) {
  EnsureApplication();
  ProgressDialog progress(nullptr, "first");
  progress.Report(0.1);
  const QProgressDialog* shown = ProgressDialogOnScreen();
  ASSERT_NE(shown, nullptr);
  EXPECT_LE(shown->minimumDuration(), 300);
  progress.SetText("second");
  QElapsedTimer clock;
  clock.start();
  while (shown->labelText() != "second" && clock.elapsed() < 5000) {
    progress.Report(0.2);
  }
  EXPECT_EQ(shown->labelText().toStdString(), "second");
}

// File names are the file system's bytes, whatever the user's language: a
// file chosen in the dialog is opened under the bytes it has on disk.
TEST(FileOpenDialog, ChosenFileKeepsItsBytes) {
  EnsureApplication();
  const struct {
    const char* Folder;
    const char* File;
  } cases[] = {
      {"logs", "plain.csv"},
      {"my logs", "with space.csv"},
      {"donn\xC3\xA9\x65s", "Temp\xC3\xA9rature.csv"},
      {"\xD0\xB4\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5", "\xD0\xBB\xD1\x8F\xD0\xBC\xD0\xB1\xD0\xB4\xD0\xB0.csv"},
  };
  for (const auto& c : cases) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("logviewer-dialog-" + std::to_string(getpid()));
    const std::filesystem::path folder = root / c.Folder;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / c.File) << "h,T\n0,1\n";
    FileOpenDialog dialog;
    dialog.Filter = "Log|*.csv|All files|*";
    dialog.SetInitialDir(folder.string());
    WhenTheFileDialogOpens([&](QFileDialog& shown) {
      EXPECT_EQ(shown.directory().absolutePath(), QString::fromUtf8(folder.string().c_str())) << c.Folder;
      TypeAndAccept(shown, QString::fromUtf8(c.File));
    });
    EXPECT_TRUE(dialog.Execute(nullptr)) << c.File;
    EXPECT_EQ(dialog.FileName, (folder / c.File).string());
    std::filesystem::remove_all(root);
  }
}

// Every way of reaching another folder is reported once: a typed path, Back
// and Forward as well as a double click.
TEST(FileOpenDialog, ReportsEveryFolderReached) {
  EnsureApplication();
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("logviewer-folders-" + std::to_string(getpid()));
  const std::filesystem::path first = root / "caf\xC3\xA9";
  const std::filesystem::path second = root / "two";
  std::filesystem::create_directories(first);
  std::filesystem::create_directories(second);
  FileOpenDialog dialog;
  dialog.SetInitialDir(root.string());
  std::vector<std::string> reported;
  dialog.OnFolderChange = [&] { reported.push_back(dialog.FileName); };
  WhenTheFileDialogOpens([&](QFileDialog& shown) {
    auto* name = shown.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromUtf8(first.string().c_str()));
    Accept(shown);                  // Enter on a folder's path enters it
    QApplication::processEvents();  // the folder's list loads in the background
    name->setText(QString::fromUtf8(second.string().c_str()));
    Accept(shown);
    auto* back = shown.findChild<QToolButton*>("backButton");
    ASSERT_NE(back, nullptr);
    back->click();
    shown.reject();
  });
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_EQ(reported, (std::vector<std::string>{first.string(), second.string(), first.string()}));
  std::filesystem::remove_all(root);
}

}  // namespace
