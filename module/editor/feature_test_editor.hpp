// A small stand-in for the host's editor, for the unit tests of the editor
// features: it serves EditorControl from a list of lines, records every
// command, and carries out ECTL_INSERTSTRING as the real editor does (the
// line broken at the cursor, the cursor on the new line at column 0 or, with
// the indent flag, at the leading blanks of the line above). The character
// tables are the identity unless a test sets a byte map.
#pragma once

#include <array>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "api/plugin_api.hpp"
#include "module/plugin/host_info.hpp"

namespace marten::testing_editor {

struct FeatureTestEditor {
    std::vector<std::string> lines{""};
    int curLine = 0;
    int curPos = 0;
    int autoIndentColumn = -1;  // >= 0: the column INSERTSTRING with the flag gives instead
    std::string fileName = "/home/user/reply.msg";
    std::vector<int> commands;  // ECTL_ numbers in order
    std::vector<INPUT_RECORD> fedKeys;
    int insertLimit = 1000000;  // more inserts than this mean a wrap that does not end
    bool insertLimitHit = false;
    std::array<unsigned char, 256> toOem{};
    std::array<unsigned char, 256> toEditor{};

    FeatureTestEditor() {
        std::iota(toOem.begin(), toOem.end(), 0);
        std::iota(toEditor.begin(), toEditor.end(), 0);
    }

    // Lines written by the module in the order of the document.
    const std::vector<std::string>& Lines() const { return lines; }

    int Control(int command, void* param) {
        commands.push_back(command);
        switch (command) {
        case ECTL_GETINFO: {
            auto* info = static_cast<EditorInfo*>(param);
            std::memset(info, 0, sizeof *info);
            info->FileName = fileName.c_str();
            info->TotalLines = static_cast<int>(lines.size());
            info->CurLine = curLine;
            info->CurPos = curPos;
            return 1;
        }
        case ECTL_GETSTRING: {
            auto* get = static_cast<EditorGetString*>(param);
            const int n = get->StringNumber == -1 ? curLine : get->StringNumber;
            if (n < 0 || n >= static_cast<int>(lines.size())) return 0;
            get->StringText = lines[static_cast<std::size_t>(n)].data();
            get->StringEOL = "\r\n";
            get->StringLength = static_cast<int>(lines[static_cast<std::size_t>(n)].size());
            get->SelStart = get->SelEnd = -1;
            return 1;
        }
        case ECTL_SETSTRING: {
            auto* set = static_cast<EditorSetString*>(param);
            const int n = set->StringNumber == -1 ? curLine : set->StringNumber;
            if (n < 0 || n >= static_cast<int>(lines.size())) return 0;
            lines[static_cast<std::size_t>(n)].assign(set->StringText,
                                                      static_cast<std::size_t>(set->StringLength));
            return 1;
        }
        case ECTL_SETPOSITION: {
            auto* pos = static_cast<EditorSetPosition*>(param);
            if (pos->CurLine != -1) curLine = pos->CurLine;
            if (pos->CurPos != -1) curPos = pos->CurPos;
            return 1;
        }
        case ECTL_INSERTSTRING: {
            if (static_cast<int>(lines.size()) > insertLimit) {
                insertLimitHit = true;
                return 0;
            }
            const bool indent = param != nullptr && *static_cast<int*>(param) != 0;
            std::string& line = lines[static_cast<std::size_t>(curLine)];
            const std::size_t at = std::min(line.size(), static_cast<std::size_t>(curPos));
            std::string moved = line.substr(at);
            line.resize(at);
            int column = 0;
            if (indent) {
                column = autoIndentColumn >= 0
                             ? autoIndentColumn
                             : static_cast<int>(std::min(line.find_first_not_of(" \t"), line.size()));
            }
            lines.insert(lines.begin() + curLine + 1, moved);
            ++curLine;
            curPos = column;
            return 1;
        }
        case ECTL_REDRAW:
            return 1;
        case ECTL_EDITORTOOEM:
        case ECTL_OEMTOEDITOR: {
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
};

inline FeatureTestEditor* current = nullptr;

inline int WINAPI ServeEditorControl(int command, void* param) {
    return current->Control(command, param);
}

// Installs `editor` as the host's editor for as long as it lives.
struct InstalledEditor {
    explicit InstalledEditor(FeatureTestEditor& editor) {
        current = &editor;
        HostInfo.EditorControl = ServeEditorControl;
    }
    ~InstalledEditor() {
        HostInfo.EditorControl = nullptr;
        current = nullptr;
    }
    InstalledEditor(const InstalledEditor&) = delete;
    InstalledEditor& operator=(const InstalledEditor&) = delete;
};

}  // namespace marten::testing_editor
