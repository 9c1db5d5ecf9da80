#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

//! A measured benchmark set against a baseline measured in the same run.
struct BenchmarkRatio
{
  std::string measured;
  std::string baseline;
  double target; //!< the ratio not to exceed; 0 states the ratio without judging it
  //! When set, the target bounds measured/baseline divided by this ratio of two other benchmarks
  //! of the same run: growth that cache effects alone would give is then not held against the
  //! measured code.
  std::string referenceMeasured = {};
  std::string referenceBaseline = {};
  //! When set, the name of a counter per iteration (such as "instructions") that the ratio is
  //! judged on instead of time; the ratio of times is printed beside it. Where no run reports the
  //! counter, the ratio of times is stated and not judged.
  std::string counter = {};
};

//! Shows the runs as the console reporter does and keeps the CPU time, the real time and the
//! counters per iteration of every run of each benchmark, so that once all have run it can state
//! each ratio of medians against its target, with the spread of the ratio over the repetitions
//! (with --benchmark_repetitions=N or a benchmark's own Repetitions, the medians of N runs).
//!
//! Single-threaded benchmarks are judged on CPU time: on a busy machine the real time of one run
//! swings with what else runs, while its CPU time stays. Benchmarks that run several threads are
//! judged on real time, which is what their threads' waiting costs.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
  explicit RatioReporter(std::vector<BenchmarkRatio> ratios) : m_ratios(std::move(ratios)) {}

  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

  //! Runs the benchmarks named on the command line with this reporter; the result of main. Unless
  //! the command line says otherwise, each benchmark is repeated kDefaultRepetitions times, each
  //! repetition running for at least kDefaultMinimumSeconds, and the repetitions of all
  //! benchmarks run interleaved in random order.
  static int RunBenchmarks(int argc, char** argv, std::vector<BenchmarkRatio> ratios);

  static constexpr int kDefaultRepetitions = 5;
  static constexpr double kDefaultMinimumSeconds = 0.1;

private:
  //! What one run (one repetition) of a benchmark measured, per iteration.
  struct Measure
  {
    double cpuSeconds;
    double realSeconds;
    bool threaded;
    std::map<std::string, double> counters;
  };
  //! A ratio of medians, and the ratios of the repetitions taken pairwise (the first run of one
  //! with the first of the other, and so on), whose range is the spread stated.
  struct Ratio
  {
    double median = 0;
    std::vector<double> pairwise;
  };

  //! The ratio of the two benchmarks on the counter, or on time when the counter is empty; false
  //! when either was not run (filtered out) or lacks the counter.
  bool Compare(const std::string& measured, const std::string& baseline, const std::string& counter,
               Ratio& ratio) const;
  void State(const BenchmarkRatio& ratio) const;

  std::vector<BenchmarkRatio> m_ratios;
  std::map<std::string, std::vector<Measure>> m_measures;
};
