#include "NoBoard.h"

#include "exercise/Exercise.h"
#include "exercise/RandomSource.h"
#include "exercise/Speaker.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

class NoSpeaker : public vocarin::Speaker
{
public:
    void speak(const QString&) override {}
};

constexpr int kLines = 100'000;

// Composes question after question of a shuffled course of kLines lines with
// six choices; englishFor gives the English text of line i.
template <typename EnglishFor> void composeQuestions(benchmark::State& bench, EnglishFor englishFor)
{
    vocarin::bench::NoBoard board;
    NoSpeaker speaker;
    vocarin::bench::NoCues cues;
    vocarin::ClockSeededRandom random;
    vocarin::Exercise exercise(board, speaker, cues, random, QDir()); // reads no course
    vocarin::ExerciseState& s = exercise.state();
    for (int i = 0; i < kLines; ++i) {
        s.QuestionList.add(englishFor(i));
        s.AnswerList.add(u"意味"_s + QString::number(i));
    }
    s.AllQuestNum = kLines;
    s.SelectNum = 6;
    exercise.beginRun();

    qint32 position = 1;
    for (auto _ : bench) {
        s.CurrentNum = position;
        exercise.StartGame();
        benchmark::DoNotOptimize(s.QuestionPart);
        position = position % kLines + 1;
    }
    bench.counters["buttons"] = double(s.CQList.count());
}

void ComposeDifferentWords(benchmark::State& bench)
{
    composeQuestions(bench, [](int i) -> QString { return u"word"_s + QString::number(i); });
}

void ComposeSevenTexts(benchmark::State& bench)
{
    composeQuestions(bench, [](int i) -> QString { return u"word"_s + QString::number(i % 7); });
}

// Enough different texts exist, but five of them stand on one line each, so
// the exact draws have to find those lines among the whole course.
void ComposeFiveRareTexts(benchmark::State& bench)
{
    composeQuestions(bench, [](int i) -> QString {
        return i % (kLines / 5) == 0 ? u"rare"_s + QString::number(i) : u"common"_s;
    });
}

// Fewer different texts than choices: every other text is placed, then composition ends.
void ComposeThreeTexts(benchmark::State& bench)
{
    composeQuestions(bench, [](int i) -> QString { return u"word"_s + QString::number(i % 3); });
}

} // namespace

BENCHMARK(ComposeDifferentWords)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComposeSevenTexts)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComposeFiveRareTexts)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComposeThreeTexts)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
