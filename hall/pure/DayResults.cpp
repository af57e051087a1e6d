#include "hall/pure/DayResults.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <limits>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "result/pure/RecordsFile.h"
#include "text/Collation.h"
#include "text/Cp1254Unicode.h"

namespace hall {

namespace {

// The records file's columns, in its order.
enum Column {
    kDate,
    kStarted,
    kEnded,
    kPc,
    kCandidateNumber,
    kFirstName,
    kSurname,
    kTyped,
    kCorrect,
    kWrong,
    kNet,
    kDocument,
    kInterruptions,
    kSecondsInterrupted,
    kExamId,
    kHallDigest,
    kJournalProblem
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> Count(std::string_view field) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || !IsDigit(field.front()) || error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

std::string Fault(std::string_view fileName, int line, std::string_view reason) {
    const std::string where = line == 0 ? "" : ", " + std::to_string(line) + ". sat\xFDr";
    return text::Utf8ToCp1254(fileName).text + where + " okunamad\xFD: " + std::string(reason) + ".";
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "07.12.2026" and "14:30:12" in the order they sort: year, month, day, time.
auto StartOf(const ResultLine& line) {
    const std::string_view date = line.date, started = line.started;
    if (date.size() != std::string_view("07.12.2026").size())
        return std::tuple(date, std::string_view(), std::string_view(), started);
    return std::tuple(date.substr(6), date.substr(3, 2), date.substr(0, 2), started);
}

// A line in the ranking: it stays where it is while its place is found, since moving lines is most of a sort's work.
struct Place {
    ResultLine* line;
    bool possible;  // its counts can be: a line with impossible ones ranks below every other
    auto Standing() const { return std::tie(possible, line->net, line->correct); }
};

bool NaturallyBefore(std::string_view a, std::string_view b, std::string_view thenA = {}, std::string_view thenB = {}) {
    const std::weak_ordering order = text::CompareNaturally(a, b);
    return order != 0 ? order < 0 : text::CompareNaturally(thenA, thenB) < 0;
}

}  // namespace

bool CountsImpossible(const ResultLine& line) {
    return line.typed < 0 || line.correct < 0 || line.wrong < 0 || line.correct + line.wrong != line.typed ||
           line.net != std::max(0, line.correct - line.wrong);
}

std::optional<std::string> RecordsFileDay(std::string_view fileName) {
    constexpr std::string_view kDayForm = "0000-00-00_", kExtension = ".csv";
    if (fileName.size() <= kDayForm.size() + kExtension.size()) return std::nullopt;
    for (std::size_t i = 0; i < kDayForm.size(); ++i) {
        if (kDayForm[i] == '0' ? !IsDigit(fileName[i]) : fileName[i] != kDayForm[i]) return std::nullopt;
    }
    const std::string_view extension = fileName.substr(fileName.size() - kExtension.size());
    if (!std::ranges::equal(extension, kExtension, {}, [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }))
        return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t length) { return *Count(fileName.substr(from, length)); };
    const std::chrono::year_month_day day{std::chrono::year(number(0, 4)), std::chrono::month(number(5, 2)),
                                          std::chrono::day(number(8, 2))};
    if (!day.ok()) return std::nullopt;
    return std::string(fileName.substr(0, kDayForm.size() - 1));
}

DayRead ReadRecordsFile(std::string_view fileName, std::string_view bytes) {
    result::RecordsFileRows read = result::ReadRecordsFileRows(bytes);
    DayRead day;
    day.lines.reserve(read.rows.size());
    for (const result::RowFault& fault : read.faults) day.faults.push_back(Fault(fileName, fault.line, fault.reason));
    for (result::ReadRow& row : read.rows) {
        std::vector<std::string>& f = row.fields;
        bool counted = true;
        const auto count = [&](Column column) {
            // A file begun by an older version has no interruptions' columns: none were counted.
            if (f[column].empty() && column >= kInterruptions) return 0;
            const std::optional<int> value = Count(f[column]);
            counted = counted && value;
            return value.value_or(0);
        };
        ResultLine line{.date = std::move(f[kDate]),
                        .started = std::move(f[kStarted]),
                        .ended = std::move(f[kEnded]),
                        .pc = std::move(f[kPc]),
                        .candidateNumber = std::move(f[kCandidateNumber]),
                        .firstName = std::move(f[kFirstName]),
                        .surname = std::move(f[kSurname]),
                        .typed = count(kTyped),
                        .correct = count(kCorrect),
                        .wrong = count(kWrong),
                        .net = count(kNet),
                        .document = std::move(f[kDocument]),
                        .interruptions = count(kInterruptions),
                        .secondsInterrupted = count(kSecondsInterrupted),
                        .examId = std::move(f[kExamId]),
                        .hallDigest = std::move(f[kHallDigest]),
                        .journalProblem = std::move(f[kJournalProblem]),
                        .recordsFile = std::string(fileName)};
        if (counted)
            day.lines.push_back(std::move(line));
        else
            day.faults.push_back(Fault(fileName, row.line, "say\xFDlar\xFD bozuk"));
    }
    return day;
}

std::vector<RankedResult> RankResults(std::vector<ResultLine> lines) {
    std::vector<Place> order;
    std::unordered_set<std::string_view> examIds(lines.size());
    for (ResultLine& line : lines) {
        if (line.examId.empty() || examIds.insert(line.examId).second)
            order.push_back({&line, !CountsImpossible(line)});
    }
    std::ranges::stable_sort(order, [](const Place& a, const Place& b) {
        return a.Standing() > b.Standing() || (a.Standing() == b.Standing() && StartOf(*a.line) < StartOf(*b.line));
    });
    std::vector<RankedResult> ranked;
    ranked.reserve(order.size());
    std::unordered_map<std::string_view, int> seats(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const bool tied = i > 0 && order[i - 1].Standing() == order[i].Standing();
        const int rank = !order[i].possible ? 0 : tied ? ranked.back().rank : static_cast<int>(i) + 1;
        ranked.push_back({std::move(*order[i].line), rank});
        if (const std::string_view number = Trimmed(ranked.back().line.candidateNumber); !number.empty())
            ++seats[number];
    }
    for (RankedResult& result : ranked) {
        const auto seat = seats.find(Trimmed(result.line.candidateNumber));
        result.candidateSeatedTwice = seat != seats.end() && seat->second > 1;
    }
    return ranked;
}

bool ComesBefore(ResultColumn column, const RankedResult& a, const RankedResult& b) {
    const ResultLine &x = a.line, &y = b.line;
    switch (column) {
    case ResultColumn::Rank: {
        // Unranked lines last.
        const auto place = [](int rank) { return rank == 0 ? std::numeric_limits<int>::max() : rank; };
        return place(a.rank) < place(b.rank);
    }
    case ResultColumn::CandidateNumber:
        return NaturallyBefore(Trimmed(x.candidateNumber), Trimmed(y.candidateNumber));
    case ResultColumn::FirstName:
        return NaturallyBefore(x.firstName, y.firstName, x.surname, y.surname);
    case ResultColumn::Surname:
        return NaturallyBefore(x.surname, y.surname, x.firstName, y.firstName);
    case ResultColumn::Pc:
        return NaturallyBefore(x.pc, y.pc);
    case ResultColumn::Started:
        return StartOf(x) < StartOf(y);
    case ResultColumn::Typed:
        return x.typed < y.typed;
    case ResultColumn::Correct:
        return x.correct < y.correct;
    case ResultColumn::Wrong:
        return x.wrong < y.wrong;
    case ResultColumn::Net:
        return x.net < y.net;
    case ResultColumn::Interruptions:
        return x.interruptions < y.interruptions;
    }
    return false;
}

std::string MergedRecordsFile(std::span<const RankedResult> results) {
    std::vector<std::string> columns = result::RecordsFileColumns();
    columns.push_back(text::Cp1254ToUtf8(kVerdictTitle));
    std::string file = std::string(result::kUtf8ByteOrderMark) + result::RecordsFileRow(columns);
    for (const RankedResult& ranked : results) {
        const ResultLine& l = ranked.line;
        const std::string fields[] = {l.date,
                                      l.started,
                                      l.ended,
                                      l.pc,
                                      l.candidateNumber,
                                      l.firstName,
                                      l.surname,
                                      std::to_string(l.typed),
                                      std::to_string(l.correct),
                                      std::to_string(l.wrong),
                                      std::to_string(l.net),
                                      l.document,
                                      std::to_string(l.interruptions),
                                      std::to_string(l.secondsInterrupted),
                                      l.examId,
                                      l.hallDigest,
                                      l.journalProblem,
                                      text::Cp1254ToUtf8(ranked.verdict.text)};
        file += result::RecordsFileRow(fields);
    }
    return file;
}

}  // namespace hall
