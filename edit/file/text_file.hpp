// Reading and saving the edited file. The bytes go in and out untouched (the
// editor keeps every line's end-of-line); saving replaces the file atomically,
// so a failed or interrupted save never leaves a half-written file behind.
#pragma once

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

// Replaces `path` with `bytes`: a temporary file beside it is written, flushed
// to disk and renamed over it, keeping the old file's permissions (and owner
// where allowed). A symbolic link is followed, so the link stays a link. On
// failure, `error` gets "cannot write <path>: <reason>" and the old file is
// left as it was.
bool SaveWholeFile(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace edit
