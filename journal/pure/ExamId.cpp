#include "journal/pure/ExamId.h"

#include <cstdio>

namespace journal {

std::string NewExamId(int year, int month, int day, int hour, int minute, int second, std::uint32_t random) {
    char id[96];
    std::snprintf(id, sizeof id, "%04d%02d%02d-%02d%02d%02d-%08x", year, month, day, hour, minute, second,
                  static_cast<unsigned>(random));
    return id;
}

}  // namespace journal
