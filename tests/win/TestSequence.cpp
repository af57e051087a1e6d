#include "tests/win/TestSequence.h"

#include "app/pure/Settings.h"
#include "exam/SupervisorSecret.h"

namespace testing_pc1 {

const std::string_view kTestSequence = PC1_TEST_SEQUENCE;

int TestSequenceDigit(int step) { return kTestSequence[step] - '0'; }

const app::SequenceHash& TestSequenceHash() {
    static const app::SequenceHash hash = exam::HashSequence(kTestSequence, app::kMinIterations);
    return hash;
}

std::string TestSequenceSetting() {
    return std::string(app::kSequenceKey) + '=' + app::FormatSequenceHash(TestSequenceHash());
}

}  // namespace testing_pc1
