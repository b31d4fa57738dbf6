// Assembly ("SynANA" then "semANA") of a full-memory program, of a long commented
// source, and of sources and lines that grow, to show that time grows linearly: up to
// 1 MB of random source, 100,000-character lines, and 1 MB of NULs, lone CRs, lone LFs
// and nothing but line ends.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "assembler/passes.hpp"
#include "session/headless.hpp"

namespace comet {
namespace {

Text number(int i) { return fromAscii(std::to_string(i)); }

// 200 words: a loop over 15 labelled blocks of instructions, IN/OUT groups and data.
Text fullMemoryProgram() {
    Text s = u"MAIN START\r\n    LEA GR4,STACK\r\n";
    for (int i = 0; i < 15; ++i) {
        s += u"B" + number(i) + u"  LD GR1,D" + number(i) + u",GR2\r\n";
        s += u"     ADD GR1,ONE\r\n     ST GR1,D" + number(i) + u"\r\n     CPA GR1,LIM\r\n";
        s += u"     JNZ B" + number((i + 1) % 15) + u"\r\n";
    }
    s += u"     OUT BUF,LEN\r\n     IN BUF,LEN\r\n     POP GR3\r\n     EXIT\r\n";
    for (int i = 0; i < 15; ++i) s += u"D" + number(i) + u"  DC " + number(i * 7) + u"\r\n";
    s += u"ONE  DC 1\r\nLIM  DC #0100\r\nLEN  DC 12\r\nBUF  DC 'Hellow COMET'\r\nSTACK DS 10\r\n    END\r\n";
    return s;
}

// 10,000 lines, mostly comments and blank lines, with 60 labels and 140 one-word references.
Text commentedProgram() {
    Text s;
    for (int line = 0; line < 10000; ++line) {
        if (line % 50 == 0 && line / 50 < 60) {
            s += u"L" + number(line / 50) + u"\r\n";
        } else if (line % 70 == 1) {
            s += u"    DC L" + number(line % 60) + u"   /* a reference\r\n";
        } else if (line % 3 == 0) {
            s += u"\r\n";
        } else {
            s += u"/* explains the next lines of the program, in some detail */\r\n";
        }
    }
    return s;
}

// A source of `size` characters that is read to its end: random tokens, separators,
// quotes, control characters and Japanese after heads that generate no word (comments,
// END, DS 0, labels, faulty heads), and now and then a random statement.
Text randomSource(size_t size) {
    const std::u16string_view junk[] = {
        u"LD", u"DC", u"OUT", u"JMP", u"GR1", u"X", u"ラベル", u" ", u" ", u",", u",,", u"'", u"#", u"-",
        u"1", u"9", u".", u"E", u"/*", u"\t", u"\0", u"\r", u"X\n", u"ｱ", u"漢",
    };
    const std::u16string_view heads[] = {u"/*", u"    END ", u"L1 END ", u"L2 /*", u"9 ", u"    DS 0 ", u"'x' ", u" , ,/*"};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pickJunk(0, std::size(junk) - 1);
    std::uniform_int_distribution<size_t> pickHead(0, std::size(heads) - 1);
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<int> rare(0, 999);
    Text s;
    while (s.size() < size) {
        if (rare(random) != 0) s += heads[pickHead(random)];
        for (int k = length(random); k > 0; --k) s += junk[pickJunk(random)];
        s += u"\r\n";
    }
    return s;
}

void assembleRepeatedly(benchmark::State& state, const Text& source) {
    HeadlessDisplay display;
    Workbench wb{display};
    wb.text1.text = source;
    for (auto _ : state) {
        display.shown.clear();
        SynANA(wb);
        semANA(wb);
        benchmark::DoNotOptimize(wb.list1.lines.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size() * sizeof(char16_t)));
    state.counters["words"] = wb.locationCounter;
    state.counters["boxes"] = static_cast<double>(display.shown.size());
}

void BM_Assemble200Words(benchmark::State& state) { assembleRepeatedly(state, fullMemoryProgram()); }
BENCHMARK(BM_Assemble200Words)->Unit(benchmark::kMicrosecond);

void BM_Assemble10000CommentedLines(benchmark::State& state) { assembleRepeatedly(state, commentedProgram()); }
BENCHMARK(BM_Assemble10000CommentedLines)->Unit(benchmark::kMicrosecond);

void BM_AssembleRandomSource(benchmark::State& state) {
    assembleRepeatedly(state, randomSource(static_cast<size_t>(state.range(0))));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssembleRandomSource)->RangeMultiplier(2)->Range(1 << 17, 1 << 20)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// One line of n characters: a label, a string operand, a number, and a comment.
void BM_AssembleLongLine(benchmark::State& state) {
    const auto n = static_cast<size_t>(state.range(0));
    const Text shapes[] = {Text(n, u'A'), u"    DC '" + Text(n, u'\'') + u"'", u"    DC " + Text(n, u'7'),
                           u"/*" + Text(n, u'あ')};
    assembleRepeatedly(state, shapes[state.range(1)]);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssembleLongLine)->ArgsProduct({{12500, 25000, 50000, 100000}, {0}})->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AssembleLongLine)->ArgsProduct({{12500, 25000, 50000, 100000}, {1}})->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AssembleLongLine)->ArgsProduct({{12500, 25000, 50000, 100000}, {2}})->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AssembleLongLine)->ArgsProduct({{12500, 25000, 50000, 100000}, {3}})->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// A source of n characters with no CR LF pair, so one line: NULs, lone CRs, lone LFs,
// or statements joined by lone LFs (which the pass does not cut).
void BM_AssembleWithoutLineEnds(benchmark::State& state) {
    const auto n = static_cast<size_t>(state.range(0));
    Text glued;
    while (glued.size() < n) glued += u"  LD GR1,X\n";
    const Text shapes[] = {Text(n, u'\0'), Text(n, u'\r'), Text(n, u'\n'), glued};
    assembleRepeatedly(state, shapes[state.range(1)]);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssembleWithoutLineEnds)->ArgsProduct({{1 << 17, 1 << 18, 1 << 19, 1 << 20}, {0}})
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssembleWithoutLineEnds)->ArgsProduct({{1 << 17, 1 << 18, 1 << 19, 1 << 20}, {1}})
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssembleWithoutLineEnds)->ArgsProduct({{1 << 17, 1 << 18, 1 << 19, 1 << 20}, {2}})
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssembleWithoutLineEnds)->ArgsProduct({{1 << 17, 1 << 18, 1 << 19, 1 << 20}, {3}})
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A source of n characters made only of line ends: CR LF pairs (n/2 empty lines), or
// LF CR pairs, which hold a CR LF pair at every join.
void BM_AssembleOnlyLineEnds(benchmark::State& state) {
    const auto n = static_cast<size_t>(state.range(0));
    Text crlf;
    Text lfcr;
    for (size_t i = 0; i < n / 2; ++i) {
        crlf += u"\r\n";
        lfcr += u"\n\r";
    }
    assembleRepeatedly(state, state.range(1) == 0 ? crlf : lfcr);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssembleOnlyLineEnds)->ArgsProduct({{1 << 17, 1 << 18, 1 << 19, 1 << 20}, {0}})
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssembleOnlyLineEnds)->ArgsProduct({{1 << 17, 1 << 18, 1 << 19, 1 << 20}, {1}})
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace comet
