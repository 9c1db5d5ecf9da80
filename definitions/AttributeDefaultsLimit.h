#pragma once

#include <xercesc/sax2/DeclHandler.hpp>

#include <cstddef>

namespace tqannotations {

//! Ends a template document whose grammar declares more attribute defaults than a template
//! needs, as a fatal error would, before any element is read.
//!
//! The parser applies every default declared for an element to each element of that name, so a
//! grammar of many defaults makes the parser's work grow with their number times the number of
//! elements: a one-megabyte document could hold the reader for minutes. Giving every attribute of
//! every element of the format a default takes fewer than fifty declarations; MAX_DEFAULTS leaves
//! room for others of the document's own.
class AttributeDefaultsLimit : public xercesc::DeclHandler
{
public:
  static constexpr std::size_t MAX_DEFAULTS = 100;

  //! Counts a declaration that gives the attribute a value (a default or a fixed one); throws a
  //! SAXException past MAX_DEFAULTS.
  void attributeDecl(const XMLCh* const elementName, const XMLCh* const attributeName,
                     const XMLCh* const type, const XMLCh* const mode, const XMLCh* const value) override;
  void elementDecl(const XMLCh* const, const XMLCh* const) override {}
  void internalEntityDecl(const XMLCh* const, const XMLCh* const) override {}
  void externalEntityDecl(const XMLCh* const, const XMLCh* const, const XMLCh* const) override {}

private:
  std::size_t m_defaults = 0;
};

} // namespace tqannotations
