// Reading and saving the edited file. The bytes go in and out untouched (the
// editor keeps every line's end-of-line). Saving replaces a file atomically,
// so a failed or interrupted save never leaves a half-written file behind;
// a file with other hard links is written in place instead, so that every
// name of it sees the new text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace edit {

struct FileContents {
    enum class State {
        Read,     // `bytes` holds the whole file
        Missing,  // no such file yet: it is created on the first save
        Failed,   // `error` says why; the file is not touched
    };
    State state = State::Failed;
    std::string bytes;
    std::string error;  // "cannot read <path>: <reason>"
};

// Reads the whole of a regular file.
FileContents ReadWholeFile(const std::string& path);

// How a save treats a read-only file.
enum class ReadOnlyFiles {
    Refuse,    // "cannot write <path>: the file is read-only"
    Override,  // the user said "save anyway": written when its owner or root
               // saves; another user's protected file is still refused
};

// True when `path` (or the file a symbolic link names) exists and is
// read-only: its user may not write it, or it has no write permission at all
// (which does not stop root, but is meant to).
bool IsReadOnly(const std::string& path);

// Hands the bytes to save on, piece by piece; answers false when they could
// not be taken (the save then fails and says why).
using ByteSink = std::function<bool(std::string_view bytes)>;
// Produces the whole text through `write`; false when it stopped short.
using ByteProducer = std::function<bool(const ByteSink& write)>;

// Saves the bytes that `produce` writes as `path`.
// - A new file or one with a single link is replaced: a temporary file beside
//   it is written, flushed to disk and renamed over it, keeping the old
//   file's permissions (and owner where allowed).
// - A file with more than one hard link is written in place after a flushed
//   backup copy beside it; the copy is removed afterwards, or put back when
//   the write fails.
// A symbolic link is followed, so the link stays a link. On failure, `error`
// gets "cannot write <path>: <reason>" and the old file is left as it was.
bool SaveWholeFile(const std::string& path, const ByteProducer& produce, std::string* error,
                   ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse);
bool SaveWholeFile(const std::string& path, std::string_view bytes, std::string* error,
                   ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse);

}  // namespace edit
