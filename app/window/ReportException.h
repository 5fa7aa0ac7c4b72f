#pragma once

#include <string>

class Control;

// The text an error report shows: the message, with "." appended when its
// last character sorts after "." (so after a digit or letter, not after a
// space, "!", "'", ")" or ".").
std::string ErrorReportText(const std::string& message);

// Shows the error being handled now (call only inside a catch block) in a
// modal message box with the error icon and the application title as
// caption. An error without a message text shows an empty text.
void ReportException(Control* owner = nullptr);
// Shows an error that was returned rather than raised, as ReportException
// shows a raised one; with `information`, under the information icon.
void ReportError(Control* owner, const std::string& message, const std::string& details, bool information = false);
