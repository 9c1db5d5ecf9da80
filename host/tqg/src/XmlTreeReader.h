#pragma once

#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>

namespace dg {

class XmlMemoryBudget;

//! The parser of the XML tree reader: it checks a document against the grammar that the document
//! declares only to learn of a reference to an entity that nothing declares, which it reports as
//! the fatal error that such a reference is in a document without parameter entities. Every other
//! finding of the check is dropped, so a grammar never makes a document fail that would read
//! without one.
//!
//! The parser itself takes an undeclared entity for an error only until the grammar refers to a
//! parameter entity; from there on only the check reports it, and without the check the
//! reference would be dropped from the text without a word.
//!
//! It also charges to the document's budget every character that it reads or builds beyond the
//! document's own text, so that the work of a parse stays bounded by the document's size: an
//! entity its whole value each time it is expanded in content, a declaration in the grammar what
//! it declares, an element all its attribute values, those that the grammar adds by default
//! included. The budget counts the allocations besides, and with them every expansion, also of an
//! entity inside the grammar or an attribute value.
class XmlTreeReader : public xercesc::SAX2XMLReaderImpl
{
public:
  //! The budget serves as the parser's memory too.
  explicit XmlTreeReader(XmlMemoryBudget& budget);

  void error(const unsigned int errorCode, const XMLCh* const errorDomain,
             const xercesc::XMLErrorReporter::ErrTypes type, const XMLCh* const errorText,
             const XMLCh* const systemId, const XMLCh* const publicId, const XMLFileLoc lineNumber,
             const XMLFileLoc columnNumber) override;

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
  XmlMemoryBudget& m_budget;
};

} // namespace dg
