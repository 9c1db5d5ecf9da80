#include <dg/XmlTree.h>

#include "XmlTreeBuilder.h"
#include "XmlTreeReader.h"

#include <dg/XmlMemoryBudget.h>
#include <dg/XmlParserSession.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <limits>
#include <memory>
#include <new>

namespace dg {
namespace {

using namespace xercesc;

// Far more expansions than a hand-written document needs, far fewer than an entity bomb makes.
constexpr unsigned kEntityExpansionLimit = 10000;
// What entities may add to a tree beyond the text's own size (see ParseXml).
constexpr std::size_t kBudgetFactor = 4;
constexpr std::size_t kBudgetAllowance = std::size_t(1) << 20;

std::size_t BudgetFor(std::size_t textSize)
{
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  if (textSize > (kMax - kBudgetAllowance) / kBudgetFactor)
    return kMax;
  return textSize * kBudgetFactor + kBudgetAllowance;
}

// A reader that takes the document as it stands: no namespaces (names are kept as written), no
// schemas, nothing loaded from outside the text, and of the grammar's checks only the one for
// undeclared entities (see XmlTreeReader).
std::unique_ptr<SAX2XMLReader> MakeReader(XmlMemoryBudget& memory, SecurityManager& securityManager,
                                          XmlTreeBuilder& builder)
{
  std::unique_ptr<SAX2XMLReader> reader(new XmlTreeReader(memory));
  reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
  reader->setFeature(XMLUni::fgXercesSchema, false);
  reader->setFeature(XMLUni::fgXercesLoadSchema, false);
  reader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
  reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);
  reader->setContentHandler(&builder);
  reader->setErrorHandler(&builder);
  reader->setEntityResolver(&builder);
  reader->setLexicalHandler(&builder);
  return reader;
}

} // namespace

XmlElem* ParseXml(const std::string& text)
{
  if (!PrepareXmlParser())
    return nullptr;
  // Made before the parser and gone after it, as is every exception that the parser throws.
  XmlMemoryBudget memory(XmlMemoryBudget::ForDocument(text.size()),
                         XmlMemoryBudget::WorkForDocument(text.size()));
  try {
    SecurityManager securityManager;
    securityManager.setEntityExpansionLimit(kEntityExpansionLimit);
    XmlTreeBuilder builder(BudgetFor(text.size()));
    std::unique_ptr<SAX2XMLReader> reader = MakeReader(memory, securityManager, builder);
    const MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(), "text");
    reader->parse(source);
    return builder.ReleaseRoot();
  } catch (const SAXException&) {
  } catch (const XMLException&) {
  } catch (const OutOfMemoryException&) {
  } catch (const std::bad_alloc&) {
  }
  return nullptr;
}

void FreeXml(XmlElem* root)
{
  if (!root || root->m_parent)
    return;
  // Walks down through the last remaining child and back up through the parent links, so a tree
  // of any depth is released in constant stack space and without allocating.
  XmlElem* element = root;
  while (element) {
    if (!element->m_children.empty()) {
      XmlElem* child = element->m_children.back();
      element->m_children.pop_back();
      if (child) // a slot stays empty only when making its element failed
        element = child;
      continue;
    }
    XmlElem* parent = element->m_parent;
    delete element;
    element = parent;
  }
}

} // namespace dg
