#include "edit/ui/history_store.hpp"

#include <cstdlib>
#include <filesystem>

#include "edit/file/text_file.hpp"

namespace edit {
namespace {

// One entry per line; a backslash escapes itself, the line end and CR.
std::string Escape(std::string_view entry) {
    std::string out;
    for (char c : entry) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out.push_back(c); break;
        }
    }
    return out;
}

std::string Unescape(std::string_view line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            char next = line[++i];
            out.push_back(next == 'n' ? '\n' : next == 'r' ? '\r' : next);
        } else {
            out.push_back(line[i]);
        }
    }
    return out;
}

}  // namespace

HistoryStore::HistoryStore(std::string folder) : folder_(std::move(folder)) {}

std::string HistoryStore::DefaultFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/marten/history";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/marten/history";
    return {};
}

HistoryStore HistoryStore::Subfolder(std::string_view name) const {
    return HistoryStore(folder_.empty() ? std::string() : folder_ + "/" + std::string(name));
}

std::string HistoryStore::FileNameFor(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string file;
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                     (byte >= '0' && byte <= '9') || byte == '_' || byte == '-' ||
                     (byte == '.' && !file.empty());
        if (plain) {
            file.push_back(c);
        } else {
            file.push_back('%');
            file.push_back(kHex[byte >> 4]);
            file.push_back(kHex[byte & 15]);
        }
    }
    return file.empty() ? "%" : file;
}

std::vector<std::string> HistoryStore::Load(std::string_view name) const {
    std::vector<std::string> entries;
    if (folder_.empty()) return entries;
    FileContents contents = ReadWholeFile(folder_ + "/" + FileNameFor(name));
    if (contents.state != FileContents::State::Read) return entries;
    std::string_view rest = contents.bytes;
    while (!rest.empty() && entries.size() < kMaxEntries) {
        auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty()) entries.push_back(Unescape(line));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return entries;
}

bool HistoryStore::Add(std::string_view name, std::string_view entry, std::string* error) const {
    if (entry.empty()) return true;
    if (folder_.empty()) {
        if (error) *error = "no folder for histories (HOME is not set)";
        return false;
    }
    std::vector<std::string> entries = Load(name);
    std::erase(entries, std::string(entry));
    entries.insert(entries.begin(), std::string(entry));
    if (entries.size() > kMaxEntries) entries.resize(kMaxEntries);
    std::string bytes;
    for (const std::string& e : entries) bytes += Escape(e) + "\n";
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec) {
        if (error) *error = "cannot create " + folder_ + ": " + ec.message();
        return false;
    }
    return SaveWholeFile(folder_ + "/" + FileNameFor(name), bytes, error);
}

}  // namespace edit
