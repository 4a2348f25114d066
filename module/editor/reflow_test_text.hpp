// Text for the reflow's tests: lines written in UTF-8 or as code points,
// made into lines of any character type the rules serve (bytes, UTF-16,
// UTF-32), run through the command, and the command's edits applied.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "module/editor/reflow.hpp"

namespace marten::reflowtest {

template <class C>
using Lines = std::vector<std::basic_string<C>>;

inline std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int more = byte < 0x80 ? 0 : byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
        char32_t c = more == 0 ? byte : byte & (0x3F >> more);
        for (int k = 1; k <= more; ++k) c = (c << 6) | (text[i + k] & 0x3F);
        out += c;
        i += 1 + more;
    }
    return out;
}

// Code points as lines of C: UTF-16 where C has two bytes (pairs for the
// characters past the first plane), one unit each where it has four, and one
// byte each where it has one: ASCII as it is, anything else a byte of the
// upper half, as a Cyrillic letter is in the 8-bit tables.
template <class C>
std::basic_string<C> Encode(std::u32string_view text) {
    std::basic_string<C> out;
    for (const char32_t c : text) {
        if (sizeof(C) == 2 && c >= 0x10000) {
            out += C(0xD800 + ((c - 0x10000) >> 10));
            out += C(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (sizeof(C) == 1 && c >= 0x80) {
            out += static_cast<C>(0x80 | (c & 0x7F));
        } else {
            out += C(c);
        }
    }
    return out;
}

template <class C>
std::basic_string<C> FromUtf8(std::string_view text) {
    return Encode<C>(DecodeUtf8(text));
}

// A line of C back in UTF-8, for comparisons that print readably.
template <class C>
std::string ToUtf8(std::basic_string_view<C> text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const CodePoint c = CodePointAt(text, i);
        i += c.units;
        const char32_t v = c.value;
        // A lead byte that says how many continuation bytes of six bits follow.
        const int more = v < 0x80 ? 0 : v < 0x800 ? 1 : v < 0x10000 ? 2 : 3;
        static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[more] | (v >> (6 * more)));
        for (int k = more - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((v >> (6 * k)) & 0x3F));
    }
    return out;
}

template <class C>
std::vector<std::string> ToUtf8(const Lines<C>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) out.push_back(ToUtf8(std::basic_string_view<C>(line)));
    return out;
}

// A line source over test lines that notes which lines the command read.
template <class C>
class RecordingLines {
public:
    explicit RecordingLines(const Lines<C>& lines) : lines_(lines) {}
    std::size_t LineCount() const { return lines_.size(); }
    std::basic_string_view<C> Line(std::size_t i) {
        read.push_back(i);
        return lines_.at(i);
    }
    std::vector<std::size_t> read;

private:
    const Lines<C>& lines_;
};

template <class C>
ReflowResult<C> RunReflow(const Lines<C>& lines, const ReflowRequest& request) {
    RecordingLines<C> source(lines);
    return Reflow(source, request);
}

// Applies the edits as a face does: from the last to the first.
template <class C>
void ApplyEdits(Lines<C>& lines, const ReflowResult<C>& result) {
    for (auto edit = result.edits.rbegin(); edit != result.edits.rend(); ++edit) {
        const auto at = lines.begin() + static_cast<std::ptrdiff_t>(edit->firstLine);
        lines.erase(at, at + static_cast<std::ptrdiff_t>(edit->oldCount));
        Lines<C> made;
        for (std::size_t k = 0; k < edit->LineCount(); ++k) made.emplace_back(edit->Line(k));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(edit->firstLine), made.begin(),
                     made.end());
    }
}

}  // namespace marten::reflowtest
