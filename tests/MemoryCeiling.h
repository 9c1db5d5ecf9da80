#pragma once

#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tqtest {

//! The address space the process uses now, in bytes.
inline rlim_t AddressSpaceInUse()
{
  std::ifstream status("/proc/self/statm");
  unsigned long long pages = 0;
  status >> pages;
  return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE));
}

//! Runs body in a child process whose address space may grow by at most headroom bytes, and
//! tells whether it returned true there. A body that needs more fails to allocate and the child
//! dies or returns false, so a reader that holds more than the headroom fails the test instead of
//! slowing the machine down.
template <class Body>
bool FinishesUnderMemoryCeiling(Body body, rlim_t headroom = rlim_t(512) << 20)
{
  const pid_t child = ::fork();
  if (child == 0) {
    const rlim_t ceiling = AddressSpaceInUse() + headroom;
    const rlimit limit{ceiling, ceiling};
    ::setrlimit(RLIMIT_AS, &limit);
    bool passed = false;
    try {
      passed = body();
    } catch (...) {
    }
    ::_exit(passed ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace tqtest
