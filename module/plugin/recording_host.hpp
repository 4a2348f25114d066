// For the unit tests: stand-ins for the host's EditorControl, CmpName and
// GetMsg services that record every call. The editor serves a list of lines
// (each handed out without a terminating zero byte, as the host may), and
// converts between tables by a byte map that is the identity unless a test
// sets it. Installing a host fills HostInfo as SetStartupInfo would, without
// touching the registry.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "api/plugin_api.hpp"
#include "module/plugin/host_info.hpp"

namespace marten::recording {

// One EditorControl call: the command and, for GET/SETSTRING, the line number passed.
struct Call {
    int command;
    int line = -2;  // -2: the command has no line number
    bool operator==(const Call&) const = default;
};

struct NameComparison {
    std::string pattern;
    std::string name;
    int skipPath;
};

struct RecordingHost {
    std::vector<std::string> lines{""};
    int curLine = 0;
    int curPos = 0;
    std::string fileName = "C:\\Fido\\reply.msg";
    bool nullFileName = false;
    std::array<unsigned char, 256> toOem{};
    std::array<unsigned char, 256> toEditor{};
    bool refuseConversions = false;

    std::vector<Call> calls;
    std::vector<NameComparison> comparisons;
    std::vector<INPUT_RECORD> fedKeys;
    std::vector<EditorSetString> stores;  // as passed; StringText valid only during the call
    std::vector<std::string> storedTexts;
    std::vector<int> insertFlags;  // the flag behind INSERTSTRING's pointer, -1 for null
    std::vector<EditorSetPosition> positions;
    std::vector<void*> redrawParams;

    std::string title = "Marten";
    int getMsgCalls = 0;
    int lastMsgId = -1;
    int lastMsgModule = -1;

    RecordingHost() {
        std::iota(toOem.begin(), toOem.end(), 0);
        std::iota(toEditor.begin(), toEditor.end(), 0);
    }

    std::vector<int> Commands() const {
        std::vector<int> commands;
        for (const Call& call : calls) commands.push_back(call.command);
        return commands;
    }

    int Control(int command, void* param) {
        Call call{command};
        if (command == ECTL_GETSTRING) call.line = static_cast<EditorGetString*>(param)->StringNumber;
        if (command == ECTL_SETSTRING) call.line = static_cast<EditorSetString*>(param)->StringNumber;
        calls.push_back(call);
        switch (command) {
        case ECTL_GETINFO: {
            auto* info = static_cast<EditorInfo*>(param);
            *info = EditorInfo{};
            info->FileName = nullFileName ? nullptr : fileName.c_str();
            info->TotalLines = static_cast<int>(lines.size());
            info->CurLine = curLine;
            info->CurPos = curPos;
            return 1;
        }
        case ECTL_GETSTRING: {
            auto* get = static_cast<EditorGetString*>(param);
            const int n = get->StringNumber == -1 ? curLine : get->StringNumber;
            if (n < 0 || n >= static_cast<int>(lines.size())) return 0;
            // The text is followed by bytes that are not part of the line.
            served_ = lines[static_cast<std::size_t>(n)] + "#not-the-line#";
            get->StringText = served_.data();
            get->StringEOL = "\r\n";
            get->StringLength = static_cast<int>(lines[static_cast<std::size_t>(n)].size());
            return 1;
        }
        case ECTL_SETSTRING: {
            auto* set = static_cast<EditorSetString*>(param);
            stores.push_back(*set);
            storedTexts.emplace_back(set->StringText, static_cast<std::size_t>(set->StringLength));
            const int n = set->StringNumber == -1 ? curLine : set->StringNumber;
            if (n < 0 || n >= static_cast<int>(lines.size())) return 0;
            lines[static_cast<std::size_t>(n)] = storedTexts.back();
            return 1;
        }
        case ECTL_SETPOSITION: {
            auto* pos = static_cast<EditorSetPosition*>(param);
            positions.push_back(*pos);
            if (pos->CurLine != -1) curLine = pos->CurLine;
            if (pos->CurPos != -1) curPos = pos->CurPos;
            return 1;
        }
        case ECTL_INSERTSTRING: {
            insertFlags.push_back(param != nullptr ? *static_cast<int*>(param) : -1);
            std::string& line = lines[static_cast<std::size_t>(curLine)];
            const std::size_t at = std::min(line.size(), static_cast<std::size_t>(curPos));
            std::string moved = line.substr(at);
            line.resize(at);
            lines.insert(lines.begin() + curLine + 1, moved);
            ++curLine;
            curPos = 0;
            return 1;
        }
        case ECTL_REDRAW:
            redrawParams.push_back(param);
            return 1;
        case ECTL_EDITORTOOEM:
        case ECTL_OEMTOEDITOR: {
            if (refuseConversions) return 0;
            auto* convert = static_cast<EditorConvertText*>(param);
            const auto& map = command == ECTL_EDITORTOOEM ? toOem : toEditor;
            for (int i = 0; i < convert->TextLength; ++i) {
                auto& byte = reinterpret_cast<unsigned char&>(convert->Text[i]);
                byte = map[byte];
            }
            return 1;
        }
        case ECTL_PROCESSINPUT:
            fedKeys.push_back(*static_cast<const INPUT_RECORD*>(param));
            return 1;
        default:
            return 0;
        }
    }

