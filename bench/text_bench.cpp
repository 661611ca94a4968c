// Replace-all over a large text: the cost must grow with the text, not with
// the text times the number of matches.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "text/string_primitives.h"

namespace {

// `size` bytes in which every tenth character starts a match of "Ab".
std::string TextWithMatches(std::size_t size) {
  std::string text;
  text.reserve(size);
  const std::string piece = "ab-xyz-qr ";  // 10 bytes, one match
  while (text.size() + piece.size() <= size) text += piece;
  return text;
}

void BM_ReplaceTextManyMatches(benchmark::State& state) {
  const std::string original = TextWithMatches(static_cast<std::size_t>(state.range(0)));
  std::size_t length = 0;
  for (auto _ : state) {
    std::string text = original;
    length = text::ReplaceText(text, "Ab", "[Ab]").size();
    benchmark::DoNotOptimize(length);
  }
  state.counters["matches"] = static_cast<double>(original.size() / 10);
  state.counters["result_bytes"] = static_cast<double>(length);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(original.size()));
  state.SetComplexityN(state.range(0));
}

// 1 MB with 100,000 matches, plus smaller and larger sizes to show the
// growth is linear.
BENCHMARK(BM_ReplaceTextManyMatches)
    ->Arg(250'000)
    ->Arg(500'000)
    ->Arg(1'000'000)
    ->Arg(2'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
