#include <tqannotations/TemplateLoader.h>

#include "definitions/AttributeDefaultsLimit.h"
#include "definitions/DocumentMemoryBudget.h"
#include "definitions/ExternalGrammarReference.h"
#include "definitions/HttpDocumentReader.h"
#include "definitions/RefusingEntityResolver.h"
#include "definitions/RegularFileReader.h"
#include "definitions/TemplateLoaderMyHandler.h"
#include "definitions/WorkMeteredReader.h"
#include "definitions/XercesPlatform.h"

#include <du/WideString.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLURL.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <cctype>
#include <memory>
#include <new>

namespace tqannotations {
namespace {

using xercesc::XMLPlatformUtils;
using xercesc::XMLUni;

//! Template documents hardly use entities of their own; this leaves ample room for those that
//! do while stopping a document whose entities expand into each other without end.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

//! The path that a "file:" URL names, its escapes decoded; false for a URL of another machine.
bool LocalPath(const xercesc::XMLURL& location, std::string& path)
{
  const XMLCh* host = location.getHost();
  if (host && *host && du::WideStrToUtf8(host) != "localhost")
    return false;
  const std::string escaped = location.getPath() ? du::WideStrToUtf8(location.getPath()) : std::string();
  path.clear();
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '%' && i + 2 < escaped.size() &&
        std::isxdigit(static_cast<unsigned char>(escaped[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(escaped[i + 2]))) {
      path += static_cast<char>(std::stoi(escaped.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      path += escaped[i];
    }
  }
  return true;
}

} // namespace

// Each GetTemplateList asks again and reports a failure there.
TemplateLoader::TemplateLoader() { PrepareXercesPlatform(); }

TemplateLoader::TemplateLoader(const TemplateLoader&) : du::RefCounted() {}

TemplateLoader& TemplateLoader::operator=(const TemplateLoader&) { return *this; }

// The parser is left prepared: other users in the process may rely on it.
TemplateLoader::~TemplateLoader() = default;

bool TemplateLoader::GetTemplateList(const std::string& xmlText,
                                     std::vector<du::SmartPtr<TAnnotation>>& templates)
{
  if (!PrepareXercesPlatform())
    return false;
  std::string blanked;
  const std::string& text = BlankExternalGrammarReference(xmlText, blanked) ? blanked : xmlText;
  // The terminating zero byte belongs to the buffer; the parser takes whatever it makes of it
  // after the root element as the end of the document.
  const xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.c_str()), text.size() + 1,
                                          "example", false, XMLPlatformUtils::fgMemoryManager);
  Parse(source, text.size(), templates);
  return true;
}

bool TemplateLoader::GetTemplateList(const du::Symbol& url, std::vector<du::SmartPtr<TAnnotation>>& templates)
{
  if (!PrepareXercesPlatform())
    return false;
  std::string document;
  std::u16string systemId;
  try {
    // The symbol's text is UTF-8; text that is not is a malformed URL.
    const std::string& text = url.GetText();
    const xercesc::TranscodeFromStr urlText(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                            "UTF-8");
    systemId = urlText.str();
    // A document that cannot be reached reads as one that ends at once.
    if (HttpDocumentReader::IsHttpUrl(text)) {
      std::string host;
      unsigned port = 0;
      std::string target;
      if (!HttpDocumentReader::SplitUrl(text, host, port, target))
        return false;
      if (!HttpDocumentReader().Read(host, port, target, MyHandler::STORAGE_BUDGET, document))
        return true;
    } else if (!ReadUrl(xercesc::XMLURL(systemId.c_str(), XMLPlatformUtils::fgMemoryManager), document)) {
      return true;
    }
  } catch (const xercesc::XMLException&) {
    return false; // among them a malformed URL
  } catch (const std::bad_alloc&) {
    return true;
  }
  std::string blanked;
  if (BlankExternalGrammarReference(document, blanked))
    document.swap(blanked);
  const xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(document.data()), document.size(),
                                          systemId.c_str(), false, XMLPlatformUtils::fgMemoryManager);
  Parse(source, document.size(), templates);
  return true;
}

bool TemplateLoader::ReadUrl(const xercesc::XMLURL& location, std::string& document)
{
  switch (location.getProtocol()) {
  case xercesc::XMLURL::File: {
    std::string path;
    return LocalPath(location, path) && ReadRegularFile(path, MyHandler::STORAGE_BUDGET, document);
  }
  default: return false; // "http:" is read apart; no other protocol can be read with a bound on its time
  }
}

void TemplateLoader::Parse(const xercesc::InputSource& source, std::size_t documentSize,
                           std::vector<du::SmartPtr<TAnnotation>>& templates)
{
  // Declared so that the reader goes first: it refers to all the others. The budget goes last,
  // after every exception that the parser may have thrown.
  DocumentMemoryBudget budget(DocumentMemoryBudget::ForDocument(documentSize),
                              DocumentMemoryBudget::WorkForDocument(documentSize));
  RefusingEntityResolver resolver;
  AttributeDefaultsLimit defaultsLimit;
  xercesc::SecurityManager securityManager;
  std::unique_ptr<MyHandler> handler;
  std::unique_ptr<WorkMeteredReader> reader;
  try {
    reader.reset(new WorkMeteredReader(budget));
    reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, true);
    reader->setFeature(XMLUni::fgXercesSchema, true);
    reader->setFeature(XMLUni::fgXercesSchemaFullChecking, false);
    reader->setFeature(XMLUni::fgXercesIdentityConstraintChecking, true);
    reader->setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
    reader->setFeature(XMLUni::fgSAX2CoreValidation, true);
    reader->setFeature(XMLUni::fgXercesDynamic, true);
    // Nothing that the document names is fetched: schemas are not loaded, and every external
    // entity reads as empty. A reference to an external grammar was blanked beforehand; one
    // that could not be (in a document whose markup is not ASCII) ends the document there.
    reader->setFeature(XMLUni::fgXercesLoadSchema, false);
    reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    reader->setEntityResolver(&resolver);
    reader->setLexicalHandler(&resolver);
    reader->setDeclarationHandler(&defaultsLimit);
    securityManager.setEntityExpansionLimit(kEntityExpansionLimit);
    reader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);

    handler.reset(new MyHandler(templates));
    handler->LimitStorage(DocumentMemoryBudget::ForDocument(documentSize));
    reader->setContentHandler(handler.get());
    reader->setErrorHandler(handler.get());
    reader->parse(source);
  } catch (...) {
    // A fatal error, a document that went too far, a parser out of its memory budget: the parse
    // ends here, and the templates read so far stay in the caller's list.
  }
}

} // namespace tqannotations
