#pragma once

#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tqtest {

//! A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); 0 when it cannot be read.
inline unsigned long long StatusBytes(const std::string& field)
{
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, field.size() + 1, field + ":") == 0)
      return std::stoull(line.substr(field.size() + 1)) * 1024; // given in kB
  }
  return 0;
}

//! The address space the process uses now, in bytes.
inline rlim_t AddressSpaceInUse()
{
  std::ifstream statm("/proc/self/statm");
  unsigned long long pages = 0;
  statm >> pages;
  return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE));
}

//! Runs body in a child process and tells whether it returned true there while its memory grew
//! by at most ceiling bytes at its peak. A reader that gives the right answer only after holding
//! more (or after running out of memory, which readers also answer with a failure) fails the
//! test. The child's address space is limited to a few times the ceiling, so that a reader gone
//! wrong fails quickly instead of slowing the machine down.
template <class Body>
bool FinishesUnderMemoryCeiling(Body body, unsigned long long ceiling = 128ull << 20)
{
  const pid_t child = ::fork();
  if (child == 0) {
    const rlim_t limit = AddressSpaceInUse() + rlim_t(8) * ceiling;
    const rlimit addressSpace{limit, limit};
    ::setrlimit(RLIMIT_AS, &addressSpace);
    std::ofstream("/proc/self/clear_refs") << "5"; // starts the peak over from here
    const unsigned long long before = StatusBytes("VmRSS");
    bool passed = false;
    try {
      passed = body();
    } catch (...) {
    }
    const unsigned long long peak = StatusBytes("VmHWM");
    ::_exit(passed && peak <= before + ceiling ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace tqtest
