// Runs the registered benchmarks interleaved in random order (unless the command line says
// otherwise), so that a busy moment of a shared machine does not fall on one side of a comparison
// only. Compare the medians of the repetitions.
#pragma once

#include <benchmark/benchmark.h>

#include <vector>

namespace bench {

// 1 when the command line holds an argument the library does not know, else 0.
inline int RunInterleaved(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  if (reporter) {
    benchmark::RunSpecifiedBenchmarks(reporter);
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
