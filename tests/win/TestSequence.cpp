#include "tests/win/TestSequence.h"

#include "config/SequenceCheck.h"
#include "config/pure/Settings.h"

namespace testing_pc1 {

const std::string_view kTestSequence = PC1_TEST_SEQUENCE;

int TestSequenceDigit(int step) { return kTestSequence[step] - '0'; }

const config::SequenceHash& TestSequenceHash() {
    static const config::SequenceHash hash = config::HashSequence(kTestSequence, config::kMinIterations);
    return hash;
}

std::string TestSequenceSetting() {
    return std::string(config::kSequenceKey) + '=' + config::FormatSequenceHash(TestSequenceHash());
}

}  // namespace testing_pc1
