// Throughput of the script parser over a large generated script of mixed
// kana, marks, line breaks and control statements.
#include <benchmark/benchmark.h>

#include <string>

#include "script/ParseScript.h"

namespace {

std::string MakeScript(std::size_t targetBytes) {
  const char* pieces[] = {
      "こんにちは、",   "げんきですか？", "きょうは/いい+てんきですね。", "\r\n",
      "<-S:120>",       "あ;い/う+え",    "<-c:コメントです>",           "ありがとう,ございます。",
      "<-b:200>",       "キョーワ ハレ'_デス。", "<-d:f1>",              "そうですね",
      "<-x:unknown>",   "<-v:80>",        "ら<\r\n-り",                  "ー、",
  };
  std::string script;
  script.reserve(targetBytes + 64);
  std::uint32_t seed = 2026;
  while (script.size() < targetBytes) {
    seed = seed * 1103515245u + 12345u;
    script += pieces[(seed >> 16) % std::size(pieces)];
  }
  return script;
}

void BM_ParseScript(benchmark::State& state) {
  const std::string script = MakeScript(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    script::StatementList list = script::ParseScript(script);
    benchmark::DoNotOptimize(list.bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
}
BENCHMARK(BM_ParseScript)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
