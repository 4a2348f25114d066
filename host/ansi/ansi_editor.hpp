// The editor as a plug-in of the 1.x interface sees it: the EditorControl
// commands with their records, over the engine's own operations. Lines and
// columns are the file's bytes, as the engine keeps them. Each command is a
// plug-in's change of the text (engine::Editor::PluginChanges); a record the
// plug-in feeds back (ECTL_PROCESSINPUT) goes to the plug-ins first, nested,
// and then where the host sends it.
//
// It keeps a log of the commands, in order, so that a test can assert "the
// module called ECTL_SETSTRING on line 3" or "nothing was written".
#pragma once

#include <functional>
#include <vector>

#include "api/ansi_api.hpp"
#include "engine/editor.hpp"
#include "host/feed_back.hpp"
#include "host/plugin.hpp"

namespace host {

// One EditorControl call as the editor saw it.
struct ControlCall {
    int command;
    int line;    // StringNumber of GET/SETSTRING as passed, else -1
    int result;  // what the editor answered
};

class AnsiEditor {
public:
    // Offers a fed-back record to the plug-ins; non-zero when one consumed it.
    using PluginInput = std::function<int(const INPUT_RECORD&)>;

    explicit AnsiEditor(engine::Editor& editor);
    AnsiEditor(const AnsiEditor&) = delete;
    AnsiEditor& operator=(const AnsiEditor&) = delete;

    engine::Editor& Engine() const { return editor_; }
    void SetPluginInput(PluginInput input) { pluginInput_ = std::move(input); }
    // Where a fed-back record goes that no plug-in consumed; without one
    // the engine handles it, as the plug-in's change.
    void SetFedBack(FedBackKey fedBack) { fedBack_ = std::move(fedBack); }

    // The EditorControl service: the command's answer, 0 for an unknown one
    // or a record it refuses.
    int Control(int command, void* param);

    const std::vector<ControlCall>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // ECTL_REDRAW calls so far.
    int RedrawCount() const { return redrawCount_; }

private:
    int Run(int command, void* param);
    void FeedInput(const INPUT_RECORD& record);

    engine::Editor& editor_;
    PluginInput pluginInput_;
    FedBackKey fedBack_;
    FeedBackGuard feedGuard_;
    std::vector<ControlCall> log_;
    int redrawCount_ = 0;
};

}  // namespace host
