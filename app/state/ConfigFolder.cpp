#include "app/state/ConfigFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return home;
  }
  const passwd* user = getpwuid(getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::string ConfigFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    return std::string(config) + "/logviewer/";
  }
  return HomeFolder() + "/.config/logviewer/";
}
