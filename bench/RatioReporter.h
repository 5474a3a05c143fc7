// A console reporter that, once every benchmark has run, prints the speed of ours over the
// reference's for each named pair, beside the pair's goal.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Ratio {
  const char* ours;
  const char* reference;
  double goal;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
  // counter: the rate both sides count ("bytes_per_second", "items_per_second").
  RatioReporter(std::string counter, std::vector<Ratio> ratios)
      : m_counter(std::move(counter)), m_ratios(std::move(ratios)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    // With repetitions the median stands for the benchmark; otherwise its one run does.
    for (const Run& run : runs) {
      const auto found = run.counters.find(m_counter);
      if (found == run.counters.end()) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      m_speed[run.run_name.function_name] = found->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const Ratio& ratio : m_ratios) {
      const auto ours = m_speed.find(ratio.ours);
      const auto reference = m_speed.find(ratio.reference);
      if (ours == m_speed.end() || reference == m_speed.end() || reference->second == 0) continue;
      std::printf("%s / %s: %.3f (goal %.2f)\n", ratio.ours, ratio.reference,
                  ours->second / reference->second, ratio.goal);
    }
  }

private:
  std::string m_counter;
  std::vector<Ratio> m_ratios;
  std::map<std::string, double> m_speed;
};

}  // namespace bench
