#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <string>

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred)
      continue;
    // In seconds: the runs being compared may report in different units.
    const double multiplier = benchmark::GetTimeUnitMultiplier(run.time_unit);
    Measure measure{
        run.GetAdjustedCPUTime() / multiplier, run.GetAdjustedRealTime() / multiplier, run.threads > 1, {}};
    for (const auto& counter : run.counters)
      measure.counters[counter.first] = counter.second.value;
    m_measures[run.benchmark_name()].push_back(measure);
  }
  ConsoleReporter::ReportRuns(runs);
}

namespace {

double Median(std::vector<double> values)
{
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Spread(const std::vector<double>& pairwise)
{
  if (pairwise.size() < 2)
    return "one run";
  const auto range = std::minmax_element(pairwise.begin(), pairwise.end());
  char text[96];
  std::snprintf(text, sizeof text, "%zu runs from %.2f to %.2f", pairwise.size(), *range.first,
                *range.second);
  return text;
}

std::string Verdict(double value, double target)
{
  char text[64];
  std::snprintf(text, sizeof text, "target at most %.2f: %s", target, value <= target ? "met" : "MISSED");
  return text;
}

} // namespace

bool RatioReporter::Compare(const std::string& measured, const std::string& baseline,
                            const std::string& counter, Ratio& ratio) const
{
  const auto measuredRuns = m_measures.find(measured);
  const auto baselineRuns = m_measures.find(baseline);
  if (measuredRuns == m_measures.end() || baselineRuns == m_measures.end())
    return false;
  std::vector<double> values[2];
  for (int side = 0; side < 2; ++side)
    for (const Measure& measure : (side == 0 ? measuredRuns : baselineRuns)->second) {
      if (counter.empty()) {
        values[side].push_back(measure.threaded ? measure.realSeconds : measure.cpuSeconds);
        continue;
      }
      const auto found = measure.counters.find(counter);
      if (found == measure.counters.end())
        return false;
      values[side].push_back(found->second);
    }
  const double baselineMedian = Median(values[1]);
  if (baselineMedian <= 0)
    return false;
  ratio.median = Median(values[0]) / baselineMedian;
  ratio.pairwise.clear();
  for (std::size_t run = 0; run < std::min(values[0].size(), values[1].size()); ++run)
    if (values[1][run] > 0)
      ratio.pairwise.push_back(values[0][run] / values[1][run]);
  return true;
}

void RatioReporter::State(const BenchmarkRatio& ratio) const
{
  Ratio timed;
  if (!Compare(ratio.measured, ratio.baseline, "", timed))
    return; // filtered out of this run
  const char* clock = m_measures.at(ratio.measured).front().threaded ? "real time" : "CPU time";
  const std::string name = ratio.measured + " / " + ratio.baseline;

  if (!ratio.counter.empty()) {
    Ratio counted;
    if (!Compare(ratio.measured, ratio.baseline, ratio.counter, counted)) {
      std::printf(
          "%s = %.2f in %s (%s); not judged: no %s counted on this machine (target at most %.2f in %s)\n",
          name.c_str(), timed.median, clock, Spread(timed.pairwise).c_str(), ratio.counter.c_str(),
          ratio.target, ratio.counter.c_str());
      return;
    }
    std::printf("%s = %.2f in %s (%s; %s), %.2f in %s (%s)\n", name.c_str(), counted.median,
                ratio.counter.c_str(), Spread(counted.pairwise).c_str(),
                Verdict(counted.median, ratio.target).c_str(), timed.median, clock,
                Spread(timed.pairwise).c_str());
    return;
  }

  if (!ratio.referenceMeasured.empty()) {
    Ratio reference;
    if (!Compare(ratio.referenceMeasured, ratio.referenceBaseline, "", reference) || reference.median <= 0)
      return;
    Ratio relative;
    relative.median = timed.median / reference.median;
    for (std::size_t run = 0; run < std::min(timed.pairwise.size(), reference.pairwise.size()); ++run)
      relative.pairwise.push_back(timed.pairwise[run] / reference.pairwise[run]);
    std::printf("%s = %.2f in %s against %s / %s = %.2f: %.2f times as much (%s; %s)\n", name.c_str(),
                timed.median, clock, ratio.referenceMeasured.c_str(), ratio.referenceBaseline.c_str(),
                reference.median, relative.median, Spread(relative.pairwise).c_str(),
                Verdict(relative.median, ratio.target).c_str());
    return;
  }

  if (ratio.target > 0)
    std::printf("%s = %.2f in %s (%s; %s)\n", name.c_str(), timed.median, clock,
                Spread(timed.pairwise).c_str(), Verdict(timed.median, ratio.target).c_str());
  else
    std::printf("%s = %.2f in %s (%s)\n", name.c_str(), timed.median, clock, Spread(timed.pairwise).c_str());
}

void RatioReporter::Finalize()
{
  ConsoleReporter::Finalize();
  std::printf("Ratios of medians over the repetitions, with the spread of the repetitions' own ratios:\n");
  for (const BenchmarkRatio& ratio : m_ratios)
    State(ratio);
}

namespace {

bool Given(int argc, char** argv, const std::string& flag)
{
  for (int index = 1; index < argc; ++index)
    if (std::string(argv[index]).rfind(flag, 0) == 0)
      return true;
  return false;
}

} // namespace

int RatioReporter::RunBenchmarks(int argc, char** argv, std::vector<BenchmarkRatio> ratios)
{
  // A median needs repetitions; short ones keep a run of every benchmark within seconds. The
  // defaults give way to what the command line says.
  std::vector<std::string> defaults;
  if (!Given(argc, argv, "--benchmark_repetitions"))
    defaults.push_back("--benchmark_repetitions=" + std::to_string(kDefaultRepetitions));
  if (!Given(argc, argv, "--benchmark_min_time"))
    defaults.push_back("--benchmark_min_time=" + std::to_string(kDefaultMinimumSeconds));
  // Repetitions of the benchmarks compared run in turns, so that a spell of load on a busy
  // machine falls on both sides of a ratio rather than on one.
  if (!Given(argc, argv, "--benchmark_enable_random_interleaving"))
    defaults.push_back("--benchmark_enable_random_interleaving=true");
  std::vector<char*> arguments(argv, argv + argc);
  for (std::string& argument : defaults)
    arguments.push_back(argument.data());
  argc = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  argv = arguments.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  RatioReporter reporter(std::move(ratios));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
