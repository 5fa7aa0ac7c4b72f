#pragma once

#include <string>
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

// The name offered for the picture of the panes' logs: their names without
// folder and suffix, joined by "+", with ".png" ("lambda+engine-speed.png");
// "logviewer.png" when no pane shows a log.
std::string SuggestedPictureName(const std::vector<std::string>& logFileNames);

// The caption line of a saved or copied picture: each pane's log by its
// name without folder, after the pane's number ("1: lambda.csv   3:
// coolant.csv"); panes without a log left out, "" when none has one.
std::string PictureCaption(const std::vector<std::string>& logFileNames);
