#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "tests/reference/LinearWalkScorer.h"
#include "text/TextAnalysis.h"

namespace {

struct ExamTexts {
    std::string sample, typed;
};

// A sample of Turkish-looking words and a typing of it: mixed case, punctuation, and about one word in ten wrong.
ExamTexts MakeExamTexts(int wordCount) {
    static const std::string kLetters =
        "abc\xE7"
        "defg\xF0"
        "h\xFD"
        "ijklmno\xF6"
        "prs\xFE"
        "tu\xFC"
        "vyz";
    static const std::string kMarks[] = {"", "", "", "", ".", ",", "?", ";", "\x85", "\x92", "-"};
    std::mt19937 random(20000);
    std::vector<std::string> vocabulary(wordCount / 4 + 1);
    for (std::string& word : vocabulary) {
        for (int length = 2 + static_cast<int>(random() % 9); length > 0; --length) {
            word += kLetters[random() % kLetters.size()];
        }
    }
    ExamTexts texts;
    for (int i = 0; i < wordCount; ++i) {
        std::string word = vocabulary[random() % vocabulary.size()];
        const std::string& mark = kMarks[random() % std::size(kMarks)];
        texts.sample += word + mark + ' ';
        if (random() % 3 == 0) {
            word = text::HarfDonustur(word);
        }
        if (random() % 10 == 0) {
            word[random() % word.size()] = 'q';
        }
        texts.typed += word + mark + (i % 12 == 11 ? "\r\n" : " ");
    }
    return texts;
}

constexpr int kExamWords = 20000;

void BM_ScoreWords(benchmark::State& state) {
    const ExamTexts texts = MakeExamTexts(kExamWords);
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::ScoreWords(texts.sample, texts.typed));
    }
    state.SetLabel("20,000 x 20,000 words, target < 20 ms");
}
BENCHMARK(BM_ScoreWords)->Unit(benchmark::kMillisecond);

void BM_LinearWalkScore(benchmark::State& state) {
    const ExamTexts texts = MakeExamTexts(kExamWords);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference::LinearWalkScore(texts.sample, texts.typed, text::PortableWordKey));
    }
    state.SetLabel("20,000 x 20,000 words, plain walk for comparison");
}
BENCHMARK(BM_LinearWalkScore)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LocateWrongWords(benchmark::State& state) {
    const ExamTexts texts = MakeExamTexts(static_cast<int>(state.range(0)));
    const text::WordList wrongWords = text::ScoreWords(texts.sample, texts.typed).wrongWords;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::LocateWrongWords(texts.typed, wrongWords));
    }
    state.SetComplexityN(state.range(0));
    state.counters["wrong_words"] = static_cast<double>(wrongWords.size());
    state.SetLabel("target: linear in the words typed");
}
BENCHMARK(BM_LocateWrongWords)
    ->Arg(300)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
