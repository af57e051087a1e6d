// The supervisor's sequence that the tests set in the installations they make.
#pragma once

#include <string>
#include <string_view>

#include "app/pure/SupervisorSecret.h"

namespace testing_pc1 {

// Drawn once per build tree (PC1_SUPERVISOR_SEQUENCE in its cache); no program is built with it.
extern const std::string_view kTestSequence;

// The digit at a step of the sequence, 0 to 5.
int TestSequenceDigit(int step);

// Its hash with few iterations, which the settings record: a test's check costs next to nothing.
const app::SequenceHash& TestSequenceHash();

// The line of PC1.ini that sets it.
std::string TestSequenceSetting();

}  // namespace testing_pc1
