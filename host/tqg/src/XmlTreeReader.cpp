#include "XmlTreeReader.h"

#include <dg/XmlMemoryBudget.h>

#include <xercesc/framework/XMLAttr.hpp>
#include <xercesc/framework/XMLValidityCodes.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>
#include <xercesc/validators/DTD/DTDAttDef.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>

namespace dg {

using namespace xercesc;

namespace {

std::size_t Length(const XMLCh* text) { return text ? XMLString::stringLen(text) : 0; }

} // namespace

XmlTreeReader::XmlTreeReader(XmlMemoryBudget& budget) : SAX2XMLReaderImpl(&budget), m_budget(budget)
{
  // Checked only where the document declares a grammar.
  setFeature(XMLUni::fgSAX2CoreValidation, true);
  setFeature(XMLUni::fgXercesDynamic, true);
}

void XmlTreeReader::error(const unsigned int errorCode, const XMLCh* const errorDomain,
                          const XMLErrorReporter::ErrTypes type, const XMLCh* const errorText,
                          const XMLCh* const systemId, const XMLCh* const publicId,
                          const XMLFileLoc lineNumber, const XMLFileLoc columnNumber)
{
  if (!XMLString::equals(errorDomain, XMLUni::fgValidityDomain)) {
    SAX2XMLReaderImpl::error(errorCode, errorDomain, type, errorText, systemId, publicId, lineNumber,
                             columnNumber);
  } else if (errorCode == XMLValid::VC_EntityNotFound) {
    SAX2XMLReaderImpl::error(errorCode, errorDomain, XMLErrorReporter::ErrType_Fatal, errorText, systemId,
                             publicId, lineNumber, columnNumber);
  }
}

void XmlTreeReader::startElement(const XMLElementDecl& elemDecl, const unsigned int urlId,
                                 const XMLCh* const elemPrefix, const RefVectorOf<XMLAttr>& attrList,
                                 const XMLSize_t attrCount, const bool isEmpty, const bool isRoot)
{
  std::size_t characters = 0;
  for (XMLSize_t i = 0; i < attrCount; ++i)
    characters += Length(attrList.elementAt(i)->getValue());
  m_budget.ChargeWork(characters);
  SAX2XMLReaderImpl::startElement(elemDecl, urlId, elemPrefix, attrList, attrCount, isEmpty, isRoot);
}

void XmlTreeReader::startEntityReference(const XMLEntityDecl& entDecl)
{
  m_budget.ChargeWork(entDecl.getValueLen());
  SAX2XMLReaderImpl::startEntityReference(entDecl);
}

void XmlTreeReader::attDef(const DTDElementDecl& elemDecl, const DTDAttDef& attDef, const bool ignoring)
{
  m_budget.ChargeWork(Length(attDef.getValue()) + Length(attDef.getEnumeration()));
  SAX2XMLReaderImpl::attDef(elemDecl, attDef, ignoring);
}

void XmlTreeReader::doctypeComment(const XMLCh* const comment)
{
  m_budget.ChargeWork(Length(comment));
  SAX2XMLReaderImpl::doctypeComment(comment);
}

void XmlTreeReader::doctypePI(const XMLCh* const target, const XMLCh* const data)
{
  m_budget.ChargeWork(Length(target) + Length(data));
  SAX2XMLReaderImpl::doctypePI(target, data);
}

void XmlTreeReader::doctypeWhitespace(const XMLCh* const chars, const XMLSize_t length)
{
  m_budget.ChargeWork(length);
  SAX2XMLReaderImpl::doctypeWhitespace(chars, length);
}

void XmlTreeReader::entityDecl(const DTDEntityDecl& entityDecl, const bool isPEDecl, const bool isIgnored)
{
  m_budget.ChargeWork(entityDecl.getValueLen());
  SAX2XMLReaderImpl::entityDecl(entityDecl, isPEDecl, isIgnored);
}

} // namespace dg
