// The registry routines of the settings kept there. Each one opens the key, does
// one operation and closes the key again, so no key stays open between calls.
// The read routines never look at the stored type: any value whose data fits
// into the room given is taken byte for byte.
#pragma once

#include <cstdint>

#include "module/runtime/text.hpp"
#include "winapi/win32.hpp"

namespace marten {

// RegCreateKeyExA with KEY_WRITE, creating missing keys on the way; null on failure.
HKEY OpenKeyForWrite(HKEY root, const Text& path);

// RegOpenKeyExA with KEY_QUERY_VALUE; null when the key cannot be opened.
HKEY OpenKeyForRead(HKEY root, const Text& path);

// A REG_BINARY value of `size` bytes. A failed write changes nothing.
void WriteBytesValue(HKEY root, const Text& path, const char* name, const void* data, DWORD size);

// Reads at most `room` bytes, and never more than 256, into `field`. Data
// shorter than the room leaves the missing bytes zero. False when the key or
// the value cannot be read or the data is larger than the room or than 256
// bytes; `field` is then unchanged.
bool ReadBytesValue(HKEY root, const Text& path, const char* name, void* field, DWORD room);

// A REG_DWORD value: the integer's four bytes, little-endian.
void WriteDwordValue(HKEY root, const Text& path, const char* name, std::int32_t value);

// Four bytes read little-endian; shorter data counts its missing high bytes as zero.
bool ReadDwordValue(HKEY root, const Text& path, const char* name, std::int32_t& field);

// A REG_SZ value: the text's bytes and its terminating NUL, counted in the size.
void WriteStringValue(HKEY root, const Text& path, const char* name, const Text& value);

// At most 256 bytes; `field` becomes the text up to the first NUL or the end
// of the data, at most 255 characters.
bool ReadStringValue(HKEY root, const Text& path, const char* name, Text& field);

}  // namespace marten
