#include "edit/ui/help_text.hpp"

#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

HelpLine ParseLine(std::string_view line, bool utf8, int* links) {
    HelpLine result;
    if (!line.empty() && line[0] == '$') {
        result.heading = true;
        line.remove_prefix(1);
    }
    if (!line.empty() && line[0] == '^') {
        result.centred = true;
        line.remove_prefix(1);
    }
    HelpSpan span;
    auto flush = [&] {
        if (!span.text.empty()) result.spans.push_back(span);
        span.text.clear();
        span.target.clear();
    };
    std::u32string text = utf8 ? Utf8ToText(line) : OemToText(line);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if ((ch == U'#' || ch == U'~') && i + 1 < text.size() && text[i + 1] == ch) {
            span.text.push_back(ch);
            ++i;
        } else if (ch == U'#' && span.kind != HelpSpan::Kind::Link) {
            flush();
            span.kind =
                span.kind == HelpSpan::Kind::Bold ? HelpSpan::Kind::Plain : HelpSpan::Kind::Bold;
        } else if (ch == U'~') {
            if (span.kind != HelpSpan::Kind::Link) {
                flush();
                span.kind = HelpSpan::Kind::Link;
                continue;
            }
            // The end of a link's text; "@Topic@" follows.
            std::size_t at = i + 1;
            if (at < text.size() && text[at] == U'@') {
                std::size_t end = text.find(U'@', at + 1);
                if (end == std::u32string::npos) end = text.size();
                const std::u32string target = text.substr(at + 1, end - at - 1);
                span.target = utf8 ? TextToUtf8(target) : TextToOem(target);
                i = end;
            }
            if (!span.text.empty()) {
                span.link = (*links)++;
                result.spans.push_back(span);
            }
            span = HelpSpan{};
        } else {
            span.text.push_back(ch);
        }
    }
    if (span.kind == HelpSpan::Kind::Link && !span.text.empty()) span.link = (*links)++;
    flush();
    return result;
}

bool StartsParagraph(std::string_view raw) {
    return raw.empty() || raw[0] == ' ' || raw[0] == '$' || raw[0] == '^' || raw[0] == '\t';
}

}  // namespace

std::vector<HelpLine> ParseHelpTopic(std::string_view body, bool utf8) {
    std::vector<HelpLine> paragraphs;
    int links = 0;
    bool open = false;  // the last paragraph may take a continuation line
    while (!body.empty()) {
        auto end = body.find('\n');
        std::string_view raw = body.substr(0, end);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        HelpLine line = ParseLine(raw, utf8, &links);
        if (open && !StartsParagraph(raw) && !paragraphs.empty()) {
            HelpLine& last = paragraphs.back();
            AppendSpan(last, HelpSpan{HelpSpan::Kind::Plain, U" ", "", -1});
            for (const HelpSpan& s : line.spans) AppendSpan(last, s);
        } else {
            paragraphs.push_back(line);
            open = !raw.empty() && !line.heading && !line.centred;
        }
        if (end == std::string_view::npos) break;
        body.remove_prefix(end + 1);
    }
    while (!paragraphs.empty() && paragraphs.back().spans.empty() && !paragraphs.back().heading) {
        paragraphs.pop_back();
    }
    return paragraphs;
}

void AppendSpan(HelpLine& line, const HelpSpan& span) {
    if (!line.spans.empty() && line.spans.back().kind == span.kind &&
        line.spans.back().link == span.link) {
        line.spans.back().text += span.text;
    } else {
        line.spans.push_back(span);
    }
}

int LineLength(const HelpLine& line) {
    int n = 0;
    for (const HelpSpan& s : line.spans) n += static_cast<int>(s.text.size());
    return n;
}

HelpTarget ParseHelpTarget(std::string_view link) {
    HelpTarget target;
    if (link.starts_with('<')) {
        if (auto close = link.find('>'); close != std::string_view::npos) {
            target.file = link.substr(1, close - 1);
            link.remove_prefix(close + 1);
            if (link.empty()) link = "Contents";
        }
    }
    target.topic = link;
    return target;
}

}  // namespace edit
