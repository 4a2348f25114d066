// The bytes of the fatal error report.
#include "module/runtime/fatal_report.hpp"

#include <gtest/gtest.h>

#include <string>

namespace marten {
namespace {

std::string Format(ErrorNumber error, std::uint32_t address, SourcePlace place, std::uint32_t thread) {
    char buffer[kFatalReportLimit];
    const std::size_t length = FormatFatalReport(error, address, place, thread, buffer);
    return std::string(buffer, length);
}

TEST(FatalReport, WithoutALineTable) {
    EXPECT_EQ(Format(203, 0x0040ABCD, {}, 1),
              "\r\nWarning! Please report to 2:5020/9999!!!\r\n"
              "Found bug number 203 at 0040ABCD TID=1.\r\n");
}

TEST(FatalReport, WithTheSourceFileBaseNameAndLine) {
    EXPECT_EQ(Format(204, 0xDEADBEEF, {"/src/module/runtime/heap.hpp", 42}, 12),
              "\r\nWarning! Please report to 2:5020/9999!!!\r\n"
              "Found bug number 204 at DEADBEEF (heap.hpp#42) TID=12.\r\n");
    EXPECT_EQ(Format(204, 1, {"C:\\src\\settings.cpp", 7}, 3),
              "\r\nWarning! Please report to 2:5020/9999!!!\r\n"
              "Found bug number 204 at 00000001 (settings.cpp#7) TID=3.\r\n");
    // An empty name means no line table entry.
    EXPECT_EQ(Format(203, 1, {"", 7}, 1).find(" ("), std::string::npos);
}

TEST(FatalReport, ExtremeNumbers) {
    const std::string report = Format(-2147483647 - 1, 0xFFFFFFFF, {"f.cpp", 4294967295u}, 4294967295u);
    EXPECT_NE(report.find("Found bug number -2147483648 at FFFFFFFF (f.cpp#4294967295) TID=4294967295.\r\n"),
              std::string::npos);
}

TEST(FatalReport, StaysWithin255BytesWithAnyFileName) {
    for (std::size_t nameLength : {100u, 139u, 140u, 200u, 5000u}) {
        const std::string name = "/very/long/folder/" + std::string(nameLength, 'n') + ".cpp";
        const std::string report = Format(-2147483647 - 1, 0xFFFFFFFF, {name.c_str(), 4294967295u},
                                          4294967295u);
        EXPECT_LE(report.size(), 255u) << nameLength;
        EXPECT_EQ(report.find('\0'), std::string::npos);
        EXPECT_EQ(report.substr(report.size() - 3), ".\r\n");
        EXPECT_EQ(report.find("folder"), std::string::npos);
        EXPECT_NE(report.find(" (nnn"), std::string::npos);
        EXPECT_NE(report.find(" TID=4294967295.\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace marten
