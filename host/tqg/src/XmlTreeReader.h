#pragma once

#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>

namespace dg {

//! The parser of the XML tree reader: it checks a document against the grammar that the document
//! declares only to learn of a reference to an entity that nothing declares, which it reports as
//! the fatal error that such a reference is in a document without parameter entities. Every other
//! finding of the check is dropped, so a grammar never makes a document fail that would read
//! without one.
//!
//! The parser itself takes an undeclared entity for an error only until the grammar refers to a
//! parameter entity; from there on only the check reports it, and without the check the
//! reference would be dropped from the text without a word.
class XmlTreeReader : public xercesc::SAX2XMLReaderImpl
{
public:
  explicit XmlTreeReader(xercesc::MemoryManager* memory);

  void error(const unsigned int errorCode, const XMLCh* const errorDomain,
             const xercesc::XMLErrorReporter::ErrTypes type, const XMLCh* const errorText,
             const XMLCh* const systemId, const XMLCh* const publicId, const XMLFileLoc lineNumber,
             const XMLFileLoc columnNumber) override;
};

} // namespace dg
