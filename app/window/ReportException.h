#pragma once

#include <string>

#include "app/document/TLogDocument.h"

class Control;

// The text an error report shows: the message, with "." appended when its
// last character sorts after "." (so after a digit or letter, not after a
// space, "!", "'", ")" or ".").
std::string ErrorReportText(const std::string& message);

// Shows the error being handled now (call only inside a catch block) in a
// modal message box with the error icon and the application title as
// caption. An error without a message text shows an empty text.
void ReportException(Control* owner = nullptr);
// Shows an error of a log that was returned rather than raised, as
// ReportException shows a raised one, with the place of a bad line on a line
// of its own; a Cancel under the information icon. Bytes a box cannot show
// are written as "\xNN".
void ReportLogError(Control* owner, const TLogError& error);
