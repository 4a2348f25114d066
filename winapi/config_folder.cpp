#include "winapi/config_folder.hpp"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>

namespace winreg {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string ConfigFolder() {
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        std::string home = Environment("HOME");
        if (home.empty()) {
            if (const passwd* user = ::getpwuid(::getuid());
                user != nullptr && user->pw_dir != nullptr) {
                home = user->pw_dir;
            }
        }
        if (home.empty()) return {};
        config = home + "/.config";
    }
    return config + "/marten";
}

}  // namespace winreg
