#pragma once

#include <string>

// The user's configuration folder of the viewer, "$XDG_CONFIG_HOME/logviewer/"
// or "~/.config/logviewer/", ending with "/"; not created.
std::string ConfigurationFolder();
