#include "InstructionCounter.h"

#include <cstring>

#if defined(__linux__)
#include <linux/perf_event.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

InstructionCounter::InstructionCounter()
{
#if defined(__linux__)
  perf_event_attr attributes;
  std::memset(&attributes, 0, sizeof attributes);
  attributes.type = PERF_TYPE_HARDWARE;
  attributes.size = sizeof attributes;
  attributes.config = PERF_COUNT_HW_INSTRUCTIONS;
  attributes.exclude_kernel = 1;
  attributes.exclude_hv = 1;
  m_descriptor = static_cast<int>(syscall(SYS_perf_event_open, &attributes, 0, -1, -1, 0));
#endif
}

InstructionCounter::~InstructionCounter()
{
#if defined(__linux__)
  if (m_descriptor >= 0)
    close(m_descriptor);
#endif
}

std::uint64_t InstructionCounter::Read() const
{
  std::uint64_t count = 0;
#if defined(__linux__)
  if (m_descriptor >= 0 && read(m_descriptor, &count, sizeof count) != static_cast<ssize_t>(sizeof count))
    count = 0;
#endif
  return count;
}
