#include "exam/ExamJournal.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "exam/pure/ExamSession.h"
#include "journal/JournalFiles.h"
#include "journal/pure/ExamId.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"

namespace exam {

namespace {

std::wstring JournalPath(const std::wstring& folder, const std::string& examId) {
    return platform::InFolder(folder, examId + ".pc1j");
}

}  // namespace

void ExamJournal::Open(const std::wstring& folder, const journal::Opening& opening) {
    writer_.reset();
    examId_ = opening.examId;
    openProblem_.clear();
    if (folder.empty()) return;
    try {
        writer_ = std::make_unique<journal::JournalWriter>(JournalPath(folder, opening.examId), opening);
    } catch (const std::runtime_error& error) {
        openProblem_ = error.what();
    }
}

void ExamJournal::Continue(const std::wstring& path, const journal::ReadResult& read) {
    writer_.reset();
    examId_ = read.state->opening.examId;
    openProblem_.clear();
    try {
        writer_ = std::make_unique<journal::JournalWriter>(path, *read.state, read.validBytes);
    } catch (const std::runtime_error& error) {
        openProblem_ = error.what();
    }
}

void ExamJournal::Write(journal::Event event) {
    if (writer_) writer_->Write(std::move(event));
}

void ExamJournal::WriteNow(journal::Event event) {
    if (writer_) writer_->WriteNow(std::move(event));
}

void ExamJournal::Flush() {
    if (writer_) writer_->Flush();
}

void ExamJournal::Finish(const std::wstring& documentPath) {
    if (!writer_) return;
    const std::wstring path = writer_->Path();
    writer_.reset();
    // Kept where it is when it cannot go beside the record: never offered again, never deleted. Without a record it
    // stays unfinished, for the next start to keep the record.
    if (documentPath.empty()) return;
    if (!journal::MoveBesideRecord(path, documentPath)) journal::MoveAside(path, journal::kFinishedExtension);
}

std::string ExamJournal::Problem() const { return writer_ ? writer_->Problem() : openProblem_; }

std::string ExamJournal::Notice() const {
    const std::string problem = Problem();
    return problem.empty() ? "" : "    " + problem;
}

void ExamJournals::Write(const std::vector<journal::Event>& events, bool now) {
    for (const journal::Event& event : events) now ? current_.WriteNow(event) : current_.Write(event);
}

void ExamJournals::AwaitPrint(int job, std::wstring documentPath) {
    awaitingPrint_.push_back({job, std::exchange(current_, {}), std::move(documentPath)});
}

void ExamJournals::PrintsEnded(const std::vector<int>& jobs) {
    std::erase_if(awaitingPrint_, [&](AwaitingPrint& awaiting) {
        if (std::ranges::find(jobs, awaiting.job) == jobs.end()) return false;
        awaiting.journal.WriteNow(journal::Printed{WallMs(std::chrono::system_clock::now())});
        awaiting.journal.Finish(awaiting.documentPath);
        return true;
    });
}

void ExamJournals::Flush() {
    current_.Flush();
    for (AwaitingPrint& awaiting : awaitingPrint_) awaiting.journal.Flush();
}

std::string FileNameOf(const std::wstring& path) {
    return platform::NarrowCp1254(path.substr(path.find_last_of(L"\\/") + 1));
}

std::string MakeExamId() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    unsigned random = 0;
    BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&random), sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    return journal::NewExamId(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, random);
}

}  // namespace exam
