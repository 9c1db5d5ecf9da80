#include "definitions/DocumentMemoryBudget.h"

#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <cstdlib>

namespace tqannotations {
namespace {

constexpr std::size_t kSizeFactor = 4;
// What a parser with its tables and buffers needs before it reads anything, with room to spare.
constexpr std::size_t kAllowance = std::size_t(16) << 20;

// Reading a document without entities or attribute defaults costs a few characters of work per
// byte; a document that does not abuse them stays far below this.
constexpr std::size_t kWorkFactor = 16;
constexpr std::size_t kWorkFloor = std::size_t(4) << 20;

std::size_t Scaled(std::size_t documentSize, std::size_t factor, std::size_t floor) noexcept
{
  if (documentSize > (DocumentMemoryBudget::UNLIMITED - floor) / factor)
    return DocumentMemoryBudget::UNLIMITED;
  return documentSize * factor + floor;
}

} // namespace

//! Each block starts with its size and its place in the list of blocks handed out, so that
//! releasing it gives the budget back exactly; the header keeps the block as aligned as the
//! allocator made it.
union DocumentMemoryBudget::BlockHeader {
  struct
  {
    std::size_t size;
    BlockHeader* previous;
    BlockHeader* next;
  } block;
  std::max_align_t alignment;
};

std::size_t DocumentMemoryBudget::ForDocument(std::size_t documentSize) noexcept
{
  return Scaled(documentSize, kSizeFactor, kAllowance);
}

std::size_t DocumentMemoryBudget::WorkForDocument(std::size_t documentSize) noexcept
{
  return Scaled(documentSize, kWorkFactor, kWorkFloor);
}

DocumentMemoryBudget::~DocumentMemoryBudget()
{
  while (m_blocks) {
    BlockHeader* next = m_blocks->block.next;
    std::free(m_blocks);
    m_blocks = next;
  }
}

xercesc::MemoryManager* DocumentMemoryBudget::getExceptionMemoryManager()
{
  return xercesc::XMLPlatformUtils::fgMemoryManager;
}

void* DocumentMemoryBudget::allocate(XMLSize_t size)
{
  ChargeWork(ALLOCATION_WORK);
  if (size > m_available || m_available - size < sizeof(BlockHeader))
    throw xercesc::OutOfMemoryException();
  BlockHeader* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (!header)
    throw xercesc::OutOfMemoryException();
  m_available -= sizeof(BlockHeader) + size;
  header->block = {size, nullptr, m_blocks};
  if (m_blocks)
    m_blocks->block.previous = header;
  m_blocks = header;
  return header + 1;
}

void DocumentMemoryBudget::deallocate(void* p)
{
  if (!p)
    return;
  BlockHeader* header = static_cast<BlockHeader*>(p) - 1;
  m_available += sizeof(BlockHeader) + header->block.size;
  if (header->block.previous)
    header->block.previous->block.next = header->block.next;
  else
    m_blocks = header->block.next;
  if (header->block.next)
    header->block.next->block.previous = header->block.previous;
  std::free(header);
}

void DocumentMemoryBudget::ChargeWork(std::size_t characters)
{
  if (characters > m_work)
    throw xercesc::OutOfMemoryException();
  m_work -= characters;
}

} // namespace tqannotations
