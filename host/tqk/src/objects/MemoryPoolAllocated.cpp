#include <tqk/MemoryPoolAllocated.h>

#include <atomic>
#include <new>

namespace tqk {

namespace {

// Plain atomics are constant-initialised, so objects released during static destruction still
// find their counters.
std::atomic<std::size_t> g_liveByFamily[MemoryPoolAllocated::FAMILY_COUNT];
std::atomic<std::size_t> g_liveTotal{0};
std::atomic<std::size_t> g_limit{0};

} // namespace

std::size_t MemoryPoolAllocated::GetLiveCount(Family family) noexcept
{
  return family < FAMILY_COUNT ? g_liveByFamily[family].load() : 0;
}

std::size_t MemoryPoolAllocated::GetLiveCount() noexcept { return g_liveTotal.load(); }

void MemoryPoolAllocated::SetLiveObjectLimit(std::size_t limit) noexcept { g_limit.store(limit); }

void* MemoryPoolAllocated::Allocate(std::size_t size, Family family)
{
  const std::size_t limit = g_limit.load();
  const std::size_t live = g_liveTotal.fetch_add(1) + 1;
  if (limit != 0 && live > limit) {
    g_liveTotal.fetch_sub(1);
    throw std::bad_alloc();
  }
  void* memory = nullptr;
  try {
    memory = ::operator new(size);
  } catch (...) {
    g_liveTotal.fetch_sub(1);
    throw;
  }
  g_liveByFamily[family].fetch_add(1);
  return memory;
}

void MemoryPoolAllocated::Release(void* memory, Family family) noexcept
{
  if (!memory)
    return;
  ::operator delete(memory);
  g_liveByFamily[family].fetch_sub(1);
  g_liveTotal.fetch_sub(1);
}

} // namespace tqk
