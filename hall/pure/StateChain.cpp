#include "hall/pure/StateChain.h"

#include <variant>

namespace hall {

void StateChain::Stamp(PcState& state, std::string_view typed) {
    state.seq = ++seq_;
    if (state.examId.empty()) return;
    if (state.examId != examId_) {
        examId_ = state.examId;
        digest_ = hash_(examId_ + std::string(typed));
        typed_ = typed;
    } else if (typed != typed_) {
        digest_ = hash_(digest_ + std::string(typed));
        typed_ = typed;
    }
    state.digest = digest_;
}

// A number no PC reaches, which another program may have left to run the next ones out of the file's digits: the
// sequence then starts again, and the console sees it go back.
std::int64_t LastSeqIn(std::string_view stateFile) {
    constexpr std::int64_t kBeyondAnyPc = 1'000'000'000'000'000;
    const auto decoded = DecodeState(stateFile);
    const auto* state = std::get_if<PcState>(&decoded);
    return state && state->seq < kBeyondAnyPc ? state->seq : 0;
}

}  // namespace hall
