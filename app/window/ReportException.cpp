#include "app/window/ReportException.h"

#include <exception>

#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "runtime/Exception.h"
#include "runtime/PrintableText.h"

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
  ShowErrorMessage(owner, ErrorReportText(error.Message), ApplicationTitle(), error.Details);
}

void ReportLogError(Control* owner, const TLogError& error) {
  std::string text = PrintableText(ErrorReportText(error.Message));
  if (!error.Place.empty()) {
    text += "\n" + PrintableText(error.Place);
  }
  (error.Information ? ShowInformationMessage : ShowErrorMessage)(owner, text, ApplicationTitle(),
                                                                  PrintableText(error.Details));
}
