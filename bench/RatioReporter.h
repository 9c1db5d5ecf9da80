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
};

//! Shows the runs as the console reporter does and keeps the time per iteration of every run of
//! each benchmark, so that once all have run it can state each ratio of medians against its target
//! (with --benchmark_repetitions=N, the medians of N runs).
class RatioReporter : public benchmark::ConsoleReporter
{
public:
  explicit RatioReporter(std::vector<BenchmarkRatio> ratios) : m_ratios(std::move(ratios)) {}

  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

  //! Runs the benchmarks named on the command line with this reporter; the result of main.
  static int RunBenchmarks(int argc, char** argv, std::vector<BenchmarkRatio> ratios);

private:
  std::vector<BenchmarkRatio> m_ratios;
  //! The time per iteration of each run, in seconds, by benchmark.
  std::map<std::string, std::vector<double>> m_times;
};
