#pragma once

#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>

namespace tqannotations {

class DocumentMemoryBudget;

//! The template loader's parser: it charges to the document's budget every character that it
//! reads or builds beyond the document's own text, so that the work of a parse stays bounded by
//! the document's size.
//!
//! An entity is charged its whole value each time it is expanded in content, a declaration in the
//! grammar what it declares, and an element all its attribute values, those that the grammar
//! adds by default included; the budget counts the allocations besides, and with them every
//! expansion, also of an entity inside the grammar or an attribute value. A document that
//! goes past its budget ends there, as a document that runs out of memory does.
class WorkMeteredReader : public xercesc::SAX2XMLReaderImpl
{
public:
  //! The budget serves as the parser's memory too.
  explicit WorkMeteredReader(DocumentMemoryBudget& budget);

  void startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                    const XMLCh* const elemPrefix, const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList,
                    const XMLSize_t attrCount, const bool isEmpty, const bool isRoot) override;
  void startEntityReference(const xercesc::XMLEntityDecl& entDecl) override;

  void attDef(const xercesc::DTDElementDecl& elemDecl, const xercesc::DTDAttDef& attDef,
              const bool ignoring) override;
  void doctypeComment(const XMLCh* const comment) override;
  void doctypePI(const XMLCh* const target, const XMLCh* const data) override;
  void doctypeWhitespace(const XMLCh* const chars, const XMLSize_t length) override;
  void entityDecl(const xercesc::DTDEntityDecl& entityDecl, const bool isPEDecl,
                  const bool isIgnored) override;

private:
  DocumentMemoryBudget& m_budget;
};

} // namespace tqannotations
