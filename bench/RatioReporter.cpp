#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred)
      continue;
    // In seconds: the runs being compared may report in different units.
    const double time = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    m_times[run.benchmark_name()].push_back(time);
  }
  ConsoleReporter::ReportRuns(runs);
}

namespace {

double Median(std::vector<double> times)
{
  std::sort(times.begin(), times.end());
  const std::size_t middle = times.size() / 2;
  return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

} // namespace

void RatioReporter::Finalize()
{
  ConsoleReporter::Finalize();
  for (const BenchmarkRatio& ratio : m_ratios) {
    const auto measured = m_times.find(ratio.measured);
    const auto baseline = m_times.find(ratio.baseline);
    if (measured == m_times.end() || baseline == m_times.end())
      continue; // filtered out of this run
    const double baselineTime = Median(baseline->second);
    if (baselineTime <= 0)
      continue;
    const double value = Median(measured->second) / baselineTime;
    const std::size_t runs = std::min(measured->second.size(), baseline->second.size());
    if (ratio.target > 0)
      std::printf("%s / %s = %.2f, median of %zu run(s) (target at most %.2f: %s)\n", ratio.measured.c_str(),
                  ratio.baseline.c_str(), value, runs, ratio.target,
                  value <= ratio.target ? "met" : "MISSED");
    else
      std::printf("%s / %s = %.2f, median of %zu run(s)\n", ratio.measured.c_str(), ratio.baseline.c_str(),
                  value, runs);
  }
}

int RatioReporter::RunBenchmarks(int argc, char** argv, std::vector<BenchmarkRatio> ratios)
{
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  RatioReporter reporter(std::move(ratios));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
