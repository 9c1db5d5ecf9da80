// The cost of an uncontended lock guard pair (lock at construction, unlock at destruction) on an
// annotation object, against the bare std::shared_mutex pair measured in the same run. The
// guards should cost at most one and a half times as much; the summary at the end states the ratios.

#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <shared_mutex>
#include <string>

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

} // namespace

int main(int argc, char** argv)
{
  return RatioReporter::RunBenchmarks(argc, argv,
                                      {
                                          {"ReadLockGuardPair", "SharedMutexReadPair", 1.5},
                                          {"WriteLockGuardPair", "SharedMutexWritePair", 1.5},
                                      });
}
