// Where running exams' journals live, and what becomes of them: read back after a crash, moved aside when they cannot
// be, moved beside their record once the exam is over.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "journal/pure/JournalFormat.h"

namespace journal {

// A journal is compacted long before it grows this large; a larger file is no journal of ours.
inline constexpr std::uint64_t kMaxJournalBytes = 16 << 20;

// %ProgramData%\PC1\Gunluk, created when missing: a local folder, never a share, so that a journal is written
// whatever the network does.
std::wstring JournalFolder();

// The journals there (`*.pc1j`), oldest first: exam ids begin with the date, so by name.
std::vector<std::wstring> JournalsIn(const std::wstring& folder);

// A journal file read whole; a file that cannot be read, or is larger than kMaxJournalBytes, is refused with the
// reason. `held`: another program has it open and shares it with nobody, so it may be read later.
struct JournalFileRead : ReadResult {
    bool held = false;
};
JournalFileRead ReadJournalFile(const std::wstring& path);

// A journal that cannot be read; one that names another computer or another sample than this PC's, which is never
// scored here; a finished one that could not go beside its record.
inline constexpr std::wstring_view kUnreadableExtension = L".okunamadi", kSetAsideExtension = L".ayrildi",
                                   kFinishedExtension = L".bitti";

// Renames a journal to `<name>.okunamadi` (then `<name>.2.okunamadi`, ...: never over another file), or with the
// extension given, so that it is kept for whoever wants to look at it, but never offered again. The new path, or
// empty when the journal could not be renamed, with GetLastError saying why.
std::wstring MoveAside(const std::wstring& path, std::wstring_view extension = kUnreadableExtension);

// Moves a finished journal beside its record document, named as the document without .rtf, `.pc1j`, copying it
// across volumes or to a share; never over another file. False, with the journal where it was, when it cannot. The
// journal's writer must be gone: a file held open cannot be moved.
bool MoveBesideRecord(const std::wstring& path, const std::wstring& documentPath);

}  // namespace journal
