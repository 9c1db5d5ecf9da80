#pragma once

#include <tqk/SerializedContentElement.h>

#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tqk {

//! Builds a content tree from the parser's events for a document store file, and refuses
//! anything such a file does not hold by throwing ContentXmlHandler::Refusal.
class ContentXmlHandler : public xercesc::DefaultHandler
{
public:
  //! Why the file was refused; thrown through the parser, which stops at once.
  class Refusal : public std::runtime_error
  {
  public:
    using std::runtime_error::runtime_error;
  };

  explicit ContentXmlHandler(unsigned maxDepth) : m_maxDepth(maxDepth) {}

  //! The tree read, once the whole document was read; null before.
  std::unique_ptr<SerializedContentElement> TakeTree();

  void setDocumentLocator(const xercesc::Locator* const locator) override { m_locator = locator; }
  void startElement(const XMLCh* const uri, const XMLCh* const localName, const XMLCh* const qName,
                    const xercesc::Attributes& attributes) override;
  void endElement(const XMLCh* const uri, const XMLCh* const localName, const XMLCh* const qName) override;
  void endDocument() override { m_complete = true; }
  void characters(const XMLCh* const text, const XMLSize_t length) override;
  //! A document type declaration is where entities and external DTDs come from; the store never
  //! writes one, so any is refused before the parser reads what it declares.
  void startDTD(const XMLCh* const name, const XMLCh* const publicId, const XMLCh* const systemId) override;
  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& exception) override;
  void fatalError(const xercesc::SAXParseException& exception) override;

private:
  [[noreturn]] void Refuse(const std::string& reason) const;
  //! The attribute's value as UTF-8; refuses the file when it is missing.
  std::string RequireAttribute(const xercesc::Attributes& attributes, const char16_t* name) const;
  //! Refuses the file when the element has attributes other than the given number of known ones.
  void RequireAttributeCount(const xercesc::Attributes& attributes, XMLSize_t count) const;

  void StartRoot(const xercesc::Attributes& attributes);
  void StartChild(const xercesc::Attributes& attributes);
  void AddProperty(const xercesc::Attributes& attributes);

  unsigned m_maxDepth;
  const xercesc::Locator* m_locator = nullptr;
  std::unique_ptr<SerializedContentElement> m_root;
  std::vector<SerializedContentElement*> m_open; // the elements being read, innermost last
  bool m_inProperty = false;
  bool m_complete = false;
};

} // namespace tqk
