// The far2l face's seven settings in an INI file of far2l's profile,
// <config>/plugins/marten/config.ini, as far2l's own plug-ins keep theirs:
//
//   [Settings]
//   EnableQuote=1          the four switches 0 or 1
//   EnableAutoWrap=1
//   EnableAutoIndent=1
//   EnableHPChange=1
//   RIndent=78             the margins in decimal, negative ones with '-'
//   LIndent=0
//   FileMask=*.msg,golded.*  UTF-8, at most 255 characters
//   Balanced=0
//
// The settings are the rows of the settings table that this face keeps, in
// the table's order, each under its row's name.//
// A value that is missing or cannot be read keeps its default. The file is
// written whole or not at all; one that cannot be read is moved aside,
// never overwritten. When it does not exist yet, the settings the user has
// in marten-edit are taken over, once.
#pragma once

#include <string>
#include <string_view>

#include "module/far2l/wide_text.hpp"
#include "module/settings/settings.hpp"

namespace marten::far2l {

// The face's text settings (FileMask, the mask list this face matches file
// names against); the switches and margins are the module's Settings.
extern TextSettingsOf<wchar_t> TextSettings;

// far2l's folder for the settings of its profile, by far2l's own rule:
// FARSETTINGS/.config when FARSETTINGS is an absolute path; else
// XDG_CONFIG_HOME/far2l when that is one, else HOME/.config/far2l, either
// followed by /custom/FARSETTINGS when FARSETTINGS is set but not absolute.
// Empty when no home folder is known.
std::string ConfigFolderOf(std::string_view farSettings, std::string_view xdgConfigHome,
                           std::string_view home);

// The same folder from the environment (the home folder from $HOME, else
// the user database).
std::string Far2lConfigFolder();

// <config>/plugins/marten/config.ini; empty when no folder is known.
std::string SettingsFilePath();

// Reads the text of the file into Settings and TextSettings: each value found
// and readable replaces the one in force, the others stay. False, nothing
// changed, when the text is not an INI file (a line that is neither blank,
// a comment, a [section] nor name=value; or a NUL byte); `badLine` is then
// its 1-based number.
bool ReadSettingsText(std::string_view text, std::size_t* badLine);

// The file's text for Settings and TextSettings; false when the mask cannot be
// written so that it reads back the same (more than 255 characters, a line
// break or a NUL in it, or a value that is no character).
bool SettingsText(std::string* text);

// How LoadSettings found the file.
enum class SettingsLoad {
    Read,        // the file was there and read
    Created,     // there was none; the defaults were written
    TakenOver,   // there was none; marten-edit's settings were taken over and written
    MovedAside,  // it could not be read, was moved aside, and the defaults were written
    Unreadable,  // it could not be read nor moved aside: the defaults hold, nothing written
    NoFolder,    // no configuration folder is known: the defaults hold
};

// Every setting at its default, then the file (see above).
SettingsLoad LoadSettings();

// The name under which LoadSettings moved a damaged file aside, once: empty
// when it moved none, or when this was asked since.
std::string TakeMovedAsideNote();

// Writes the file whole, the folders on the way made; false, the old file
// unchanged, when that fails.
bool SaveSettings();

}  // namespace marten::far2l
