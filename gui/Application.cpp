#include "gui/Application.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>

#include "gui/ControlImpl.h"

namespace {

// A face with the metrics of the form font, where the system has one outside
// the font configuration.
constexpr const char* kFormFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

// Kept here rather than as Qt's display name, which Qt would append to
// every window caption.
std::string& Title() {
  static std::string title;
  return title;
}

void RegisterFormFonts() {
  for (const char* file : kFormFontFiles) {
    if (QFile::exists(file)) {
      QFontDatabase::addApplicationFont(file);
    }
  }
}

}  // namespace

void InitializeApplication(int& argc, char** argv) {
  if (QApplication::instance() != nullptr) {
    return;
  }
  new QApplication(argc, argv);  // lives until the process ends
  RegisterFormFonts();
}

// Tests, tools and benchmarks get an off-screen platform unless one is named.
void EnsureApplication() {
  if (QApplication::instance() != nullptr) {
    return;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  static int argc = 1;
  static char name[] = "logviewer";
  static char* argv[] = {name, nullptr};
  InitializeApplication(argc, argv);
}

void SetScaleFactor(double factor) { qputenv("QT_SCALE_FACTOR", QByteArray::number(factor)); }

bool DisplayAvailable() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::string ApplicationTitle() { return Title(); }

void SetApplicationTitle(const std::string& title) { Title() = title; }

int RunMessageLoop() { return QApplication::exec(); }

void ProcessPendingEvents() { QApplication::processEvents(); }

std::string ExecutableFileName() {
  EnsureApplication();
  return FileNameFromQt(QApplication::applicationFilePath());
}
