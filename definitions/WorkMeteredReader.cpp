#include "definitions/WorkMeteredReader.h"

#include "definitions/DocumentMemoryBudget.h"

#include <xercesc/framework/XMLAttr.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/validators/DTD/DTDAttDef.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>

namespace tqannotations {
namespace {

using xercesc::XMLString;

std::size_t Length(const XMLCh* text) { return text ? XMLString::stringLen(text) : 0; }

} // namespace

WorkMeteredReader::WorkMeteredReader(DocumentMemoryBudget& budget)
    : xercesc::SAX2XMLReaderImpl(&budget), m_budget(budget)
{}

void WorkMeteredReader::startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                                     const XMLCh* const elemPrefix,
                                     const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList,
                                     const XMLSize_t attrCount, const bool isEmpty, const bool isRoot)
{
  std::size_t characters = 0;
  for (XMLSize_t i = 0; i < attrCount; ++i)
    characters += Length(attrList.elementAt(i)->getValue());
  m_budget.ChargeWork(characters);
  SAX2XMLReaderImpl::startElement(elemDecl, urlId, elemPrefix, attrList, attrCount, isEmpty, isRoot);
}

void WorkMeteredReader::startEntityReference(const xercesc::XMLEntityDecl& entDecl)
{
  m_budget.ChargeWork(entDecl.getValueLen());
  SAX2XMLReaderImpl::startEntityReference(entDecl);
}

void WorkMeteredReader::attDef(const xercesc::DTDElementDecl& elemDecl, const xercesc::DTDAttDef& attDef,
                               const bool ignoring)
{
  m_budget.ChargeWork(Length(attDef.getValue()) + Length(attDef.getEnumeration()));
  SAX2XMLReaderImpl::attDef(elemDecl, attDef, ignoring);
}

void WorkMeteredReader::doctypeComment(const XMLCh* const comment)
{
  m_budget.ChargeWork(Length(comment));
  SAX2XMLReaderImpl::doctypeComment(comment);
}

void WorkMeteredReader::doctypePI(const XMLCh* const target, const XMLCh* const data)
{
  m_budget.ChargeWork(Length(target) + Length(data));
  SAX2XMLReaderImpl::doctypePI(target, data);
}

void WorkMeteredReader::doctypeWhitespace(const XMLCh* const chars, const XMLSize_t length)
{
  m_budget.ChargeWork(length);
  SAX2XMLReaderImpl::doctypeWhitespace(chars, length);
}

void WorkMeteredReader::entityDecl(const xercesc::DTDEntityDecl& entityDecl, const bool isPEDecl,
                                   const bool isIgnored)
{
  m_budget.ChargeWork(entityDecl.getValueLen());
  SAX2XMLReaderImpl::entityDecl(entityDecl, isPEDecl, isIgnored);
}

} // namespace tqannotations
