#include "app/ReportException.h"

#include <exception>

#include "gui/Application.h"
#include "gui/Dialogs.h"

namespace {

std::string CurrentErrorMessage() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "";
  }
}

}  // namespace

std::string ErrorReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
    return message + ".";
  }
  return message;
}

void ReportException(Control* owner) {
  ShowErrorMessage(owner, ErrorReportText(CurrentErrorMessage()), ApplicationTitle());
}
