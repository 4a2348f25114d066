// The module's seven settings and their store below the host's registry key.
#pragma once

#include <cstdint>

#include "module/runtime/text.hpp"

namespace marten {

// A Boolean setting as stored: the byte 0 or 1 (a foreign byte counts as true).
using Flag = std::uint8_t;

struct SettingsRecord {
    Flag EnableQuote;
    Flag EnableAutoWrap;
    Flag EnableAutoIndent;
    Flag EnableHPChange;
    std::int32_t RIndent;  // right margin, in characters
    std::int32_t LIndent;  // continuation indent, in spaces
    Text FileMask;         // comma-separated masks of the files the module acts in
};

extern SettingsRecord Settings;

// The registry path of the settings below HKEY_CURRENT_USER, formed by LoadSettings.
extern Text SettingsKey;

// `path` with a backslash appended unless it is empty or ends in '\' or ':'.
Text WithBackslash(Text path);

// Every setting at its default: the four switches on, RIndent 78, LIndent 0,
// FileMask "*.msg,golded.*".
void SetDefaultSettings();

// Reads all seven values; each one that cannot be read keeps its default,
// which is written back at once.
void LoadSettings();

// Writes all seven values, changed or not.
void SaveSettings();

}  // namespace marten
