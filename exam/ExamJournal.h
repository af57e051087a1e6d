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

private:
    std::unique_ptr<journal::JournalWriter> writer_;
    std::string examId_;
    std::string openProblem_;
};

// A new exam's id from the local date and time and 32 random bits.
std::string MakeExamId();

// The journal's times: milliseconds of the system clock since 1970.
std::int64_t WallMs(std::chrono::system_clock::time_point instant);
std::chrono::system_clock::time_point WallAt(std::int64_t ms);
// The file name of a path, Windows-1254.
std::string FileNameOf(const std::wstring& path);

}  // namespace exam
