// The fatal error report: the end of every memory failure of the module.
// It writes a few lines to the standard error handle, asking the user to
// send the error number to the maintainer, and ends the whole process with
// that number as the exit code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/runtime/code_address.hpp"

namespace marten {

using ErrorNumber = std::int32_t;

inline constexpr ErrorNumber kErrorNoMemory = 203;      // a request for memory cannot be met
inline constexpr ErrorNumber kErrorInvalidBlock = 204;  // a block the heap does not own is released

// The maintainer's FidoNet address, named in the report.
inline constexpr char kMaintainerAddress[] = "2:5020/9999";

// The report never grows beyond this many bytes.
inline constexpr std::size_t kFatalReportLimit = 255;

// Where the failing request was made; a null or empty file leaves the place out.
struct SourcePlace {
    const char* file = nullptr;
    std::uint32_t line = 0;
};

// Builds the report into `out` and gives its length. A long file name is cut
// to its base name and, if need be, shortened further so the whole report
// fits; nothing is allocated.
std::size_t FormatFatalReport(ErrorNumber error, CodeAddress address, SourcePlace place,
                              std::uint32_t thread, char (&out)[kFatalReportLimit]);

// Writes the report with one WriteFile to the standard error handle and ends
// the process with `error`. A report whose address is 0 is not written.
[[noreturn]] void FatalReport(ErrorNumber error, CodeAddress address, SourcePlace place = {});

}  // namespace marten
