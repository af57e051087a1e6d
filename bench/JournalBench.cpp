// The exam journal's size on disk: one exam of 180 s typed at 15 keys a second, the events grouped into frames as the
// writer's thread groups them (one frame for each 250 ms with a change) and compacted as it compacts; then the reading
// of the largest journal the program takes up (16 MB), never compacted, a key a frame, as another program could write
// it. Runs natively: what is measured is the encoding and the reading, not the disk.
#include <chrono>
#include <cstdio>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "journal/pure/JournalFormat.h"
#include "journal/pure/JournalLog.h"

namespace {

constexpr int kExamMs = 180'000, kKeysPerSecond = 15, kFrameMs = 250;
constexpr double kTargetBytesPerKey = 16;
constexpr std::size_t kLargestJournal = 16 << 20;  // journal::kMaxJournalBytes
constexpr double kTargetLargestReadMs = 1000;
constexpr std::int64_t kOpened = 1'796'654'000'000;

// A typist's keys: letters and spaces, a line break now and then, one key in twenty a Backspace.
journal::Edit Key(std::uint32_t examMs, const std::string& typed, std::mt19937& random) {
    static const std::string kLetters =
        "abc\xE7"
        "defg\xF0"
        "h\xFDijklmno\xF6prs\xFEtu\xFCvyz      ";
    const auto size = static_cast<std::uint32_t>(typed.size());
    const std::uint32_t roll = random() % 100;
    if (roll < 5 && size > 0) {
        const std::uint32_t last = typed.ends_with("\r\n") ? 2 : 1;
        return {examMs, size - last, last, ""};
    }
    if (roll < 7) return {examMs, size, 0, "\r\n"};
    return {examMs, size, 0, std::string(1, kLetters[random() % kLetters.size()])};
}

// A journal of one key a frame, to the largest size the program reads; how long its reading takes.
double LargestJournalReadMs(const journal::Opening& opening) {
    std::mt19937 random(1252);
    std::string file = journal::EncodeHeader() + journal::EncodeOpening(opening);
    journal::JournalState typist = journal::OpenedState(opening);
    const journal::Event started = journal::ClockStarted{kOpened};
    typist.Apply(started);
    file += journal::EncodeFrame(std::span(&started, 1));
    std::size_t frames = 0;
    for (std::uint32_t ms = 1; file.size() < kLargestJournal; ++ms, ++frames) {
        const journal::Event key = Key(ms % kExamMs, typist.typed, random);
        typist.Apply(key);
        file += journal::EncodeFrame(std::span(&key, 1));
    }
    const auto readStart = std::chrono::steady_clock::now();
    const journal::ReadResult read = journal::ReadJournal(file);
    const double readMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - readStart).count();
    if (!read.state || read.state->typed != typist.typed) {
        std::puts("the largest journal did not read back to its text");
        return -1;
    }
    std::printf("largest journal: %zu bytes, %zu frames of one key, %zu characters typed; read back in %.0f ms\n",
                file.size(), frames, typist.typed.size(), readMs);
    return readMs;
}

}  // namespace

int main() {
    const journal::Opening opening{
        "20261207-142000-7f3a09c2", "1234567", "G\xFCl", "Y\xFDlmaz", "PC1 - (PC07)", "PC07", std::string(64, 'a'),
        std::string(1200, 's'),     kOpened};
    journal::JournalLog log(opening);
    std::string file = journal::EncodeHeader() + journal::EncodeOpening(opening);
    std::size_t written = file.size(), frames = 0, compactions = 0, refused = 0;
    const auto commit = [&](const std::vector<journal::Event>& events) {
        const std::string frame = log.Append(events, refused);
        ++frames;
        if (log.CompactionDue()) {
            file = log.Compacted();
            written += file.size();
            ++compactions;
        } else {
            file += frame;
            written += frame.size();
        }
    };

    std::mt19937 random(1254);
    std::vector<journal::Event> pending{journal::ClockStarted{kOpened + 5'000}};
    journal::JournalState typist;  // the text the next key is typed into, which the log has only once it commits
    int keys = 0;
    for (int ms = 1; ms <= kExamMs; ++ms) {
        if (ms * kKeysPerSecond / 1000 > keys) {
            const journal::Edit key = Key(static_cast<std::uint32_t>(ms), typist.typed, random);
            typist.Apply(key);
            pending.push_back(key);
            ++keys;
        }
        if (ms % 1000 == 0) pending.emplace_back(journal::Tick{static_cast<std::uint32_t>(ms), kOpened + 5'000 + ms});
        if (ms % kFrameMs == 0 && !pending.empty()) commit(std::exchange(pending, {}));
    }
    const std::int64_t end = kOpened + 5'000 + kExamMs;
    for (const journal::Event& event :
         {journal::Event{journal::TimeUp{kExamMs, end}},
          journal::Event{journal::RecordKept{end + 80, "2026-12-07_1420_PC07_1234567.rtf"}},
          journal::Event{journal::Printed{end + 3'000}}}) {
        commit({event});
    }

    const auto readStart = std::chrono::steady_clock::now();
    const journal::ReadResult read = journal::ReadJournal(file);
    const double readMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - readStart).count();
    if (!read.state || read.validBytes != file.size() || !(*read.state == log.State()) || refused) {
        std::puts("the journal did not read back to the exam's state");
        return 1;
    }
    const double perKey = static_cast<double>(file.size()) / keys;
    std::printf("one exam: %d s at %d keys/s, %d keys, %zu characters typed, %zu frames\n", kExamMs / 1000,
                kKeysPerSecond, keys, log.State().typed.size(), frames);
    std::printf("journal file %zu bytes, written %zu bytes with %zu compactions; read back in %.3f ms\n", file.size(),
                written, compactions, readMs);
    std::printf("bytes per key, framing included: %.1f; target: under %.0f%s\n", perKey, kTargetBytesPerKey,
                perKey < kTargetBytesPerKey ? "  (target met)" : "  (target missed)");

    const double largestMs = LargestJournalReadMs(opening);
    if (largestMs < 0) return 1;
    std::printf("largest journal read: %.0f ms; target: under %.0f ms%s\n", largestMs, kTargetLargestReadMs,
                largestMs < kTargetLargestReadMs ? "  (target met)" : "  (target missed)");
}
