// What a face of the wide interfaces does around the rules for one key
// record, whatever its host's records: the lines the features work in at
// each depth of nesting, the remembered outcome of the mask test, and the
// undo step that makes the key and all the module did on it one.
#pragma once

#include "api/ansi_api.hpp"
#include "module/editor/dispatch.hpp"

namespace marten {

// The lines a feature works in. They outlive the key, so that typing reuses
// their storage instead of allocating it for every record.
template <class Line>
struct FeatureLines {
    Line editorLine;  // the line a feature edits, as the editor holds it
    Line workLine;    // the line the rules read: the same text
    Line peerLine;    // the neighbouring line, or in the wrap the line being written
    Line quotePrefix;
};

// The lines as an editor of the features holds them: references to lines
// that outlive it, which serve no other editor meanwhile.
template <class Line>
struct FeatureLineRefs {
    explicit FeatureLineRefs(FeatureLines<Line>& lines)
        : editorLine(lines.editorLine),
          workLine(lines.workLine),
          peerLine(lines.peerLine),
          quotePrefix(lines.quotePrefix) {}

    Line& editorLine;
    Line& workLine;
    Line& peerLine;
    Line& quotePrefix;
};

// A flag that holds while an object of this type lives: the module's own
// nested call for a key it feeds back leaves that record to the editor.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

// A key the module feeds to the editor comes to it again, nested in the
// handling of the first: each depth has lines of its own while an object of
// this type lives. The depths typing reaches keep theirs from key to key; a
// deeper one (a wrap inside a wrap would need it at most) has fresh ones.
template <class Line>
class NestedLines {
public:
    NestedLines() { ++Depth(); }
    ~NestedLines() { --Depth(); }
    NestedLines(const NestedLines&) = delete;
    NestedLines& operator=(const NestedLines&) = delete;

    FeatureLines<Line>& Get() { return Depth() <= kReused ? Reused()[Depth() - 1] : fresh_; }

private:
    static constexpr int kReused = 3;
    static int& Depth() {
        static int depth = 0;
        return depth;
    }
    static FeatureLines<Line>* Reused() {
        static FeatureLines<Line> lines[kReused];
        return lines;
    }
    FeatureLines<Line> fresh_;
};

// The outcome of the mask test for the last file name and mask list: the
// next key in the same editor compares the name instead of matching it
// again. The name is asked for on every key, so a save under another name
// is seen at once.
template <class Line>
class RememberedMaskTest {
public:
    // `match(mask, name)` is the host's test, run when the pair is new.
    template <class Match>
    bool Matches(const Line& mask, const Line& name, Match match) {
        if (known_ && name_ == name && mask_ == mask) return matches_;
        // Forgotten first: an allocation that fails midway leaves no stale answer.
        known_ = false;
        matches_ = match(mask, name);
        mask_ = mask;
        name_ = name;
        known_ = true;
        return matches_;
    }
    void Forget() { known_ = false; }

private:
    bool known_ = false;
    bool matches_ = false;
    Line mask_;
    Line name_;
};

// Runs the features on `key` and answers for the record `original` that it
// came from. When they changed the text, the editor's bracket is open: a
// replaced letter was fed already, so the bracket is closed; any other key
// is fed back inside it, so that the editor's action joins the module's,
// and the record is consumed. The bracket never stays open.
template <class Editor, class Record>
int RunInOneUndoStep(Editor& ed, const KEY_EVENT_RECORD& key, const Record& original) {
    try {
        const int answer = RunFeatures(ed, key);
        if (!ed.Changed()) return answer;
        if (answer == 0) {
            ed.FinishChange(original);
        } else {
            ed.CloseBracket();
        }
        return 1;
    } catch (...) {
        ed.CloseBracket();
        throw;
    }
}

}  // namespace marten
