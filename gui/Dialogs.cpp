#include "gui/Dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStringList>

#include <algorithm>
#include <optional>

#include "gui/Application.h"
#include "gui/ControlImpl.h"
#include "gui/DialogScript.h"
#include "gui/EventErrors.h"
#include "gui/QtColors.h"

namespace {

// "name|pattern|..." as the dialog's name filters "name (pattern)".
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QtText(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters;
}

bool ExecuteScripted(DialogScript& script, FileOpenDialog& dialog) {
  script.FileDialogStartFolders.push_back(dialog.InitialDir());
  if (script.FileAnswers.empty()) {
    return false;
  }
  const DialogScript::FileAnswer answer = script.FileAnswers.front();
  script.FileAnswers.pop_front();
  for (const std::string& folder : answer.FoldersEntered) {
    dialog.FileName = folder;
    if (dialog.OnFolderChange) {
      dialog.OnFolderChange();
    }
  }
  if (!answer.ChosenFile) {
    return false;
  }
  dialog.FileName = *answer.ChosenFile;
  return true;
}

bool ExecuteScripted(DialogScript& script, FileSaveDialog& dialog) {
  script.SaveDialogStartFolders.push_back(dialog.InitialDir);
  script.SaveDialogOfferedNames.push_back(dialog.FileName);
  if (script.SaveAnswers.empty()) {
    return false;
  }
  const std::optional<std::string> answer = script.SaveAnswers.front();
  script.SaveAnswers.pop_front();
  if (!answer) {
    return false;
  }
  dialog.FileName = *answer;
  return true;
}

bool ExecuteScripted(DialogScript& script, TextInputDialog& dialog) {
  script.TextDialogOfferedTexts.push_back(dialog.Text);
  if (script.TextAnswers.empty()) {
    return false;
  }
  const std::optional<std::string> answer = script.TextAnswers.front();
  script.TextAnswers.pop_front();
  if (!answer) {
    return false;
  }
  dialog.Text = *answer;
  return true;
}

bool ExecuteScripted(DialogScript& script, ColorDialog& dialog) {
  script.ColorRequests.push_back({dialog.Color, dialog.CustomColors});
  if (script.ColorAnswers.empty()) {
    return false;
  }
  const DialogScript::ColorAnswer answer = script.ColorAnswers.front();
  script.ColorAnswers.pop_front();
  if (!answer.ChosenColor) {
    return false;
  }
  dialog.Color = *answer.ChosenColor;
  if (answer.EditedCustomColors) {
    dialog.CustomColors = *answer.EditedCustomColors;
  }
  return true;
}

}  // namespace

void FileOpenDialog::SetInitialDir(const std::string& folder) {
  initialDir_ = folder;
  if (initialDir_.size() > 1 && initialDir_.back() == '/') {
    initialDir_.pop_back();
  }
}

namespace {

void SetFilterAndFolder(QFileDialog& dialog, const std::string& filter, const std::string& folder) {
  dialog.setNameFilters(NameFilters(filter));
  if (!folder.empty()) {
    dialog.setDirectory(QtFileName(folder));
  }
}

// Runs the dialog modally; on OK `fileName` is the file chosen.
bool RunFileDialog(QFileDialog& dialog, std::string& fileName) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return false;
  }
  fileName = FileNameFromQt(dialog.selectedFiles().front());
  return true;
}

}  // namespace

// The folder shown changes by a double click, a typed path, Up, Back,
// Forward, the sidebar or the path list; only some of them emit
// directoryEntered, but every one sets the file model's root.
void FileOpenDialog::ReportFolderChanges(QFileDialog& dialog) {
  auto report = [this, shown = dialog.directory().absolutePath()](const QString& folder) mutable {
    if (folder.isEmpty() || folder == shown) {
      return;
    }
    shown = folder;
    FileName = FileNameFromQt(folder);
    if (OnFolderChange) {
      RunEventHandler(OnFolderChange);
    }
  };
  QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, report);
  if (auto* model = dialog.findChild<QFileSystemModel*>()) {
    QObject::connect(model, &QFileSystemModel::rootPathChanged, &dialog, report);
  }
}

bool FileOpenDialog::Execute(Control* owner) {
  if (DialogScript* script = DialogScript::Current()) {
    return ExecuteScripted(*script, *this);
  }
  QFileDialog dialog(ParentWidget(owner));
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The platform's own dialog does not report folder changes.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  SetFilterAndFolder(dialog, Filter, initialDir_);
  ReportFolderChanges(dialog);
  return RunFileDialog(dialog, FileName);
}

