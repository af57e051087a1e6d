// A new exam's id, unique per exam and PC: its local start date and time, which sort the journals and records by
// when they were made, and 32 random bits, which tell apart two exams started on one PC in the same second or two
// PCs' exams kept in one folder.
#pragma once

#include <cstdint>
#include <string>

namespace journal {

// E.g. "20261207-143012-7f3a09c2". The caller reads the clock and draws the random bits.
std::string NewExamId(int year, int month, int day, int hour, int minute, int second, std::uint32_t random);

}  // namespace journal
