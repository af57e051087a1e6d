#include <string>

#include "result/pure/ExamRecord.h"
#include "result/pure/LocalTimeText.h"

namespace result {

std::vector<RecordField> RecordFields(const ExamRecord& record) {
    return {
        {"pc", record.computer, {}},
        {"tarih", DottedDate(record.clockStarted), {}},
        {"BsSaat", ClockTime(record.clockStarted), {}},
        {"BtSaat", ClockTime(record.clockEnded), {}},
        {"adi", record.firstName, {}},
        {"soyadi", record.surname, {}},
        {"adayno", record.candidateNumber, {}},
        {"metin", record.typedText, record.wrongWords},
        {"yazilan", std::to_string(record.typed), {}},
        {"dogru", std::to_string(record.correct), {}},
        {"yanlis", std::to_string(record.wrong), {}},
        {"sonuc", std::to_string(record.Net()), {}},
        {"baskan", record.board.chair, {}},
        {"uye1", record.board.firstMember, {}},
        {"uye2", record.board.secondMember, {}},
    };
}

}  // namespace result
