#include "journal/pure/JournalFormat.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "journal/pure/Bytes.h"
#include "journal/pure/Crc32.h"

namespace journal {

namespace {

constexpr std::string_view kMagic = "PC1J";
constexpr std::size_t kHeaderBytes = kMagic.size() + 2, kChecksumBytes = 4;

enum class FrameKind : std::uint8_t { Opening = 1, Checkpoint, Events };
enum class Tag : std::uint8_t {
    ClockStarted = 1,
    Edit,
    Tick,
    Stopped,
    Resumed,
    Continued,
    EndedAsItStood,
    TimeUp,
    RecordKept,
    Printed
};

void PutKind(ByteWriter& out, FrameKind kind) { out.Byte(static_cast<std::uint8_t>(kind)); }

std::string Framed(const ByteWriter& payload) {
    ByteWriter frame;
    frame.Unsigned(payload.Bytes().size());
    const std::uint32_t checksum = Crc32(payload.Bytes(), Crc32(frame.Bytes()));
    for (std::size_t i = 0; i < kChecksumBytes; ++i) frame.Byte(static_cast<std::uint8_t>(checksum >> (8 * i)));
    frame.Raw(payload.Bytes());
    return frame.Take();
}

// The payload of the frame that `rest` starts with, taken off it; nothing when the frame is torn or damaged.
std::optional<std::string_view> TakeFrame(std::string_view& rest) {
    ByteReader in(rest);
    const std::uint64_t length = in.Unsigned();
    const std::string_view lengthBytes = rest.substr(0, rest.size() - in.Left());
    const std::string_view checksumBytes = in.Raw(kChecksumBytes);
    if (!in.Ok() || length > kMaxFrameBytes || length > in.Left()) return std::nullopt;
    const std::string_view payload = in.Raw(static_cast<std::size_t>(length));
    std::uint32_t checksum = 0;
    for (std::size_t i = 0; i < kChecksumBytes; ++i)
        checksum |= std::uint32_t{static_cast<std::uint8_t>(checksumBytes[i])} << (8 * i);
    if (Crc32(payload, Crc32(lengthBytes)) != checksum) return std::nullopt;
    rest.remove_prefix(rest.size() - in.Left());
    return payload;
}

// Within a frame each exam time is written as its difference from the one before, mostly a byte.
struct EventWriter {
    ByteWriter& out;
    std::uint32_t& lastExamMs;

    void operator()(const ClockStarted& e) const {
        Put(Tag::ClockStarted);
        out.Signed(e.wallMs);
    }
    void operator()(const Edit& e) const {
        Put(Tag::Edit);
        ExamMs(e.examMs);
        out.Unsigned(e.start);
        out.Unsigned(e.removed);
        out.Text(e.inserted);
    }
    void operator()(const Tick& e) const { Timed(Tag::Tick, e.examMs, e.wallMs); }
    void operator()(const Stopped& e) const { Timed(Tag::Stopped, e.examMs, e.wallMs); }
    void operator()(const Resumed& e) const { Timed(Tag::Resumed, e.examMs, e.wallMs); }
    void operator()(const TimeUp& e) const { Timed(Tag::TimeUp, e.examMs, e.wallMs); }
    void operator()(const Continued& e) const {
        Interrupted(Tag::Continued, e.stoppedWallMs, e.resumedWallMs, e.examMs);
    }
    void operator()(const EndedAsItStood& e) const {
        Interrupted(Tag::EndedAsItStood, e.stoppedWallMs, e.endedWallMs, e.examMs);
    }
    void operator()(const RecordKept& e) const {
        Put(Tag::RecordKept);
        out.Signed(e.wallMs);
        out.Text(e.documentName);
    }
    void operator()(const Printed& e) const {
        Put(Tag::Printed);
        out.Signed(e.wallMs);
    }

