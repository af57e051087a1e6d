// Writes one exam's journal on a thread of its own, so that the key path never waits for a disk.
//
// Write() queues an event and returns at once; the thread writes what is queued as one frame and flushes it at most
// every 250 ms while something changed, so a killed process or a power cut loses at most the last half second. When
// the frames since the file's checkpoint pass JournalLog::kCompactionBytes, the thread rewrites the file as one
// checkpoint of the whole state: under a temporary name in the same folder, flushed, renamed over the journal in one
// atomic step, the folder flushed; appending goes on in the new file. A write that fails leaves the file to be
// rewritten the same way at the next commit, which also drops what a half-written frame left behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "journal/pure/JournalLog.h"
#include "platform/Files.h"
#include "platform/Worker.h"

namespace journal {

class JournalWriter {
public:
    // A new journal at `path` (created, never overwriting): header and opening are on disk (flushed) when it returns.
    // Throws std::runtime_error with a Turkish message (Windows-1254) and the system's reason when it cannot.
    JournalWriter(std::wstring path, const Opening& opening);
    // Goes on with a journal read after a crash, whose first `validBytes` bytes replay to `state`: the file is cut
    // there, which drops a torn last frame, and the exam's history before it stays; a file that cannot be cut is
    // rewritten as a checkpoint of `state`, atomically as above. Throws as above.
    JournalWriter(std::wstring path, const JournalState& state, std::uint64_t validBytes);
    // Writes and flushes what is queued and ends the thread; the file stays where it is.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Queued; never throws, never blocks on the disk. An event that cannot follow the journal's state is left out
    // (Problem() says so): written, it would end the reading of everything after it.
    void Write(Event event);
    // Queued, and returns once it is flushed to disk: for the exam's changes of phase, not the key path.
    void WriteNow(Event event);
    // Returns once everything queued is flushed: the program's end, Windows' shutdown.
    void Flush();

    const std::wstring& Path() const { return path_; }
    // Turkish text (Windows-1254) of the last write failure, or of an event left out; empty while all is well.
    std::string Problem() const;

private:
    void Commit(const std::vector<Event>& events);
    DWORD Rewrite(std::string_view bytes);
    DWORD CutAfter(std::uint64_t validBytes);

    const std::wstring path_;
    // The worker's own, once the constructor is done.
    JournalLog log_;
    platform::UniqueFile file_;
    bool rewriteDue_ = false;

    mutable std::mutex problemMutex_;
    std::string writeProblem_, refusedProblem_;
    platform::Worker<Event> worker_;  // last: it works on the members above
};

}  // namespace journal
