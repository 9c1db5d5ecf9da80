#pragma once

#include <dg/XmlElem.h>

#include <xercesc/sax2/DefaultHandler.hpp>

#include <cstddef>
#include <vector>

namespace dg {

//! Receives a document from the XML parser and builds its dg::XmlElem tree.
//!
//! Elements are kept on an explicit stack of open elements rather than on the call stack; nesting
//! deeper than MAX_DEPTH stops the parse, since the parser's own memory grows with the depth.
//! Every error stops the parse (well-formedness errors are never passed over), as does any attempt
//! to read an external entity or to grow the tree past the size budget given at construction. The builder
//! releases whatever it built unless the caller takes the tree with ReleaseRoot.
class XmlTreeBuilder : public xercesc::DefaultHandler
{
public:
  //! budget: how many bytes of names, attribute texts and element texts the tree may hold.
  //! The deepest nesting of elements that a tree may have.
  static constexpr std::size_t MAX_DEPTH = 1000;

  explicit XmlTreeBuilder(std::size_t budget) : m_budget(budget) {}
  ~XmlTreeBuilder() override;

  XmlTreeBuilder(const XmlTreeBuilder&) = delete;
  XmlTreeBuilder& operator=(const XmlTreeBuilder&) = delete;

  //! The finished tree, now the caller's; null unless the document was read to its end.
  XmlElem* ReleaseRoot();

  void startElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname,
                    const xercesc::Attributes& attributes) override;
  void endElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname) override;
  void characters(const XMLCh* const chars, const XMLSize_t length) override;
  //! Kept as text: the grammar is checked for entities only and changes no text.
  void ignorableWhitespace(const XMLCh* const chars, const XMLSize_t length) override;
  void endDocument() override;

  //! A grammar outside the document is never read, so which entities it declares cannot be
  //! known: a reference to one would be dropped without a word. Such a document is refused.
  void startDTD(const XMLCh* const name, const XMLCh* const publicId, const XMLCh* const systemId) override;

  xercesc::InputSource* resolveEntity(const XMLCh* const publicId, const XMLCh* const systemId) override;

  void error(const xercesc::SAXParseException& exception) override;
  void fatalError(const xercesc::SAXParseException& exception) override;

private:
  //! Takes size bytes from the budget; stops the parse when the budget cannot cover them.
  void Spend(std::size_t size);

  std::size_t m_budget;
  XmlElem* m_root = nullptr;
  std::vector<XmlElem*> m_open;
  bool m_complete = false;
};

} // namespace dg
