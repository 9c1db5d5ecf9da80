#pragma once

#include <xercesc/framework/MemoryManager.hpp>

#include <cstddef>

namespace dg {

//! The memory that the XML parser may hold for one document: handed to a parser, it refuses any
//! allocation past the budget with the parser's own out-of-memory exception, which ends the parse.
//!
//! Entities let a small document make the parser build values many times its size before any
//! handler sees them; this bounds what the parser itself holds at any moment, whatever the
//! document does. One budget serves one parse on one thread and must outlive the parser.
class XmlMemoryBudget : public xercesc::MemoryManager
{
public:
  //! The usual budget for a document of the given size: a small multiple of it, plus what the
  //! parser needs for itself whatever the document.
  static std::size_t ForDocument(std::size_t documentSize) noexcept;

  explicit XmlMemoryBudget(std::size_t bytes) noexcept : m_available(bytes) {}
  XmlMemoryBudget(const XmlMemoryBudget&) = delete;
  XmlMemoryBudget& operator=(const XmlMemoryBudget&) = delete;

  //! Exceptions are made with the parser's default memory, so that running out of budget can
  //! still be reported.
  xercesc::MemoryManager* getExceptionMemoryManager() override;
  //! Throws xercesc::OutOfMemoryException past the budget.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* p) override;

private:
  std::size_t m_available;
};

} // namespace dg
