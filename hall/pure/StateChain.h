// What makes each state a PC writes its own: a sequence number that only grows, and the typed text's running digest,
// which the exam record carries too, so that the hall's console can tell the record's text from any other. No Windows
// header: the hashing is handed in, Windows' own on the PC.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hall/pure/PcStateFile.h"

namespace hall {

class StateChain {
public:
    // Lower-case hexadecimal of a hash of the bytes.
    using Hash = std::string (*)(std::string_view bytes);

    // `lastSeq`: the sequence number in this PC's state file as the program found it at its start, or 0.
    StateChain(std::int64_t lastSeq, Hash hash) : seq_(lastSeq), hash_(hash) {}

    // Gives the state the next sequence number and, for an exam (a state with an exam id), the digest of `typed`
    // (Windows-1254): the hash of the exam's previous digest followed by the text, the first one's chained from the
    // exam id. The digest moves only when the text has changed since the last state of the same exam.
    void Stamp(PcState& state, std::string_view typed);
    // Of the last exam stamped: its id and its text's digest.
    const std::string& ExamId() const { return examId_; }
    const std::string& Digest() const { return digest_; }

private:
    std::int64_t seq_;
    Hash hash_;
    std::string examId_, digest_, typed_;
};

// The sequence number in a state file's bytes, or 0 when they are not a state file with one.
std::int64_t LastSeqIn(std::string_view stateFile);

}  // namespace hall
