#include <du/CommonAllocatorImpl.h>

#include <cstdlib>

namespace du {

void* CommonAllocatorImpl::Allocate(std::size_t size) noexcept
{
  // malloc(0) may answer null, which callers would take for exhaustion.
  return std::malloc(size == 0 ? 1 : size);
}

void CommonAllocatorImpl::Deallocate(void* block) noexcept { std::free(block); }

} // namespace du
