// A journal file's bytes: a header (magic, format version), then frames. Each frame is [length][checksum][payload]:
// the length a varint, the checksum the CRC-32 of the length's bytes and the payload, four bytes with the lowest
// first. A frame holds one or more events (the writer makes one frame per group commit); the first frame holds the
// Opening, or a checkpoint (the Opening and a whole JournalState) after a compaction. A frame is read whole or not
// at all, so a journal cut or damaged anywhere reads back to the state of its frames before the cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "journal/pure/Events.h"
#include "journal/pure/JournalState.h"

namespace journal {

inline constexpr std::uint16_t kFormatVersion = 1;
// A checkpoint, the longest frame, holds the typed text: a few KB after three minutes. A length beyond this one is
// damage, and the reader never looks for so many bytes.
inline constexpr std::size_t kMaxFrameBytes = 4 << 20;

std::string EncodeHeader();
std::string EncodeFrame(std::span<const Event> events);   // a frame of events
std::string EncodeOpening(const Opening& opening);        // the first frame of a new journal
std::string EncodeCheckpoint(const JournalState& state);  // the first frame of a compacted journal

struct ReadResult {
    std::optional<JournalState> state;  // empty when the journal cannot be read at all
    // Why, in Turkish (Windows-1254), naming the problem: not a journal, a newer format version N, no opening.
    std::string refusal;
    std::size_t validBytes = 0;  // the length of the longest valid prefix; 0 without a state
};
// Reads to the first torn or damaged frame and keeps everything before it.
ReadResult ReadJournal(std::string_view bytes);

}  // namespace journal
