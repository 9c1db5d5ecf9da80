#pragma once

#include <xercesc/framework/MemoryManager.hpp>

#include <cstddef>
#include <limits>

namespace tqannotations {

//! The memory that the XML parser may hold, and the work that it may do, while it reads one
//! document: handed to a parser, it refuses any allocation past either with the parser's own
//! out-of-memory exception, which ends the parse.
//!
//! Entities let a small document make the parser build values many times its size before any
//! handler sees them, and make it read the same text over and over; this bounds what the parser
//! itself holds at any moment, and how much it reads and builds in all, whatever the document
//! does. Work is counted in characters: each allocation counts as ALLOCATION_WORK of them, and the
//! parser's reader adds what it reads beyond the document's own text (ChargeWork).
//!
//! One budget serves one parse on one thread and must outlive the parser and every exception that
//! the parser throws. Whatever the parser loses track of (as it does on some faulty grammars) is
//! released with the budget.
class DocumentMemoryBudget : public xercesc::MemoryManager
{
public:
  static constexpr std::size_t UNLIMITED = std::numeric_limits<std::size_t>::max();
  //! What one allocation costs, in characters of work: a reader made for an entity costs this
  //! much however short the entity.
  static constexpr std::size_t ALLOCATION_WORK = 64;

  //! The memory budget for a document of the given size: a small multiple of it, plus what the
  //! parser needs for itself whatever the document.
  static std::size_t ForDocument(std::size_t documentSize) noexcept;
  //! The work allowed for a document of the given size: many times what reading its own text
  //! takes, with a floor that leaves a small document thousands of entity references.
  static std::size_t WorkForDocument(std::size_t documentSize) noexcept;

  explicit DocumentMemoryBudget(std::size_t bytes, std::size_t work = UNLIMITED) noexcept
      : m_available(bytes), m_work(work)
  {}
  ~DocumentMemoryBudget() override;
  DocumentMemoryBudget(const DocumentMemoryBudget&) = delete;
  DocumentMemoryBudget& operator=(const DocumentMemoryBudget&) = delete;

  //! Exceptions are made with the parser's default memory, so that running out of budget can
  //! still be reported.
  xercesc::MemoryManager* getExceptionMemoryManager() override;
  //! Throws xercesc::OutOfMemoryException past the budget of memory or of work.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* p) override;

  //! Counts characters of work; throws xercesc::OutOfMemoryException once the work is spent.
  void ChargeWork(std::size_t characters);

private:
  union BlockHeader;

  std::size_t m_available;
  std::size_t m_work;
  //! The blocks handed out and not yet released, most recent first.
  BlockHeader* m_blocks = nullptr;
};

} // namespace tqannotations
