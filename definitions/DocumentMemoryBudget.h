#pragma once

#include <xercesc/framework/MemoryManager.hpp>

#include <cstddef>

namespace tqannotations {

//! The memory that the XML parser may hold while it reads one document: handed to a parser, it
//! refuses any allocation past the budget with the parser's own out-of-memory exception, which
//! ends the parse.
//!
//! Entities let a small document make the parser build values many times its size before any
//! handler sees them; this bounds what the parser itself holds at any moment, whatever the
//! document does. One budget serves one parse on one thread and must outlive the parser and
//! every exception that the parser throws.
class DocumentMemoryBudget : public xercesc::MemoryManager
{
public:
  //! The budget for a document of the given size: a small multiple of it, plus what the parser
  //! needs for itself whatever the document.
  static std::size_t ForDocument(std::size_t documentSize) noexcept;

  explicit DocumentMemoryBudget(std::size_t bytes) noexcept : m_available(bytes) {}
  DocumentMemoryBudget(const DocumentMemoryBudget&) = delete;
  DocumentMemoryBudget& operator=(const DocumentMemoryBudget&) = delete;

  //! Exceptions are made with the parser's default memory, so that running out of budget can
  //! still be reported.
  xercesc::MemoryManager* getExceptionMemoryManager() override;
  //! Throws xercesc::OutOfMemoryException past the budget.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* p) override;

private:
  std::size_t m_available;
};

} // namespace tqannotations
