#include "app/ConfigurationFolder.h"

#include <cstdlib>

// A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
std::string ConfigurationFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    return std::string(config) + "/logviewer/";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config/logviewer/";
}