    void Put(Tag tag) const { out.Byte(static_cast<std::uint8_t>(tag)); }
    void ExamMs(std::uint32_t examMs) const {
        out.Signed(std::int64_t{examMs} - lastExamMs);
        lastExamMs = examMs;
    }
    void Timed(Tag tag, std::uint32_t examMs, std::int64_t wallMs) const {
        Put(tag);
        ExamMs(examMs);
        out.Signed(wallMs);
    }
    void Interrupted(Tag tag, std::int64_t stoppedWallMs, std::int64_t resumedWallMs, std::uint32_t examMs) const {
        Put(tag);
        out.Signed(stoppedWallMs);
        out.Signed(resumedWallMs);
        ExamMs(examMs);
    }
};

std::uint32_t TakeExamMs(ByteReader& in, std::uint32_t& lastExamMs) {
    const std::int64_t difference = in.Signed();
    if (difference < -std::int64_t{lastExamMs} ||
        difference > std::int64_t{std::numeric_limits<std::uint32_t>::max() - lastExamMs}) {
        in.Fail();
        return 0;
    }
    return lastExamMs = static_cast<std::uint32_t>(lastExamMs + difference);
}

// Braced initialisers read their fields in the order they are written.
Event TakeEvent(ByteReader& in, std::uint32_t& lastExamMs) {
    const auto examMs = [&] { return TakeExamMs(in, lastExamMs); };
    switch (static_cast<Tag>(in.Byte())) {
    case Tag::ClockStarted:
        return ClockStarted{in.Signed()};
    case Tag::Edit:
        return Edit{examMs(), in.Unsigned32(), in.Unsigned32(), std::string(in.Text())};
    case Tag::Tick:
        return Tick{examMs(), in.Signed()};
    case Tag::Stopped:
        return Stopped{examMs(), in.Signed()};
    case Tag::Resumed:
        return Resumed{examMs(), in.Signed()};
    case Tag::TimeUp:
        return TimeUp{examMs(), in.Signed()};
    case Tag::Continued:
        return Continued{in.Signed(), in.Signed(), examMs()};
    case Tag::EndedAsItStood:
        return EndedAsItStood{in.Signed(), in.Signed(), examMs()};
    case Tag::RecordKept:
        return RecordKept{in.Signed(), std::string(in.Text())};
    case Tag::Printed:
        return Printed{in.Signed()};
    }
    in.Fail();
    return {};
}

void PutOpening(ByteWriter& out, const Opening& opening) {
    for (const std::string* text :
         {&opening.examId, &opening.candidateNumber, &opening.firstName, &opening.surname, &opening.computer,
          &opening.computerName, &opening.sampleIdentity, &opening.sampleText}) {
        out.Text(*text);
    }
    out.Signed(opening.wallMs);
}

Opening TakeOpening(ByteReader& in) {
    const auto text = [&] { return std::string(in.Text()); };
    return Opening{text(), text(), text(), text(), text(), text(), text(), text(), in.Signed()};
}

std::optional<JournalState> TakeCheckpoint(ByteReader& in) {
    JournalState state;
    state.opening = TakeOpening(in);
    const std::uint8_t started = in.Byte();
    if (started > 1) in.Fail();
    if (started == 1) state.clockStartedWallMs = in.Signed();
    state.typed = in.Text();
    state.examMs = in.Unsigned32();
    state.lastWallMs = in.Signed();
    state.timeUpWallMs = in.Signed();
    const std::uint8_t stage = in.Byte();
    if (stage > static_cast<std::uint8_t>(Stage::Printed)) in.Fail();
    state.stage = static_cast<Stage>(stage);
    // Each interruption takes bytes, so a damaged count runs out of them, never of memory.
    for (std::uint64_t count = in.Unsigned(); count > 0 && in.Ok(); --count) {
        Interruption interruption{in.Signed(), in.Signed(), in.Unsigned32(), false};
        const std::uint8_t ended = in.Byte();
        if (ended > 1) in.Fail();
        interruption.ended = ended == 1;
        state.interruptions.push_back(interruption);
    }
    state.documentName = in.Text();
    if (!in.Finished()) return std::nullopt;
    return state;
}

// The state that the first frame opens the journal with.
std::optional<JournalState> TakeFirst(std::string_view payload) {
    ByteReader in(payload);
    const auto kind = static_cast<FrameKind>(in.Byte());
    if (kind == FrameKind::Checkpoint) return TakeCheckpoint(in);
    if (kind != FrameKind::Opening) return std::nullopt;
    const Opening opening = TakeOpening(in);
    if (!in.Finished()) return std::nullopt;
    return OpenedState(opening);
}

// What a frame changed in a state, to put back when a later event of the frame cannot follow. Taken in place of a
// copy of the state, whose typed text grows with the exam: copied at every frame, a journal would be read in a time
// that grows with the square of its length.
class FrameUndo {
public:
    explicit FrameUndo(const JournalState& state)
        : clockStartedWallMs_(state.clockStartedWallMs),
          examMs_(state.examMs),
          lastWallMs_(state.lastWallMs),
          stage_(state.stage),
          timeUpWallMs_(state.timeUpWallMs),
          interruptions_(state.interruptions.size()),
          documentName_(state.documentName) {}

    // Applies the event, keeping what it changed; false, the state unchanged, when it cannot follow.
    bool Apply(JournalState& state, const Event& event) {
        const Edit* edit = std::get_if<Edit>(&event);
        const std::size_t start = edit ? std::min<std::size_t>(edit->start, state.typed.size()) : 0;
        std::string removed = edit ? state.typed.substr(start, edit->removed) : std::string();
        if (!state.Apply(event)) return false;
        if (edit) edits_.push_back({start, edit->inserted.size(), std::move(removed)});
        return true;
    }

