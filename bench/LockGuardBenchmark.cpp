// The cost of an uncontended lock guard pair (lock at construction, unlock at destruction) on an
// annotation object, against the bare std::shared_mutex pair measured in the same run. The
// guards should cost at most twice as much; the summary at the end states the ratios.

#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <shared_mutex>
#include <string>
#include <vector>

namespace {

struct Guarded : tqk::ObjectWithRWLock
{
  Guarded() : tqk::ObjectWithRWLock(new tqk::LockOwner) {}
};

void SharedMutexReadPair(benchmark::State& state)
{
  std::shared_mutex mutex;
  for (auto _ : state) {
    mutex.lock_shared();
    benchmark::ClobberMemory();
    mutex.unlock_shared();
  }
}
BENCHMARK(SharedMutexReadPair);

void ReadLockGuardPair(benchmark::State& state)
{
  Guarded object;
  for (auto _ : state) {
    tqannotations::ReadLockGuard guard(object);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ReadLockGuardPair);

void SharedMutexWritePair(benchmark::State& state)
{
  std::shared_mutex mutex;
  for (auto _ : state) {
    mutex.lock();
    benchmark::ClobberMemory();
    mutex.unlock();
  }
}
BENCHMARK(SharedMutexWritePair);

void WriteLockGuardPair(benchmark::State& state)
{
  Guarded object;
  for (auto _ : state) {
    tqannotations::WriteLockGuard guard(object);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(WriteLockGuardPair);

//! Shows the runs as usual and keeps the best time per iteration of each benchmark, so that the
//! ratios can be stated once all have run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
  void ReportRuns(const std::vector<Run>& runs) override
  {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred)
        continue;
      const double time = run.GetAdjustedRealTime();
      auto [entry, added] = m_best.emplace(run.benchmark_name(), time);
      if (!added)
        entry->second = std::min(entry->second, time);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override
  {
    ConsoleReporter::Finalize();
    PrintRatio("ReadLockGuardPair", "SharedMutexReadPair");
    PrintRatio("WriteLockGuardPair", "SharedMutexWritePair");
  }

private:
  void PrintRatio(const std::string& guard, const std::string& baseline) const
  {
    const auto g = m_best.find(guard);
    const auto b = m_best.find(baseline);
    if (g == m_best.end() || b == m_best.end() || b->second <= 0)
      return; // filtered out of this run
    const double ratio = g->second / b->second;
    std::printf("%s / %s = %.2f (target at most 2.00: %s)\n", guard.c_str(), baseline.c_str(), ratio,
                ratio <= 2.0 ? "met" : "MISSED");
  }

  std::map<std::string, double> m_best;
};

} // namespace

int main(int argc, char** argv)
{
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
