#include "gui/EventErrors.h"

#include <exception>
#include <iostream>
#include <utility>

namespace {

std::function<void()>& Reporter() {
  static std::function<void()> reporter;
  return reporter;
}

// Call only inside a catch block.
void WriteCurrentError() {
  try {
    throw;
  } catch (const std::exception& error) {
    std::cerr << "logviewer: " << error.what() << '\n';
  } catch (...) {
    std::cerr << "logviewer: unknown error\n";
  }
}

}  // namespace

void SetEventErrorReporter(std::function<void()> reporter) { Reporter() = std::move(reporter); }

void RunEventHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    try {
      if (Reporter()) {
        Reporter()();
      } else {
        WriteCurrentError();
      }
    } catch (...) {
      WriteCurrentError();  // the report itself failed
    }
  }
}
