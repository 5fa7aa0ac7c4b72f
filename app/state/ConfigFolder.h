#pragma once

#include <string>

// The folder of the viewer's own files in the user's configuration, ending
// with "/": "$XDG_CONFIG_HOME/logviewer/" when that variable holds an
// absolute path, else "~/.config/logviewer/", the home folder taken from
// HOME or, when that is unset or empty (a service, sudo -H), from the
// user's entry in the password database. The folder may not exist yet.
std::string ConfigFolder();
