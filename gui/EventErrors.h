#pragma once

#include <functional>

// Errors that reach the platform's event loop. Every handler the platform
// calls runs through RunEventHandler, so that no exception leaves it: one
// that would is handed, inside its catch block, to the reporter the program
// set (its error message box), or without one written to standard error.
void SetEventErrorReporter(std::function<void()> reporter);
void RunEventHandler(const std::function<void()>& handler);
