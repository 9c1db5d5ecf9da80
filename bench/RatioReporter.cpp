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
    auto [entry, added] = m_best.emplace(run.benchmark_name(), time);
    if (!added)
      entry->second = std::min(entry->second, time);
  }
  ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::Finalize()
{
  ConsoleReporter::Finalize();
  for (const BenchmarkRatio& ratio : m_ratios) {
    const auto measured = m_best.find(ratio.measured);
    const auto baseline = m_best.find(ratio.baseline);
    if (measured == m_best.end() || baseline == m_best.end() || baseline->second <= 0)
      continue; // filtered out of this run
    const double value = measured->second / baseline->second;
    if (ratio.target > 0)
      std::printf("%s / %s = %.2f (target at most %.2f: %s)\n", ratio.measured.c_str(),
                  ratio.baseline.c_str(), value, ratio.target, value <= ratio.target ? "met" : "MISSED");
    else
      std::printf("%s / %s = %.2f\n", ratio.measured.c_str(), ratio.baseline.c_str(), value);
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
