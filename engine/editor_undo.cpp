// The editor's undo and redo as its users see them; the history itself,
// which every change of the text goes through, is undo_history.cpp.
#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"

namespace engine {

bool Editor::Impl::Restore(const UndoHistory::Outcome& outcome) {
    if (outcome.cursor) {
        block.reset();
        SetCursor(outcome.cursor->line, outcome.cursor->byteColumn);
    }
    return outcome.taken;
}

Editor::UndoStep::UndoStep(Editor& editor) : editor_(editor) { editor_.impl_->history.Begin(); }
Editor::UndoStep::~UndoStep() { editor_.impl_->history.End(); }

Editor::PluginChanges::PluginChanges(Editor& editor) : UndoStep(editor) {
    ++editor_.impl_->pluginDepth;
}
Editor::PluginChanges::~PluginChanges() { --editor_.impl_->pluginDepth; }

bool Editor::Undo() { return impl_->Settle(impl_->Restore(impl_->history.Undo())); }
bool Editor::Redo() { return impl_->Settle(impl_->Restore(impl_->history.Redo())); }

bool Editor::CanUndo() const { return impl_->history.CanUndo(); }
bool Editor::CanRedo() const { return impl_->history.CanRedo(); }

Editor::HistorySize Editor::UndoHistorySize() const {
    return {impl_->history.Steps(), impl_->history.Bytes()};
}

bool Editor::Modified() const { return impl_->history.Modified(); }
void Editor::MarkSaved() { impl_->history.MarkSaved(); }

}  // namespace engine
