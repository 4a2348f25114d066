// Language and help files from an untrusted plug-in folder: any bytes must
// parse or fail with a message, never crash, and what parses must hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/language.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (auto lng = host::ParseLanguageFile(text, &error)) {
        if (lng->language.empty()) __builtin_trap();  // a parsed file names its language
    } else if (error.empty()) {
        __builtin_trap();  // a failure always says why
    }
    error.clear();
    if (auto hlf = host::ParseHelpFile(text, &error)) {
        for (const auto& [name, body] : hlf->topics) {
            if (hlf->Topic(name) == nullptr) __builtin_trap();  // every topic can be found by name
        }
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
