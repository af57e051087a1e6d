#include "exam/pure/UnfinishedExam.h"

#include <chrono>

#include "platform/pure/Countdown.h"

namespace exam {

std::string MinutesAndSeconds(int milliseconds) {
    const int seconds = platform::Countdown::ShownSeconds(std::chrono::milliseconds(milliseconds));
    return std::to_string(seconds / 60) + " dk " + std::to_string(seconds % 60) + " sn";
}

}  // namespace exam