    void PutBack(JournalState& state) const {
        for (auto edit = edits_.rbegin(); edit != edits_.rend(); ++edit)
            state.typed.replace(edit->start, edit->inserted, edit->removed);
        state.clockStartedWallMs = clockStartedWallMs_;
        state.examMs = examMs_;
        state.lastWallMs = lastWallMs_;
        state.stage = stage_;
        state.timeUpWallMs = timeUpWallMs_;
        state.interruptions.resize(interruptions_);
        state.documentName = documentName_;
    }

private:
    struct Undone {
        std::size_t start, inserted;
        std::string removed;
    };
    std::optional<std::int64_t> clockStartedWallMs_;
    std::uint32_t examMs_;
    std::int64_t lastWallMs_;
    Stage stage_;
    std::int64_t timeUpWallMs_;
    std::size_t interruptions_;
    std::string documentName_;
    std::vector<Undone> edits_;
};

// All of the frame's events, or none when any of them is unreadable or cannot follow.
bool ApplyFrame(std::string_view payload, JournalState& state) {
    ByteReader in(payload);
    if (static_cast<FrameKind>(in.Byte()) != FrameKind::Events) return false;
    std::vector<Event> events;
    std::uint32_t lastExamMs = 0;
    while (in.Ok() && in.Left() > 0) events.push_back(TakeEvent(in, lastExamMs));
    if (!in.Finished()) return false;
    FrameUndo undo(state);
    for (const Event& event : events) {
        if (!undo.Apply(state, event)) {
            undo.PutBack(state);
            return false;
        }
    }
    return true;
}

std::string NewerVersion(unsigned version) {
    return "G\xFCnl\xFCk, PC1'in daha yeni bir s\xFCr\xFCm\xFCn\xFCn bi\xE7iminde (bi\xE7im s\xFCr\xFCm\xFC " +
           std::to_string(version) + "); bu PC1 yaln\xFDzca bi\xE7im s\xFCr\xFCm\xFC " +
           std::to_string(kFormatVersion) + "'i okuyabilir";
}

}  // namespace

std::string EncodeHeader() {
    ByteWriter header;
    header.Raw(kMagic);
    header.Byte(static_cast<std::uint8_t>(kFormatVersion & 0xFF));
    header.Byte(static_cast<std::uint8_t>(kFormatVersion >> 8));
    return header.Take();
}

std::string EncodeFrame(std::span<const Event> events) {
    ByteWriter payload;
    PutKind(payload, FrameKind::Events);
    std::uint32_t lastExamMs = 0;
    for (const Event& event : events) std::visit(EventWriter{payload, lastExamMs}, event);
    return Framed(payload);
}

std::string EncodeOpening(const Opening& opening) {
    ByteWriter payload;
    PutKind(payload, FrameKind::Opening);
    PutOpening(payload, opening);
    return Framed(payload);
}

std::string EncodeCheckpoint(const JournalState& state) {
    ByteWriter payload;
    PutKind(payload, FrameKind::Checkpoint);
    PutOpening(payload, state.opening);
    payload.Byte(state.clockStartedWallMs ? 1 : 0);
    if (state.clockStartedWallMs) payload.Signed(*state.clockStartedWallMs);
    payload.Text(state.typed);
    payload.Unsigned(state.examMs);
    payload.Signed(state.lastWallMs);
    payload.Signed(state.timeUpWallMs);
    payload.Byte(static_cast<std::uint8_t>(state.stage));
    payload.Unsigned(state.interruptions.size());
    for (const Interruption& interruption : state.interruptions) {
        payload.Signed(interruption.stoppedWallMs);
        payload.Signed(interruption.resumedWallMs);
        payload.Unsigned(interruption.examMs);
        payload.Byte(interruption.ended ? 1 : 0);
    }
    payload.Text(state.documentName);
    return Framed(payload);
}

ReadResult ReadJournal(std::string_view bytes) {
    ReadResult result;
    ByteReader header(bytes);
    const std::string_view magic = header.Raw(kMagic.size());
    const unsigned low = header.Byte(), version = low | (header.Byte() << 8u);
    if (!header.Ok() || magic != kMagic) {
        result.refusal = "PC1 s\xFDnav g\xFCnl\xFC\xF0\xFC de\xF0il";
        return result;
    }
    if (version != kFormatVersion) {
        result.refusal = version > kFormatVersion ? NewerVersion(version)
                                                  : "G\xFCnl\xFC\xF0\xFCn bi\xE7im s\xFCr\xFCm\xFC (" +
                                                        std::to_string(version) + ") bilinmiyor";
        return result;
    }
    std::string_view rest = bytes.substr(kHeaderBytes);
    const std::optional<std::string_view> first = TakeFrame(rest);
    std::optional<JournalState> state = first ? TakeFirst(*first) : std::nullopt;
    if (!state) {
        result.refusal = "G\xFCnl\xFC\xF0\xFCn a\xE7\xFDl\xFD\xFE kayd\xFD yok ya da bozuk";
        return result;
    }
    result.validBytes = bytes.size() - rest.size();
    while (const std::optional<std::string_view> frame = TakeFrame(rest)) {
        if (!ApplyFrame(*frame, *state)) break;
        result.validBytes = bytes.size() - rest.size();
    }
    result.state = std::move(state);
    return result;
}

}  // namespace journal
