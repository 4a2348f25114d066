// The Unicode interface's text is wchar_t on Windows and char16_t natively:
// the same UTF-16 units under two names, which these pass between.
#pragma once

#include "api/unicode_api.hpp"

namespace host {

inline const char16_t* Utf16Of(const unicode_api::WChar* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline const unicode_api::WChar* InterfaceText(const char16_t* text) {
    return reinterpret_cast<const unicode_api::WChar*>(text);
}

}  // namespace host
