// Helpers for the tests of the editor engine: the text in short.
#pragma once

#include <string>

#include "engine/editor.hpp"

namespace engine::test_helpers {

// Texts of all lines, joined by '|', for compact expectations.
inline std::string Texts(const Editor& e) {
    std::string out;
    for (int n = 0; n < e.LineCount(); ++n) {
        if (n) out += '|';
        out += e.LineAt(n).text;
    }
    return out;
}

}  // namespace engine::test_helpers
