#include "module/runtime/fatal_report.hpp"

#include <cstring>

#include "module/runtime/thread_number.hpp"
#include "winapi/win32.hpp"

namespace marten {
namespace {

// Appends into a fixed buffer and silently stops at its end.
class ReportWriter {
public:
    explicit ReportWriter(char (&out)[kFatalReportLimit]) : out_(out) {}

    void Text(const char* text, std::size_t length) {
        const std::size_t room = kFatalReportLimit - length_;
        if (length > room) length = room;
        std::memcpy(out_ + length_, text, length);
        length_ += length;
    }
    void Text(const char* text) { Text(text, std::strlen(text)); }

    void Decimal(std::int64_t value) {
        char digits[24];
        std::size_t n = 0;
        const bool negative = value < 0;
        auto magnitude = negative ? static_cast<std::uint64_t>(-(value + 1)) + 1
                                  : static_cast<std::uint64_t>(value);
        do {
            digits[sizeof digits - 1 - n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative) digits[sizeof digits - 1 - n++] = '-';
        Text(digits + sizeof digits - n, n);
    }

    // All the digits of an address, leading zeros included.
    void Hex(CodeAddress value) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        char digits[kCodeAddressDigits];
        for (int i = kCodeAddressDigits - 1; i >= 0; --i, value >>= 4) {
            digits[i] = kDigits[value & 0xF];
        }
        Text(digits, sizeof digits);
    }

    std::size_t Length() const { return length_; }

private:
    char (&out_)[kFatalReportLimit];
    std::size_t length_ = 0;
};

const char* BaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':') base = p + 1;
    }
    return base;
}

std::size_t DecimalWidth(std::uint32_t value) {
    std::size_t width = 1;
    while (value >= 10) value /= 10, ++width;
    return width;
}

}  // namespace

std::size_t FormatFatalReport(ErrorNumber error, CodeAddress address, SourcePlace place,
                              std::uint32_t thread, char (&out)[kFatalReportLimit]) {
    ReportWriter report(out);
    report.Text("\r\nWarning! Please report to ");
    report.Text(kMaintainerAddress);
    report.Text("!!!\r\nFound bug number ");
    report.Decimal(error);
    report.Text(" at ");
    report.Hex(address);
    if (place.file != nullptr && place.file[0] != '\0') {
        const char* name = BaseName(place.file);
        std::size_t nameLength = std::strlen(name);
        // Room left once the rest of the report is counted: " (" name "#" line ")"
        // " TID=" thread "." CR LF.
        const std::size_t tail =
            2 + 1 + DecimalWidth(place.line) + 1 + 5 + DecimalWidth(thread) + 3;
        const std::size_t used = report.Length() + tail;
        const std::size_t room = used < kFatalReportLimit ? kFatalReportLimit - used : 0;
        if (nameLength > room) nameLength = room;
        if (nameLength > 0) {
            report.Text(" (");
            report.Text(name, nameLength);
            report.Text("#");
            report.Decimal(place.line);
            report.Text(")");
        }
    }
    report.Text(" TID=");
    report.Decimal(thread);
    report.Text(".\r\n");
    return report.Length();
}

void FatalReport(ErrorNumber error, CodeAddress address, SourcePlace place) {
    if (address != 0) {
        char report[kFatalReportLimit];
        const std::size_t length = FormatFatalReport(error, address, place, ThreadNumber(), report);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), report, static_cast<DWORD>(length), &written,
                  nullptr);
    }
    ExitProcess(static_cast<UINT>(error));
}

}  // namespace marten