    // '*' any run, '?' any one character, letters as they are; the name part
    // only when skipPath is set. Enough for the masks the tests use.
    int CompareName(const char* pattern, const char* name, int skipPath) {
        comparisons.push_back({pattern, name, skipPath});
        std::string_view subject = name;
        if (skipPath != 0) {
            const std::size_t cut = subject.find_last_of("\\/:");
            if (cut != std::string_view::npos) subject.remove_prefix(cut + 1);
        }
        return Glob(pattern, subject) ? 1 : 0;
    }

    const char* Message(int module, int id) {
        ++getMsgCalls;
        lastMsgModule = module;
        lastMsgId = id;
        return title.c_str();
    }

private:
    static bool Glob(std::string_view pattern, std::string_view name) {
        if (pattern.empty()) return name.empty();
        if (pattern[0] == '*') {
            for (std::size_t skip = 0; skip <= name.size(); ++skip) {
                if (Glob(pattern.substr(1), name.substr(skip))) return true;
            }
            return false;
        }
        if (name.empty()) return false;
        if (pattern[0] != '?' && pattern[0] != name[0]) return false;
        return Glob(pattern.substr(1), name.substr(1));
    }

    std::string served_;
};

inline RecordingHost* current = nullptr;

inline int WINAPI ServeEditorControl(int command, void* param) {
    return current->Control(command, param);
}
inline int WINAPI ServeCmpName(const char* pattern, const char* name, int skipPath) {
    return current->CompareName(pattern, name, skipPath);
}
inline const char* WINAPI ServeGetMsg(int module, int id) {
    return current->Message(module, id);
}

// The host's record as a host of this interface version passes it.
inline PluginStartupInfo StartupInfoOf(const char* rootKey) {
    PluginStartupInfo info{};
    info.StructSize = kKnownStartupInfoSize;
    std::strcpy(info.ModuleName, "marten.so");
    info.ModuleNumber = 42;
    info.RootKey = rootKey;
    info.GetMsg = ServeGetMsg;
    info.CmpName = ServeCmpName;
    info.EditorControl = ServeEditorControl;
    return info;
}

// Makes `host` the host of the module (HostInfo filled directly) for as long as it lives.
struct InstalledHost {
    explicit InstalledHost(RecordingHost& host) : saved_(HostInfo) {
        current = &host;
        HostInfo = StartupInfoOf("Software\\Test");
    }
    ~InstalledHost() {
        HostInfo = saved_;
        current = nullptr;
    }
    InstalledHost(const InstalledHost&) = delete;
    InstalledHost& operator=(const InstalledHost&) = delete;

private:
    PluginStartupInfo saved_;
};

}  // namespace marten::recording