bool FileSaveDialog::Execute(Control* owner) {
  if (DialogScript* script = DialogScript::Current()) {
    return ExecuteScripted(*script, *this);
  }
  QFileDialog dialog(ParentWidget(owner));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QtText(DefaultExtension));
  SetFilterAndFolder(dialog, Filter, InitialDir);
  if (!FileName.empty()) {
    dialog.selectFile(QtFileName(FileName));
  }
  return RunFileDialog(dialog, FileName);
}

bool TextInputDialog::Execute(Control* owner) {
  if (DialogScript* script = DialogScript::Current()) {
    return ExecuteScripted(*script, *this);
  }
  QInputDialog dialog(ParentWidget(owner));
  dialog.setWindowTitle(QtText(Caption));
  dialog.setLabelText(QtText(Label));
  dialog.setTextValue(QtText(Text));
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  Text = TextFromQt(dialog.textValue());
  return true;
}

TCustomColors ColorDialog::DefaultCustomColors() {
  TCustomColors colors;
  colors.fill(clWhite);
  return colors;
}

bool ColorDialog::Execute(Control* owner) {
  if (DialogScript* script = DialogScript::Current()) {
    return ExecuteScripted(*script, *this);
  }
  for (int i = 0; i < CustomColorCount; ++i) {
    QColorDialog::setCustomColor(i, QtColor(CustomColors[static_cast<std::size_t>(i)]));
  }
  QColorDialog dialog(QtColor(Color), ParentWidget(owner));
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  Color = ColorFromQt(dialog.selectedColor());
  for (int i = 0; i < CustomColorCount; ++i) {
    CustomColors[static_cast<std::size_t>(i)] = ColorFromQt(QColorDialog::customColor(i));
  }
  return true;
}

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMilliseconds = 300;
// The bar and the windows behind it are brought up to date at most this
// often: painting after every block of work would slow the work down.
constexpr int kProgressUpdateMilliseconds = 40;

}  // namespace

class ProgressDialog::Impl {
public:
  Impl(Control* owner, std::string text) : owner_(owner), text_(std::move(text)) {}

  bool Report(double done) {
    if (DialogScript* script = DialogScript::Current()) {
      script->ProgressReports.push_back(done);
      script->ProgressTexts.push_back(text_);
      return script->CancelProgressAfter && script->ProgressReports.size() > *script->CancelProgressAfter;
    }
    if (done >= 1 && !dialog_) {
      return false;  // work done in one step needs no dialog
    }
    if (!dialog_) {
      Create();
    } else if (sinceUpdate_.elapsed() >= kProgressUpdateMilliseconds) {
      Update(done);
    }
    return dialog_->wasCanceled();
  }

  void SetText(std::string text) { text_ = std::move(text); }

private:
  void Create() {
    dialog_.emplace(QtText(text_), QStringLiteral("Cancel"), 0, kProgressSteps, ParentWidget(owner_));
    dialog_->setWindowTitle(QtText(ApplicationTitle()));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kProgressDelayMilliseconds);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    sinceUpdate_.start();
  }

  // Once shown, the modal dialog handles the events itself and keeps the
  // input from the windows behind it; before, they only repaint.
  void Update(double done) {
    sinceUpdate_.restart();
    dialog_->setLabelText(QtText(text_));
    dialog_->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * (kProgressSteps - 1)));
    if (!dialog_->isVisible()) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  }

  Control* owner_;
  std::string text_;
  std::optional<QProgressDialog> dialog_;
  QElapsedTimer sinceUpdate_;
};

ProgressDialog::ProgressDialog(Control* owner, const std::string& text) : impl_(std::make_unique<Impl>(owner, text)) {}

ProgressDialog::~ProgressDialog() = default;

bool ProgressDialog::Report(double done) { return impl_->Report(done); }

void ProgressDialog::SetText(const std::string& text) { impl_->SetText(text); }

namespace {

void ShowMessage(QMessageBox::Icon icon, Control* owner, const std::string& text, const std::string& caption,
                 const std::string& details) {
  if (DialogScript* script = DialogScript::Current()) {
    script->Messages.push_back({caption, text, details, icon == QMessageBox::Information});
    return;
  }
  QMessageBox box(icon, QtText(caption), QtText(text), QMessageBox::Ok, ParentWidget(owner));
  if (!details.empty()) {
    box.setDetailedText(QtText(details));
  }
  box.exec();
}

}  // namespace

void ShowErrorMessage(Control* owner, const std::string& text, const std::string& caption, const std::string& details) {
  ShowMessage(QMessageBox::Critical, owner, text, caption, details);
}

void ShowInformationMessage(Control* owner, const std::string& text, const std::string& caption,
                            const std::string& details) {
  ShowMessage(QMessageBox::Information, owner, text, caption, details);
}
