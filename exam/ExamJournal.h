// The journal of the exam under way, as the exam window writes it: every change of the typed text and of the exam's
// course goes to disk as it happens, so that a PC that dies loses at most its last half second, and an exam whose
// record is kept and printed leaves its journal beside the record as its typing history. An exam goes on without
// a journal when the disk refuses one: the candidate's exam matters more than its insurance.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalWriter.h"
#include "journal/pure/Events.h"
#include "journal/pure/JournalFormat.h"
#include "journal/pure/JournalState.h"

namespace exam {

class ExamJournal {
public:
    // A new exam's journal in `folder`; none when the folder is empty.
    void Open(const std::wstring& folder, const journal::Opening& opening);
    // Goes on with the journal of an exam that an ended program left, after its last whole frame.
    void Continue(const std::wstring& path, const journal::ReadResult& read);

    void Write(journal::Event event);
    // On disk when it returns: the exam's course changed, which a restart must know.
    void WriteNow(journal::Event event);
    // Everything written is on disk: the program ends here, and the journal stays for the next start.
    void Flush();

    // The record is kept and its print has ended: the journal is closed and goes beside the record document (or, when
    // it cannot, is renamed where it is, finished); without a record (an empty path) it stays for the next start.
    void Finish(const std::wstring& documentPath);

    const std::string& ExamId() const { return examId_; }
    // Why the exam has no journal, or its last write failed; Windows-1254, empty while all is well.
    std::string Problem() const;
    // What the status bar says after its counts while the journal fails: the exam goes on, and the supervisor knows it
    // cannot come back after a crash.
    std::string Notice() const;

private:
    std::unique_ptr<journal::JournalWriter> writer_;
    std::string examId_;
    std::string openProblem_;
};

// The journal of the exam under way, and those of kept exams whose record is still printing, each finished once its
// print has ended.
class ExamJournals {
public:
    // `folder`: where the exams' journals are kept; without one no exam is journaled.
    explicit ExamJournals(std::wstring folder) : folder_(std::move(folder)) {}

    const std::wstring& Folder() const { return folder_; }
    ExamJournal& Current() { return current_; }
    const ExamJournal& Current() const { return current_; }
    void Open(const journal::Opening& opening) { current_.Open(folder_, opening); }
    // In order; on disk before it returns when `now`.
    void Write(const std::vector<journal::Event>& events, bool now);
    // The kept exam's journal waits for its record's print, `job`.
    void AwaitPrint(int job, std::wstring documentPath);
    void PrintsEnded(const std::vector<int>& jobs);
    void Flush();

private:
    struct AwaitingPrint {
        int job;
        ExamJournal journal;
        std::wstring documentPath;
    };
    std::wstring folder_;
    ExamJournal current_;
    std::vector<AwaitingPrint> awaitingPrint_;
};

// A new exam's id from the local date and time and 32 random bits.
std::string MakeExamId();
// The file name of a path, Windows-1254.
std::string FileNameOf(const std::wstring& path);

}  // namespace exam
