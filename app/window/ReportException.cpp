#include "app/window/ReportException.h"

#include <exception>

#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "runtime/Exception.h"

namespace {

struct TErrorReport {
  std::string Message;
  std::string Details;
};

TErrorReport CurrentError() {
  try {
    throw;
  } catch (const Exception& error) {
    return {error.what(), error.Details};
  } catch (const std::exception& error) {
    return {error.what(), ""};
  } catch (...) {
    return {"", ""};
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
  const TErrorReport error = CurrentError();
  ReportError(owner, error.Message, error.Details);
}

void ReportError(Control* owner, const std::string& message, const std::string& details, bool information) {
  (information ? ShowInformationMessage : ShowErrorMessage)(owner, ErrorReportText(message), ApplicationTitle(),
                                                            details);
}
