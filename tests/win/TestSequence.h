// The supervisor's sequence that the tests set in the installations they make.
#pragma once

#include <string>
#include <string_view>

#include "config/pure/SequenceHash.h"

namespace testing_pc1 {

// Drawn once per build tree (PC1_SUPERVISOR_SEQUENCE in its cache); no program is built with it.
extern const std::string_view kTestSequence;

// The digit at a step of the sequence, 0 to 5.
int TestSequenceDigit(int step);

// Its hash with the fewest iterations that PC1 accepts: a test's check costs about a tenth of a second.
const config::SequenceHash& TestSequenceHash();

// The line of PC1.ini that sets it.
std::string TestSequenceSetting();

}  // namespace testing_pc1
