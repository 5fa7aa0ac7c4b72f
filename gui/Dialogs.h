#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "gui/Color.h"

class Control;
class QFileDialog;

// The platform's file-open dialog for one existing file.
class FileOpenDialog {
public:
  // Choices as "name|pattern|name|pattern...", the first selected at start.
  std::string Filter;
  // The file chosen (after Execute returned true), or while the dialog is
  // open the folder the user entered last.
  std::string FileName;
  // Fired while the dialog is open, each time the user enters a folder.
  std::function<void()> OnFolderChange;

  std::string InitialDir() const { return initialDir_; }
  // One trailing "/" is dropped, except from the root "/" itself.
  void SetInitialDir(const std::string& folder);

  // Runs the dialog modally; true when the user chose a file.
  bool Execute(Control* owner);

private:
  void ReportFolderChanges(QFileDialog& dialog);

  std::string initialDir_;
};

// The platform's dialog that asks for the name of a file to write.
class FileSaveDialog {
public:
  // As in FileOpenDialog.
  std::string Filter;
  // The extension added to a name typed without one, without the dot.
  std::string DefaultExtension;
  std::string InitialDir;
  // The name offered in InitialDir when the dialog opens (none when empty);
  // after Execute returned true, the file chosen.
  std::string FileName;

  // Runs the dialog modally; true when the user chose a file name.
  bool Execute(Control* owner);
};

// A small modal dialog asking for one line of text.
class TextInputDialog {
public:
  std::string Caption;
  std::string Label;
  // The text offered when the dialog opens; after Execute returned true,
  // the text the user left.
  std::string Text;

  // Runs the dialog modally; true on OK.
  bool Execute(Control* owner);
};

constexpr int CustomColorCount = 16;
using TCustomColors = std::array<TColor, CustomColorCount>;

// The platform's colour chooser with its 16 custom colour slots.
class ColorDialog {
public:
  TColor Color = clBlack;
  TCustomColors CustomColors = DefaultCustomColors();

  // Runs the dialog modally; true on OK, with Color and CustomColors as the
  // user left them.
  bool Execute(Control* owner);

  static TCustomColors DefaultCustomColors();
};

// A modal progress dialog with Cancel for work that may take long; it
// appears only once the work has run for a moment, so short work shows
// nothing. Until it appears the windows still repaint, but take no input.
class ProgressDialog {
public:
  ProgressDialog(Control* owner, const std::string& text);
  ~ProgressDialog();
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  // Tells the share done (0 to 1) and lets the windows repaint; true once
  // the user pressed Cancel.
  bool Report(double done);
  // The text above the bar, from the next report on.
  void SetText(const std::string& text);

private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// A modal message box with the error icon and a single OK button; details,
// when given, are offered behind a button of the box.
void ShowErrorMessage(Control* owner, const std::string& text, const std::string& caption,
                      const std::string& details = "");
// The same with the information icon: what the user asked for, told.
void ShowInformationMessage(Control* owner, const std::string& text, const std::string& caption,
                            const std::string& details = "");
