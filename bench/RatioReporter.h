// A console reporter that, once every benchmark has run, prints the speed of ours over the
// reference's for each named pair, beside the pair's goal.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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
      const std::string& name = run.run_name.function_name;
      m_speed[name] = found->second.value;
      if (run.run_type == Run::RT_Iteration && run.repetitions > 1)
        m_repetitions[name].push_back(found->second.value);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const Ratio& ratio : m_ratios) {
      const auto ours = m_speed.find(ratio.ours);
      const auto reference = m_speed.find(ratio.reference);
      if (ours == m_speed.end() || reference == m_speed.end() || reference->second == 0) continue;
      std::printf("%s / %s: %.3f (goal %.2f)", ratio.ours, ratio.reference, ours->second / reference->second,
                  ratio.goal);
      // On a shared machine a busy stretch slows some repetitions and speeds up none: the fast end of
      // each side's repetitions is the least disturbed measure of its cost. The tenth fastest of a
      // hundred, not the fastest, so that no single odd repetition decides it.
      const double oursFast = FastDecile(ratio.ours);
      const double referenceFast = FastDecile(ratio.reference);
      if (oursFast > 0 && referenceFast > 0)
        std::printf("; fastest tenth of the repetitions: %.3f", oursFast / referenceFast);
      std::printf("\n");
    }
  }

private:
  std::string m_counter;
  std::vector<Ratio> m_ratios;
  // The speed that a tenth of the repetitions reach or beat; 0 without repetitions.
  double FastDecile(const std::string& name) {
    const auto found = m_repetitions.find(name);
    if (found == m_repetitions.end() || found->second.empty()) return 0;
    std::vector<double>& speeds = found->second;
    std::sort(speeds.begin(), speeds.end(), std::greater<>());
    return speeds[speeds.size() / 10];
  }

  std::map<std::string, double> m_speed;
  std::map<std::string, std::vector<double>> m_repetitions;
};

}  // namespace bench
