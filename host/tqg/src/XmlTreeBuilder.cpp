#include "XmlTreeBuilder.h"

#include <dg/XmlTree.h>
#include <du/WideString.h>

#include <xercesc/sax/SAXException.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>

#include <string>

namespace dg {
namespace {

// Markup around a name that the budget counts with it, so that a document without entities
// never spends more than its own size: "<a/>" spends three bytes, a="" four besides its texts.
constexpr std::size_t kElementMarkup = 2;
constexpr std::size_t kAttributeMarkup = 4;

} // namespace

XmlTreeBuilder::~XmlTreeBuilder() { FreeXml(m_root); }

XmlElem* XmlTreeBuilder::ReleaseRoot()
{
  if (!m_complete)
    return nullptr;
  XmlElem* root = m_root;
  m_root = nullptr;
  return root;
}

void XmlTreeBuilder::startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qname,
                                  const xercesc::Attributes& attributes)
{
  if (m_open.size() >= MAX_DEPTH)
    throw xercesc::SAXException("The document nests its elements too deeply");
  std::string name = du::WideStrToUtf8(qname);
  Spend(name.size() + kElementMarkup);

  XmlElem* element = nullptr;
  if (m_open.empty()) {
    element = m_root = new XmlElem(du::Symbol(name), nullptr);
  } else {
    // The slot is made first so that the new element belongs to the tree the moment it exists.
    XmlElem* parent = m_open.back();
    parent->m_children.push_back(nullptr);
    element = parent->m_children.back() = new XmlElem(du::Symbol(name), parent);
  }
  m_open.push_back(element);

  const XMLSize_t count = attributes.getLength();
  element->m_attributes.reserve(count);
  for (XMLSize_t i = 0; i < count; ++i) {
    std::string key = du::WideStrToUtf8(attributes.getQName(i));
    std::string value = du::WideStrToUtf8(attributes.getValue(i));
    Spend(key.size() + value.size() + kAttributeMarkup);
    element->m_attributes.emplace_back(du::Symbol(key), std::move(value));
  }
}

void XmlTreeBuilder::endElement(const XMLCh* const, const XMLCh* const, const XMLCh* const)
{
  m_open.pop_back();
}

void XmlTreeBuilder::characters(const XMLCh* const chars, const XMLSize_t length)
{
  // The parser reports no text outside the root element; this guard only keeps that promise safe.
  if (m_open.empty())
    return;
  const std::string text = du::WideStrToUtf8(chars, length);
  Spend(text.size());
  m_open.back()->m_text += text;
}

void XmlTreeBuilder::ignorableWhitespace(const XMLCh* const chars, const XMLSize_t length)
{
  characters(chars, length);
}

void XmlTreeBuilder::endDocument() { m_complete = m_root != nullptr && m_open.empty(); }

void XmlTreeBuilder::startDTD(const XMLCh* const, const XMLCh* const publicId, const XMLCh* const systemId)
{
  if ((publicId && *publicId) || (systemId && *systemId))
    throw xercesc::SAXException("Documents with an external grammar are not read");
}

xercesc::InputSource* XmlTreeBuilder::resolveEntity(const XMLCh* const, const XMLCh* const)
{
  // Reading what an entity points at would let a document reach files and the network on its
  // own. Refusing here fails the parse instead of leaving a hole in the text.
  throw xercesc::SAXException("External entities are not read");
}

void XmlTreeBuilder::error(const xercesc::SAXParseException& exception)
{
  // The reader passes on only faults of the document itself, never of its grammar; a tree with
  // such a fault in it is not returned.
  throw exception;
}

void XmlTreeBuilder::fatalError(const xercesc::SAXParseException& exception) { throw exception; }

void XmlTreeBuilder::Spend(std::size_t size)
{
  if (size > m_budget)
    throw xercesc::SAXException("The document expands past its size budget");
  m_budget -= size;
}

} // namespace dg
