// A typist's text for the Windows benchmarks: Turkish words in a fixed random order, twelve to a line.
#pragma once

#include <iterator>
#include <random>
#include <string>

namespace bench {

inline std::string TypedText(int words) {
    static const char* kWords[] = {"bir",
                                   "iki",
                                   "\xFC\xE7",
                                   "kalem",
                                   "defter",
                                   "\xE7i\xE7"
                                   "ek",
                                   "a\xF0"
                                   "a\xE7",
                                   "\xF6\xF0renci",
                                   "G\xFCnayd\xFDn,",
                                   "\xFDrmak."};
    std::mt19937 random(1254);
    std::string text;
    for (int i = 0; i < words; ++i) {
        text += kWords[random() % std::size(kWords)];
        text += (i % 12 == 11) ? "\r\n" : " ";
    }
    return text;
}

}  // namespace bench
