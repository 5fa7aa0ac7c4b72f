#pragma once

#include <string>

// The platform's application object: created once per process, before any
// window. The program passes its command line; tools and tests that only
// need fonts and off-screen windows call EnsureApplication.
void InitializeApplication(int& argc, char** argv);
void EnsureApplication();
// Before the application object exists: device pixels per window pixel for
// every window, as a high-density screen gives them.
void SetScaleFactor(double factor);

// Whether a window can be shown: a display server is named in the
// environment, or a platform is chosen explicitly.
bool DisplayAvailable();

std::string ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// Runs the message loop until the last window closes.
int RunMessageLoop();
// Handles what is pending now (paints, timers) and returns.
void ProcessPendingEvents();

// The full path of the running program.
std::string ExecutableFileName();
