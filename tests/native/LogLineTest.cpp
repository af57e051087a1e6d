// The log's lines: the local time with its offset, every event one line, and when the file is turned over.
#include <gtest/gtest.h>

#include "platform/pure/LogLine.h"

namespace {

using platform::kLogLimitBytes;

TEST(LogLine, IsOneLineOfTabSeparatedFieldsWhateverTheDetails) {
    const struct {
        const char* what;
        platform::LogTime time;
        const char* details;
        const char* line;
    } cases[] = {
        {"Istanbul",
         {2026, 12, 9, 14, 30, 2, 45, 180},
         "version 0.1.0",
         "2026-12-09T14:30:02.045+03:00\tPC1[7]\tstart\tversion 0.1.0\n"},
        {"west of UTC, by half hours",
         {2026, 1, 2, 3, 4, 5, 6, -210},
         "",
         "2026-01-02T03:04:05.006-03:30\tPC1[7]\tstart\t\n"},
        {"a fault over two lines, a path kept as it is",
         {2026, 12, 9, 0, 0, 0, 0, 0},
         "yaz\xC4\xB1lamad\xC4\xB1\r\n\tC:\\PC1\x01\x7F",
         "2026-12-09T00:00:00.000+00:00\tPC1[7]\tstart\tyaz\xC4\xB1lamad\xC4\xB1\\r\\n\\tC:\\PC1\\x01\\x7F\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::LogLine(c.time, "PC1[7]", "start", c.details), c.line) << c.what;
}

TEST(LogLine, TurnsOverOnlyALogThatTheLinesWouldTakePastItsLimit) {
    const struct {
        std::uint64_t size, adding;
        bool turnsOver;
    } cases[] = {{0, 3 * kLogLimitBytes, false},
                 {kLogLimitBytes - 10, 10, false},
                 {kLogLimitBytes - 10, 11, true},
                 {kLogLimitBytes + 5, 1, true}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::LogTurnsOver(c.size, c.adding), c.turnsOver) << c.size << "+" << c.adding;
}

}  // namespace
