// The registry file on disk: where it lives, reading it, and changing it so
// that every change reaches the disk whole or not at all and concurrent
// writers, in this process or others, lose nothing.
#pragma once

#include <functional>
#include <string>

#include "winapi/regedit_document.hpp"
#include "winapi/win32.hpp"

namespace winreg {

// Whole-file helpers of the registry file, which other settings files of the
// module share.

// The folder part of a path: "." without a slash, "/" for a file at the root.
std::string ParentFolder(const std::string& path);

// mkdir -p of a folder; true when it exists as a folder afterwards.
bool CreateFolders(const std::string& folder);

enum class ReadOutcome { Read, Missing, Failed };

// The whole file in `text`; Missing when there is no such file, Failed when
// it exists but cannot be read.
ReadOutcome ReadWholeFile(const std::string& path, std::string* text);

// The new contents go to a temporary file beside the old one, reach the
// disk, and then replace the old file in one rename: the file holds the old
// text or the new one, never a part. False, the old file untouched, when any
// step fails.
bool ReplaceFile(const std::string& path, const std::string& text);

// A free name beside `path` for a damaged file moved out of the way:
// PATH.broken-YYYYMMDD-HHMMSS, with -2, -3 ... when that is taken.
std::string AsideName(const std::string& path);

// $MARTEN_REGISTRY; else $XDG_CONFIG_HOME/marten/registry.reg; else
// ~/.config/marten/registry.reg. Empty when no home folder is known.
std::string RegistryFilePath();

// Reads the document. A missing file is an empty registry, and so is a file
// that cannot be parsed (it is left as it is: only a change moves it aside).
// ERROR_CANTREAD when the file exists but cannot be read.
LONG ReadRegistry(const std::string& path, RegDocument* document);

// One read-modify-write under the lock on the registry file (a file beside
// it, PATH.lock, that exists only while a writer holds it). `change` edits
// the document and sets *changed when there is something to write; its
// result is the call's result unless writing fails. A file that cannot be
// parsed is first renamed aside, with a message on stderr naming both files
// and the line that failed. Missing folders on the way are created.
LONG ChangeRegistry(const std::string& path,
                    const std::function<LONG(RegDocument& document, bool* changed)>& change);

}  // namespace winreg
