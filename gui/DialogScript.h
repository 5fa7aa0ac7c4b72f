#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "gui/Dialogs.h"

// Scripted answers for the dialogs, for tests and headless tools: while one
// of these exists, no dialog or message box is shown; each dialog takes the
// next queued answer (none queued: Cancel) and every message box is recorded.
class DialogScript {
public:
  struct FileAnswer {
    std::vector<std::string> FoldersEntered;  // each fires OnFolderChange
    std::optional<std::string> ChosenFile;    // none: Cancel
  };
  struct ColorAnswer {
    std::optional<TColor> ChosenColor;                // none: Cancel
    std::optional<TCustomColors> EditedCustomColors;  // none: left as offered
  };
  struct Message {
    std::string Caption;
    std::string Text;
    std::string Details;
    bool Information = false;  // the information icon, not the error one
  };
  // A column picker's answer: the column named (none: the one offered),
  // for the pane or, with FillPanes, to fill the panes.
  struct ColumnAnswer {
    std::optional<std::string> Column;
    bool FillPanes = false;
  };
  // What a column picker listed, and the column it offered.
  struct ColumnOffer {
    std::vector<std::string> Columns;
    std::string Offered;
  };
  // What a colour dialog was opened with.
  struct ColorRequest {
    TColor StartColor;
    TCustomColors CustomColors;
  };

  DialogScript();
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // The script in force, or none.
  static DialogScript* Current();

  std::deque<FileAnswer> FileAnswers;
  // The save dialog's answers: a file name, or none for Cancel.
  std::deque<std::optional<std::string>> SaveAnswers;
  std::deque<ColorAnswer> ColorAnswers;
  // The text dialogs' answers: the text typed, or none for Cancel.
  std::deque<std::optional<std::string>> TextAnswers;

  // The column pickers' answers (none: Cancel).
  std::deque<std::optional<ColumnAnswer>> ColumnAnswers;

  std::vector<std::string> FileDialogStartFolders;
  std::vector<std::string> SaveDialogStartFolders;
  // The name each save dialog offered at its start.
  std::vector<std::string> SaveDialogOfferedNames;
  std::vector<ColorRequest> ColorRequests;
  // The text each text dialog offered at its start.
  std::vector<std::string> TextDialogOfferedTexts;
  std::vector<ColumnOffer> ColumnPickerOffers;
  std::vector<Message> Messages;
  // Every share done that a progress dialog was told, and after how many
  // reports its Cancel is pressed (none: never).
  std::vector<double> ProgressReports;
  // The text of the progress dialog at each report.
  std::vector<std::string> ProgressTexts;
  std::optional<std::size_t> CancelProgressAfter;
  // The context menus' answers: the text of the entry picked, or none for a
  // dismissed menu (none queued: dismissed); and the entries of every menu
  // shown.
  std::deque<std::optional<std::string>> MenuAnswers;
  std::vector<std::vector<std::string>> MenusShown;

private:
  DialogScript* previous_;
};
