// The switch of marten-edit's 8-bit files from the 1.x build of Marten to
// the Unicode build: until then the 1.x build kept their settings in its
// registry file and their field histories in 866, the Unicode build its own
// in its store and in UTF-8. The first time marten-edit loads the Unicode
// build, the 1.x values go over when they are the newer ones, once.
#pragma once

#include <string>
#include <string_view>

namespace edit {

// The files the switch reads and writes.
struct SwitchFiles {
    std::string registry;   // the 1.x build's registry file
    std::string store;      // the Unicode build's store file of Marten ("{GUID}.reg")
    std::string histories;  // the field histories: the 1.x build's, "unicode/" below them
};

// The 1.x build's key of Marten's settings in its registry file.
inline constexpr std::string_view kAnsiMartenKey =
    "HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten";
// The mark in the store, in a section of marten-edit's own beside the
// plug-in's, which the plug-in never reads.
inline constexpr std::string_view kSwitchMarkKey = "marten-edit";
inline constexpr std::string_view kSwitchMarkValue = "TookOver1xSettings";

enum class SwitchOutcome {
    Marked,     // done before: nothing changes
    TakenOver,  // the 1.x values go over
    Kept,       // no 1.x values, or the store's are newer: they stay
};

// Before the Unicode build reads its store: unless the store holds the mark,
// when the registry file holds the 1.x values and was written after the
// store, or the store holds none of Marten's, empties Marten's key in the
// store (so that the build takes the registry's values over, as it does into
// an empty store) and copies the 1.x histories into the Unicode build's,
// in UTF-8; then it marks the store. `error` tells a file that could not be
// written; the build then starts from what the store holds.
SwitchOutcome SwitchToTheUnicodeBuild(const SwitchFiles& files, std::string* error);

}  // namespace edit
