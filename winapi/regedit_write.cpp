#include "winapi/regedit_write.hpp"

#include <string_view>

namespace winreg {
namespace {

constexpr std::size_t kLineWidth = 80;
constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
}

std::string QuoteText(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// REG_SZ data that the quoted form carries: one NUL at the end and no
// control characters (a line end would break the line, other controls
// would not survive an editor).
bool FitsQuotedForm(std::string_view data) {
    if (data.empty() || data.back() != '\0') return false;
    data.remove_suffix(1);
    for (const char c : data) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace

std::string FormatValue(const RegEntry& value) {
    if (!value.source.empty()) return value.source;
    std::string line = value.name.empty() ? std::string("@") : QuoteText(value.name);
    line += '=';
    if (value.type == kRegString && FitsQuotedForm(value.data)) {
        line += QuoteText(std::string_view(value.data).substr(0, value.data.size() - 1));
        return line;
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(value.data[i]);
        line += "dword:";
        for (int shift = 28; shift >= 0; shift -= 4) line += kHexDigits[(number >> shift) & 0xF];
        return line;
    }
    if (value.type == kRegBinary) {
        line += "hex:";
    } else {
        std::string type;
        std::uint32_t rest = value.type;
        do {
            type.insert(type.begin(), kHexDigits[rest & 0xF]);
            rest >>= 4;
        } while (rest != 0);
        line += "hex(" + type + "):";
    }
    // As the registry editor writes them: "xx," pieces, and where the next
    // piece and a backslash would pass 80 columns, a backslash and a new line
    // indented by two blanks.
    std::string out;
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        const bool last = i + 1 == value.data.size();
        const std::size_t piece = last ? 2 : 3;
        if (line.size() + piece + 1 > kLineWidth) {
            out += line;
            out += "\\\r\n";
            line = "  ";
        }
        AppendHexByte(line, static_cast<unsigned char>(value.data[i]));
        if (!last) line += ',';
    }
    out += line;
    return out;
}

std::string SerialiseRegedit(const RegDocument& document) {
    std::string out = "REGEDIT4\r\n";
    for (const RegEntry& entry : document.preamble) out += entry.source + "\r\n";
    for (const RegKey& key : document.keys) {
        out += "\r\n[" + key.path + "]\r\n";
        for (const RegEntry& entry : key.entries) {
            out += entry.isComment ? entry.source : FormatValue(entry);
            out += "\r\n";
        }
    }
    out += "\r\n";
    return out;
}

}  // namespace winreg
