#include "definitions/DocumentMemoryBudget.h"

#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <cstdlib>
#include <limits>

namespace tqannotations {
namespace {

constexpr std::size_t kSizeFactor = 4;
// What a parser with its tables and buffers needs before it reads anything, with room to spare.
constexpr std::size_t kAllowance = std::size_t(16) << 20;

//! Each block starts with its size, so that releasing it gives the budget back exactly; the
//! header keeps the block as aligned as the allocator made it.
union BlockHeader {
  std::size_t size;
  std::max_align_t alignment;
};

} // namespace

std::size_t DocumentMemoryBudget::ForDocument(std::size_t documentSize) noexcept
{
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  if (documentSize > (kMax - kAllowance) / kSizeFactor)
    return kMax;
  return documentSize * kSizeFactor + kAllowance;
}

xercesc::MemoryManager* DocumentMemoryBudget::getExceptionMemoryManager()
{
  return xercesc::XMLPlatformUtils::fgMemoryManager;
}

void* DocumentMemoryBudget::allocate(XMLSize_t size)
{
  if (size > m_available || m_available - size < sizeof(BlockHeader))
    throw xercesc::OutOfMemoryException();
  void* block = std::malloc(sizeof(BlockHeader) + size);
  if (!block)
    throw xercesc::OutOfMemoryException();
  m_available -= sizeof(BlockHeader) + size;
  BlockHeader* header = static_cast<BlockHeader*>(block);
  header->size = size;
  return header + 1;
}

void DocumentMemoryBudget::deallocate(void* p)
{
  if (!p)
    return;
  BlockHeader* header = static_cast<BlockHeader*>(p) - 1;
  m_available += sizeof(BlockHeader) + header->size;
  std::free(header);
}

} // namespace tqannotations
