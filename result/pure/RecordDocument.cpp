#include "result/pure/RecordDocument.h"

#include <algorithm>

#include "result/pure/RecordInterruptions.h"

namespace result {

namespace {

constexpr std::string_view kHeaderStart =
    "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset162 Arial;}}";
constexpr std::string_view kHeaderEnd = "\r\n\\f0\\fs20\r\n";
constexpr std::string_view kDocumentEnd = "}\r\n";
constexpr std::string_view kExamIdLabel = "PC1 s\xFDnav kimli\xF0i: ";

constexpr struct {
    std::string_view placeholder, rtf;
} kPageFields[] = {
    {"s", "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}"},
    {"t", "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}"},
};

void AppendRtfByte(std::string& rtf, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    if (byte == '\\' || byte == '{' || byte == '}') {
        rtf += '\\';
        rtf += static_cast<char>(byte);
    } else if (byte >= 0x80) {
        rtf += "\\'";
        rtf += kHex[byte >> 4];
        rtf += kHex[byte & 0x0F];
    } else if (byte == '\t') {
        rtf += "\\tab ";
    } else if (byte >= 0x20 && byte != 0x7F) {
        rtf += static_cast<char>(byte);
    }
}

// Every line break as a line break inside the cell (CR LF counted once), other control bytes dropped, the
// underlined spans, in order and not overlapping, between \ul and \ulnone.
void AppendRtfText(std::string& rtf, std::string_view text, const std::vector<text::WordSpan>& underlined) {
    auto next = underlined.begin();
    std::size_t underlineEnd = 0;
    bool inUnderline = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (inUnderline && i >= underlineEnd) {
            rtf += "\\ulnone ";
            inUnderline = false;
        }
        while (!inUnderline && next != underlined.end() && static_cast<std::size_t>(next->start) < i) ++next;
        if (!inUnderline && next != underlined.end() && static_cast<std::size_t>(next->start) == i) {
            if (next->length > 0) {
                rtf += "\\ul ";
                inUnderline = true;
                underlineEnd = i + next->length;
            }
            ++next;
        }
        if (text[i] == '\r' || text[i] == '\n') {
            rtf += "\\line ";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            AppendRtfByte(rtf, static_cast<unsigned char>(text[i]));
        }
    }
    if (inUnderline) rtf += "\\ulnone ";
}

// What stands for $name$: a page field, a record field, or nothing when the name is neither.
bool AppendPlaceholder(std::string& rtf, std::string_view name, const std::vector<RecordField>& fields) {
    for (const auto& page : kPageFields) {
        if (page.placeholder == name) {
            rtf += page.rtf;
            return true;
        }
    }
    const auto field = std::ranges::find(fields, name, &RecordField::placeholder);
    if (field == fields.end()) return false;
    AppendRtfText(rtf, field->text, field->underlined);
    return true;
}

bool IsPlaceholderName(std::string_view name) {
    return !name.empty() && std::ranges::all_of(name, [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Below the table, as the printed record has it: the caption kept with the first line, one paragraph a line.
void AppendInterruptions(std::string& rtf, const ExamRecord& record) {
    const std::vector<std::string> lines = InterruptionLines(record);
    if (lines.empty()) return;
    rtf += "\\pard\\ql\\keepn\\par\\b ";
    AppendRtfText(rtf, InterruptionsCaption(record), {});
    rtf += "\\b0\\par\r\n\\pard\\ql ";
    for (const std::string& line : lines) {
        AppendRtfText(rtf, line, {});
        rtf += "\\par\r\n";
    }
}

}  // namespace

// The id is ASCII, and escaped all the same: whatever it holds, the group ends where it should.
std::string ExamIdGroup(std::string_view examId) {
    std::string group = "{\\info{\\doccomm ";
    AppendRtfText(group, kExamIdLabel, {});
    AppendRtfText(group, examId, {});
    return group + "}}";
}

std::string RecordDocument(std::string_view templateRows, const ExamRecord& record) {
    const std::vector<RecordField> fields = RecordFields(record);
    std::string rtf(kHeaderStart);
    if (!record.examId.empty()) rtf += ExamIdGroup(record.examId);
    rtf += kHeaderEnd;
    rtf.reserve(templateRows.size() + record.typedText.size() * 2 + 1024);
    std::size_t copied = 0;
    for (std::size_t open = templateRows.find('$'); open != std::string_view::npos;) {
        const std::size_t close = templateRows.find('$', open + 1);
        if (close == std::string_view::npos) break;
        const std::string_view name = templateRows.substr(open + 1, close - open - 1);
        if (!IsPlaceholderName(name)) {
            open = close;
            continue;
        }
        rtf += templateRows.substr(copied, open - copied);
        if (!AppendPlaceholder(rtf, name, fields)) rtf += templateRows.substr(open, close + 1 - open);
        copied = close + 1;
        open = templateRows.find('$', copied);
    }
    rtf += templateRows.substr(copied);
    AppendInterruptions(rtf, record);
    rtf += kDocumentEnd;
    return rtf;
}

}  // namespace result
