#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "exam/pure/UnfinishedExam.h"

namespace {

// The seconds as the exam clock would show them: rounded, and at least one while any time is left.
TEST(UnfinishedExam, TimeLeftInMinutesAndSeconds) {
    const struct {
        int milliseconds;
        const char* text;
    } cases[] = {
        {180'000, "3 dk 0 sn"}, {125'400, "2 dk 5 sn"}, {59'600, "1 dk 0 sn"}, {300, "0 dk 1 sn"}, {0, "0 dk 0 sn"}};
    for (const auto& c : cases) EXPECT_EQ(exam::MinutesAndSeconds(c.milliseconds), c.text) << c.milliseconds;
}

// A journal is this PC's only when it names this computer and the sample Metin.rtf is now.
TEST(UnfinishedExam, OnlyThisComputersExamWithItsSampleIsTakenUp) {
    using enum exam::JournalMisfit;
    const struct {
        const char* name;
        const char* computer;
        std::optional<std::string> sample;
        exam::JournalMisfit misfit;
    } cases[] = {
        {"this PC's, its sample", "PC07", "aa11", None},
        {"another computer's", "PC08", "aa11", OtherComputer},
        {"another computer's, another sample", "PC08", "bb22", OtherComputer},
        {"this PC's, another sample", "PC07", "bb22", OtherSample},
        {"this PC's, Metin.rtf unreadable", "PC07", std::nullopt, SampleUnreadable},
        {"a computer's name in other letters", "pc07", "aa11", OtherComputer},
    };
    journal::Opening opening;
    opening.computerName = "PC07";
    opening.sampleIdentity = "aa11";
    for (const auto& c : cases) EXPECT_EQ(exam::MisfitOf(opening, c.computer, c.sample), c.misfit) << c.name;
}

TEST(UnfinishedExam, JournalsNotTakenUpAreNamedInOneMessage) {
    EXPECT_EQ(exam::JournalsReport({}), "");
    const std::vector<std::string> lines(exam::kMostNamedJournals + 2, "x.pc1j: nedeni");
    const std::string report = exam::JournalsReport(lines);
    EXPECT_EQ(std::ranges::count(report, '\x95'), static_cast<long>(exam::kMostNamedJournals));
    EXPECT_TRUE(report.ends_with("... ve 2 g\xFCnl\xFCk daha.")) << report;
}

}  // namespace
