// The high-resolution clock the Windows benchmarks time with.
#pragma once

#include <windows.h>

namespace bench {

inline LARGE_INTEGER PerformanceCount() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count;
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
