// The editor engine of the host of our own: lines of bytes each with its own
// end-of-line, a cursor that may stand beyond the end of a line, the editor's
// character table, the EditorControl commands and the editor's own handling
// of keys. It stands in for the file manager's editor wherever the module
// relies on it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "api/plugin_api.hpp"
#include "host/codepage.hpp"

namespace host {

struct Line {
    std::string text;  // bytes in the editor's table, without the end-of-line
    std::string eol;   // "\r\n", "\n", "\r" or "" (only the last line)
};

struct EditorOptions {
    int tabSize = 8;
    // The editor's own auto-indent, for Enter and for ECTL_INSERTSTRING with
    // a non-zero flag; off by default, as in the file manager.
    bool autoIndent = false;
    int windowWidth = 80;
    int windowHeight = 24;
};

// One EditorControl call as the engine saw it, for tests.
struct ControlCall {
    int command;
    int line;    // StringNumber of GET/SETSTRING as passed, else -1
    int result;  // what the engine answered
};

class Editor {
public:
    // Splits `bytes` into lines, each keeping its own end-of-line.
    Editor(std::string fileName, std::string_view bytes, CodePage table = CodePage::Oem866,
           EditorOptions options = {});
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Document
    const std::string& FileName() const;
    int LineCount() const;
    const Line& LineAt(int n) const;  // 0 <= n < LineCount()
    std::string Bytes() const;        // the document as it is saved
    bool Modified() const;
    void MarkSaved();

    // Character table: the bytes stay as in the file, the table says how they read.
    CodePage Table() const;
    void SetTable(CodePage table);

    // Cursor (0-based; the column may lie beyond the end of the line)
    int CurLine() const;
    int CurPos() const;
    void SetCursor(int line, int pos);
    bool Overtype() const;
    int TopLine() const;
    int LeftPos() const;
    const EditorOptions& Options() const;
    void SetWindowSize(int width, int height);

    // The host's editor commands, as the EditorControl service receives them.
    int Control(int command, void* param);

    // The editor's own handling of an input record (after the plug-ins declined it).
    void ProcessInput(const INPUT_RECORD& record);

    // The plug-ins' ProcessEditorInput, which a record fed back with
    // ECTL_PROCESSINPUT is offered to first; answers non-zero when consumed.
    using PluginInput = std::function<int(const INPUT_RECORD&)>;
    void SetPluginInput(PluginInput input);
    // A record fed back by a plug-in: offered to the plug-ins (a nested
    // call), then, when none consumed it, handled by the editor.
    void FeedInput(const INPUT_RECORD& record);

    // What the module asked of the editor, in order.
    const std::vector<ControlCall>& Log() const;
    void ClearLog();
    int RedrawCount() const;

    // The engine's state, defined in editor_impl.hpp for the engine's own files.
    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
