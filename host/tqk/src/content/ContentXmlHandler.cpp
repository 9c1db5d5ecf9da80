#include "ContentValueText.h"
#include "ContentXmlHandler.h"

#include <du/WideString.h>

#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/util/XMLString.hpp>

namespace tqk {

namespace {

bool Is(const XMLCh* name, const char16_t* expected) { return xercesc::XMLString::equals(name, expected); }

} // namespace

std::unique_ptr<SerializedContentElement> ContentXmlHandler::TakeTree()
{
  return m_complete ? std::move(m_root) : nullptr;
}

void ContentXmlHandler::Refuse(const std::string& reason) const
{
  if (m_locator)
    throw Refusal("line " + std::to_string(m_locator->getLineNumber()) + ": " + reason);
  throw Refusal(reason);
}

std::string ContentXmlHandler::RequireAttribute(const xercesc::Attributes& attributes,
                                                const char16_t* name) const
{
  const XMLCh* value = attributes.getValue(name);
  if (!value)
    Refuse("attribute \"" + du::WideStrToUtf8(name) + "\" is missing");
  return du::WideStrToUtf8(value);
}

void ContentXmlHandler::RequireAttributeCount(const xercesc::Attributes& attributes, XMLSize_t count) const
{
  if (attributes.getLength() != count)
    Refuse("an element has attributes that a content file does not use");
}

void ContentXmlHandler::startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qName,
                                     const xercesc::Attributes& attributes)
{
  if (m_inProperty)
    Refuse("a property element holds an element");
  if (!m_root) {
    if (!Is(qName, u"content"))
      Refuse("the document is not content: its root is \"" + du::WideStrToUtf8(qName) + "\"");
    StartRoot(attributes);
  } else if (Is(qName, u"e"))
    StartChild(attributes);
  else if (Is(qName, u"p"))
    AddProperty(attributes);
  else
    Refuse("unknown element \"" + du::WideStrToUtf8(qName) + "\"");
}

void ContentXmlHandler::StartRoot(const xercesc::Attributes& attributes)
{
  RequireAttributeCount(attributes, 2);
  if (RequireAttribute(attributes, u"version") != "1")
    Refuse("unknown content version");
  m_root = std::make_unique<SerializedContentElement>(du::Symbol(RequireAttribute(attributes, u"n")));
  m_open.push_back(m_root.get());
}

void ContentXmlHandler::StartChild(const xercesc::Attributes& attributes)
{
  if (m_open.size() > m_maxDepth)
    Refuse("elements are nested deeper than " + std::to_string(m_maxDepth));
  RequireAttributeCount(attributes, 1);
  const du::Symbol name(RequireAttribute(attributes, u"n"));
  m_open.push_back(&m_open.back()->StartContent(name));
}

void ContentXmlHandler::AddProperty(const xercesc::Attributes& attributes)
{
  RequireAttributeCount(attributes, 3);
  const du::Symbol key(RequireAttribute(attributes, u"k"));
  const std::string tag = RequireAttribute(attributes, u"t");
  SerializedContentElement::Value value;
  if (!ContentValueText::Parse(tag, RequireAttribute(attributes, u"v"), value))
    Refuse("property \"" + key.GetText() + "\" has no value of type \"" + tag + "\"");
  std::visit([&](const auto& typed) { m_open.back()->AddProperty(key, typed); }, value);
  m_inProperty = true;
}

void ContentXmlHandler::endElement(const XMLCh* const, const XMLCh* const, const XMLCh* const)
{
  if (m_inProperty)
    m_inProperty = false;
  else
    m_open.pop_back();
}

void ContentXmlHandler::characters(const XMLCh* const text, const XMLSize_t length)
{
  for (XMLSize_t i = 0; i < length; ++i)
    if (text[i] != u' ' && text[i] != u'\t' && text[i] != u'\n' && text[i] != u'\r')
      Refuse("the document holds text outside of properties");
}

void ContentXmlHandler::startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const)
{
  Refuse("the document has a document type declaration");
}

void ContentXmlHandler::error(const xercesc::SAXParseException& exception) { fatalError(exception); }

void ContentXmlHandler::fatalError(const xercesc::SAXParseException& exception)
{
  throw Refusal("line " + std::to_string(exception.getLineNumber()) + ": " +
                du::WideStrToUtf8(exception.getMessage()));
}

} // namespace tqk
