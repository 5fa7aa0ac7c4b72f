#pragma once

#include <cstdint>
#include <string>

#include "app/window/WindowPicture.h"

class TForm1;

// What the window's commands do beyond its models: the dialogs they ask
// with, and the pictures, figures and samples they give out.

// Ctrl+Up and Ctrl+Down: the pane's value axis zoomed about its middle.
void ZoomValuesByKey(TForm1& form, std::uint8_t pane, bool in);
// Asks for the pane's value range and sets it; raises Exception for a text
// that is no range.
void AskValueRange(TForm1& form, std::uint8_t pane);
// Asks for the seconds to shift the pane's log by; raises Exception for a
// text that is no number of seconds.
void AskLogOffset(TForm1& form, std::uint8_t pane);

void CopyFigures(TForm1& form);
// The samples of the stretch measured, else of the view, to a CSV file the
// user names.
void ExportStretch(TForm1& form);

// What copied and saved pictures show beyond the window's own: the markers,
// the statistics boxes and a caption naming the logs, unless the picture
// is plain.
TPictureExtras PictureExtras(TForm1& form);
// The window's picture without the readout.
void CopyPicture(TForm1& form);
void SavePicture(TForm1& form);
// As SavePicture does, in the format the name's suffix gives.
void SavePictureAs(TForm1& form, const std::string& fileName);
