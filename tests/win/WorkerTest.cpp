// The worker's rules as its users count on them, and the log written through one: what each run takes while the
// thread is busy, a waiter that never waits out a pause, a wait that runs out, a held-up job left to its thread at
// the end, and a log turned over to its old file.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/Log.h"
#include "platform/ProgramVersion.h"
#include "platform/Worker.h"
#include "platform/pure/LogLine.h"

namespace {

using Event = platform::Unique<HANDLE, CloseHandle>;

Event ManualEvent() { return Event(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// A job that says when a run begins, holds the thread until the test lets it go, and notes each run's items.
struct HeldJob {
    Event started = ManualEvent(), go = ManualEvent(), finished = ManualEvent();
    std::mutex mutex;
    std::vector<std::vector<int>> runs;

    platform::Worker<int>::Work Work() {
        return [this](std::vector<int>& items) {
            SetEvent(started.get());
            WaitForSingleObject(go.get(), INFINITE);
            const std::scoped_lock lock(mutex);
            runs.push_back(items);
            SetEvent(finished.get());
        };
    }
};

TEST(Worker, TakesWhatCameWhileItWasBusyInOrderOrOnlyTheNewest) {
    const struct {
        const char* what;
        bool newestOnly;
        std::vector<std::vector<int>> runs;
    } cases[] = {{"a journal's events", false, {{1}, {2, 3, 4}}}, {"a state", true, {{1}, {4}}}};
    for (const auto& c : cases) {
        HeldJob job;
        platform::Worker<int> worker(job.Work(), {.newestOnly = c.newestOnly});
        worker.Hand(1);
        WaitForSingleObject(job.started.get(), INFINITE);
        for (int item : {2, 3, 4}) worker.Hand(item);
        EXPECT_FALSE(worker.WaitDone(0)) << c.what;
        SetEvent(job.go.get());
        EXPECT_TRUE(worker.WaitDone(10'000)) << c.what;
        EXPECT_EQ(job.runs, c.runs) << c.what;
    }
}

TEST(Worker, AWaiterDoesNotWaitOutThePauseAndAPeriodRunsWithNothingHanded) {
    int emptyRuns = 0;
    const Event thirdEmptyRun = ManualEvent();
    platform::Worker<int> paused([](std::vector<int>&) {}, {.pauseMs = 600'000});
    platform::Worker<int> periodic(
        [&](std::vector<int>& items) {
            if (items.empty() && ++emptyRuns == 3) SetEvent(thirdEmptyRun.get());
        },
        {.periodMs = 1});
    for (int item : {1, 2}) {
        paused.Hand(item);
        EXPECT_TRUE(paused.WaitDone(10'000)) << item;
    }
    EXPECT_EQ(WaitForSingleObject(thirdEmptyRun.get(), 10'000), WAIT_OBJECT_0);
}

TEST(Worker, AnEndThatDoesNotWaitLeavesTheJobToItsThread) {
    auto job = std::make_shared<HeldJob>();
    {
        platform::Worker<int> worker([job](std::vector<int>& items) { job->Work()(items); }, {.exitWaitMs = 0});
        worker.Hand(1);
        WaitForSingleObject(job->started.get(), INFINITE);
    }
    SetEvent(job->go.get());
    EXPECT_EQ(WaitForSingleObject(job->finished.get(), 10'000), WAIT_OBJECT_0);
}

TEST(Log, AppendsEveryEventAsOneLineAndTurnsAFullFileOver) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("pc1-log-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string full(platform::kLogLimitBytes, 'x');
    std::ofstream(folder / "PC1Deneme.log", std::ios::binary) << full;

    platform::StartLog("PC1Deneme", folder.wstring());
    platform::Log("journal-fault", "G\xFCnl\xFCk yaz\xFDlam\xFDyor:\r\nC:\\Gunluk");
    platform::EndLog(3);

    EXPECT_EQ(fs::file_size(folder / "PC1Deneme.log.1"), full.size());
    std::vector<std::string> events;
    {
        std::ifstream log(folder / "PC1Deneme.log", std::ios::binary);
        for (std::string line; std::getline(log, line);) {
            std::istringstream fields(line);
            std::string time, program, event, details;
            std::getline(std::getline(std::getline(std::getline(fields, time, '\t'), program, '\t'), event, '\t'),
                         details);
            EXPECT_EQ(program, "PC1Deneme[" + std::to_string(GetCurrentProcessId()) + "]");
            events.push_back(event + ": " + details.substr(0, details.find(',')));
        }
    }
    EXPECT_EQ(events, (std::vector<std::string>{
                          "start: version " + std::string(platform::ProgramVersion()),
                          "journal-fault: G\xC3\xBCnl\xC3\xBCk yaz\xC4\xB1lam\xC4\xB1yor:\\r\\nC:\\Gunluk",
                          "end: exit code 3"}));
    fs::remove_all(folder);
}

}  // namespace
