#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/PictureFormat.h"

struct TPictureFile {
  std::string FileName;
  TPictureFormat Format;
};

// The picture filter of the save dialog, PNG first.
extern const char* const PictureFilter;

// What saving under the chosen name writes: the format its suffix names
// (".png", ".jpg", ".jpeg", ".bmp", ".svg", in any case), or PNG with ".png" added
// to a name without one of them.
TPictureFile PictureFileFor(const std::string& chosen);

// The name offered for a file made of the panes' logs (a picture, an
// export): their names without folder and suffix, joined by "+", with
// `suffix` (".png": "lambda+engine-speed.png"); "logviewer.png" when no
// pane shows a log.
std::string SuggestedFileName(const std::vector<std::string>& logFileNames, std::string_view suffix);

// The caption line of a saved or copied picture: each pane's log by its
// name without folder, after the pane's number ("1: lambda.csv   3:
// coolant.csv"); panes without a log left out, "" when none has one.
std::string PictureCaption(const std::vector<std::string>& logFileNames);
