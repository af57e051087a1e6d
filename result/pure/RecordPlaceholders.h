// The record's placeholders ($adi$, $metin$, ...) replaced by the candidate's values: the record filled in.
#pragma once

#include <span>

#include "result/pure/ExamRecord.h"
#include "result/pure/RecordTable.h"

namespace result {

// Replaces every `$name$` whose name is a field's with that field's text, in the style of the text around it; the
// field's underlined spans become underlined runs and its line breaks (CR LF, or a lone CR or LF) new paragraphs of
// the same alignment. Other control characters (a typed tab) become spaces, which the printer can draw. A
// placeholder with no field stays as written, so the page numbers ($s$, $t$) can be filled in later.
RecordTable FillPlaceholders(const RecordTable& table, std::span<const RecordField> fields);
std::vector<Paragraph> FillPlaceholders(const std::vector<Paragraph>& paragraphs, std::span<const RecordField> fields);

// The record's template filled with the record's fields and, for an interrupted exam, its interruptions below the
// table (the caption "Kesintiler:", then a line each), laid out on the pages as the table's rows are.
RecordTable FilledRecord(const RecordTable& recordTemplate, const ExamRecord& record);

}  // namespace result
