// The registry file reader and writer: any bytes parse or fail with a line
// number, never crash; a parsed document, written and read again, keeps every
// key and value it had (names, types and bytes), and writing is stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/ascii.hpp"
#include "winapi/regedit_parse.hpp"
#include "winapi/regedit_write.hpp"

namespace {

bool SameValues(const winreg::RegDocument& a, const winreg::RegDocument& b) {
    if (a.keys.size() != b.keys.size()) return false;
    for (std::size_t k = 0; k < a.keys.size(); ++k) {
        const auto& ka = a.keys[k];
        const auto& kb = b.keys[k];
        if (!ascii::EqualNoCase(ka.path, kb.path)) return false;
        std::size_t ib = 0;
        for (const auto& value : ka.entries) {
            if (value.isComment) continue;
            while (ib < kb.entries.size() && kb.entries[ib].isComment) ++ib;
            if (ib == kb.entries.size()) return false;
            const auto& other = kb.entries[ib++];
            if (value.name != other.name || value.type != other.type || value.data != other.data)
                return false;
        }
        while (ib < kb.entries.size() && kb.entries[ib].isComment) ++ib;
        if (ib != kb.entries.size()) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const winreg::ParseResult first = winreg::ParseRegedit(text);
    if (first.failure) {
        if (first.failure->line == 0 || first.failure->reason.empty()) std::abort();
        return 0;
    }
    const std::string written = winreg::SerialiseRegedit(first.document);
    const winreg::ParseResult second = winreg::ParseRegedit(written);
    if (second.failure || !SameValues(first.document, second.document)) std::abort();

    // Values written afresh (not copied from their source text) read back too.
    winreg::RegDocument fresh = first.document;
    for (auto& key : fresh.keys)
        for (auto& entry : key.entries)
            if (!entry.isComment) entry.source.clear();
    const winreg::ParseResult third = winreg::ParseRegedit(winreg::SerialiseRegedit(fresh));
    if (third.failure || !SameValues(first.document, third.document)) std::abort();
    if (winreg::SerialiseRegedit(third.document) != winreg::SerialiseRegedit(fresh)) std::abort();
    return 0;
}
