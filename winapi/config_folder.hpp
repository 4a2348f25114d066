// The folder where marten keeps what it stores for the user: the registry
// file of the ANSI plug-ins and the settings store of the Unicode ones.
#pragma once

#include <string>

namespace winreg {

// The value of an environment variable, empty when it is not set.
std::string Environment(const char* name);

// $XDG_CONFIG_HOME/marten (an absolute XDG_CONFIG_HOME only); else
// ~/.config/marten, the home folder from $HOME or the user database. Empty
// when no home folder is known.
std::string ConfigFolder();

}  // namespace winreg
