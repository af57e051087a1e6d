#include "exam/ExamJournal.h"

#include <windows.h>

#include <bcrypt.h>

#include <stdexcept>

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

std::int64_t WallMs(std::chrono::system_clock::time_point instant) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(instant.time_since_epoch()).count();
}

std::chrono::system_clock::time_point WallAt(std::int64_t ms) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::milliseconds(ms)));
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
