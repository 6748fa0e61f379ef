// The program's own cost of each retry when the engine refuses a long text:
// a 64 KiB text against an engine that refuses anything over 1 KiB, so that
// one request makes tens of thousands of engine calls.
//
// The engine here only looks for the end of the text within its limit (a
// bounded memchr). FakeEngineAlone times that same work for the same calls;
// the program's own time per retry is the difference of the two per-retry
// figures.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "render/Recovery.h"

namespace {

constexpr std::size_t kTextBytes = 64 * 1024;
constexpr std::size_t kAcceptUpTo = 1024;

unsigned char gImage[44];
std::size_t gCalls = 0;

unsigned char* YOMIAGE_ENGINE_CALL RefuseOverLimit(const char* text, int, int* codeSlot) {
  ++gCalls;
  if (std::memchr(text, '\0', kAcceptUpTo + 1) == nullptr) {
    *codeSlot = 202;
    return nullptr;
  }
  *codeSlot = sizeof gImage;
  return gImage;
}

// `unit` repeated to 64 KiB.
std::string Repeated(const std::string& unit) {
  std::string text;
  while (text.size() + unit.size() <= kTextBytes) text += unit;
  return text;
}

void RunRefused(benchmark::State& state, const std::string& text) {
  std::size_t callsPerRequest = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string pending = text;
    gCalls = 0;
    state.ResumeTiming();
    std::int32_t code = 0;
    benchmark::DoNotOptimize(render::SynthesizeWithRecovery(RefuseOverLimit, &code, pending, 100));
    callsPerRequest = gCalls;
  }
  state.counters["calls"] = static_cast<double>(callsPerRequest);
  state.counters["per_retry"] = benchmark::Counter(
      static_cast<double>(callsPerRequest),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// No marks: one phrase, so every retry is a byte-level cut (double-byte
// characters, so every cut also checks a character boundary).
void RefusedTextWithoutMarks(benchmark::State& state) { RunRefused(state, Repeated("あいうえお")); }

// A phrase every 8 bytes: the phrase-level retries carry the request.
void RefusedTextOfPhrases(benchmark::State& state) { RunRefused(state, Repeated("あいう、")); }

// The engine's share: the same calls on texts as long as the refused ones.
void FakeEngineAlone(benchmark::State& state) {
  const std::string text = Repeated("あいうえお");
  const std::size_t calls = kTextBytes - kAcceptUpTo;
  for (auto _ : state) {
    std::int32_t code = 0;
    for (std::size_t k = 0; k < calls; ++k) {
      benchmark::DoNotOptimize(RefuseOverLimit(text.c_str(), 100, &code));
    }
  }
  state.counters["per_retry"] = benchmark::Counter(
      static_cast<double>(calls),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(RefusedTextWithoutMarks)->Unit(benchmark::kMillisecond);
BENCHMARK(RefusedTextOfPhrases)->Unit(benchmark::kMillisecond);
BENCHMARK(FakeEngineAlone)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
