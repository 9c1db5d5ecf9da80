#include <tqannotations/TemplateLoader.h>

#include "definitions/RefusingEntityResolver.h"
#include "definitions/TemplateLoaderMyHandler.h"

#include <du/WideString.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/URLInputSource.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLURL.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <memory>
#include <mutex>

namespace tqannotations {
namespace {

using xercesc::XMLPlatformUtils;
using xercesc::XMLUni;

//! Template documents hardly use entities of their own; this leaves ample room for those that
//! do while stopping a document whose entities expand into each other without end.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

//! Prepares the parser for this process. The parser counts its preparations without guarding
//! the count, so two threads reading templates at once must not both be inside it.
void InitializeParser()
{
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  XMLPlatformUtils::Initialize("en_US");
}

} // namespace

TemplateLoader::TemplateLoader()
{
  try {
    InitializeParser();
  } catch (const xercesc::XMLException&) {
    // Each GetTemplateList prepares the parser again and reports the failure there.
  }
}

TemplateLoader::TemplateLoader(const TemplateLoader&) : du::RefCounted() {}

TemplateLoader& TemplateLoader::operator=(const TemplateLoader&) { return *this; }

// The parser is left prepared: other users in the process may rely on it.
TemplateLoader::~TemplateLoader() = default;

bool TemplateLoader::GetTemplateList(const std::string& xmlText,
                                     std::vector<du::SmartPtr<TAnnotation>>& templates) const
{
  try {
    InitializeParser();
    // The terminating zero byte belongs to the buffer; the parser takes whatever it makes of it
    // after the root element as the end of the document.
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(xmlText.c_str()), xmlText.size() + 1,
                                      "example", false, XMLPlatformUtils::fgMemoryManager);
    Parse(source, templates);
    return true;
  } catch (const xercesc::XMLException&) {
    return false;
  }
}

bool TemplateLoader::GetTemplateList(const du::Symbol& url,
                                     std::vector<du::SmartPtr<TAnnotation>>& templates) const
{
  try {
    InitializeParser();
    const std::u16string urlText = du::Utf8ToUtf16(url.GetText());
    const xercesc::XMLURL location(urlText.c_str(), XMLPlatformUtils::fgMemoryManager);
    xercesc::URLInputSource source(location, XMLPlatformUtils::fgMemoryManager);
    Parse(source, templates);
    return true;
  } catch (const xercesc::XMLException&) {
    return false; // among them a malformed URL
  }
}

void TemplateLoader::Parse(xercesc::InputSource& source,
                           std::vector<du::SmartPtr<TAnnotation>>& templates) const
{
  // Declared so that the reader goes first: it refers to all the others.
  RefusingEntityResolver resolver;
  xercesc::SecurityManager securityManager;
  std::unique_ptr<MyHandler> handler;
  std::unique_ptr<xercesc::SAX2XMLReaderImpl> reader;
  try {
    reader.reset(new xercesc::SAX2XMLReaderImpl(XMLPlatformUtils::fgMemoryManager, nullptr));
    reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, true);
    reader->setFeature(XMLUni::fgXercesSchema, true);
    reader->setFeature(XMLUni::fgXercesSchemaFullChecking, false);
    reader->setFeature(XMLUni::fgXercesIdentityConstraintChecking, true);
    reader->setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
    reader->setFeature(XMLUni::fgSAX2CoreValidation, true);
    reader->setFeature(XMLUni::fgXercesDynamic, true);
    // Nothing that the document names is fetched: schemas are not loaded, and every external
    // entity or grammar reads as empty.
    reader->setFeature(XMLUni::fgXercesLoadSchema, false);
    reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    reader->setEntityResolver(&resolver);
    securityManager.setEntityExpansionLimit(kEntityExpansionLimit);
    reader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);

    handler.reset(new MyHandler(templates));
    reader->setContentHandler(handler.get());
    reader->setErrorHandler(handler.get());
    reader->parse(source);
  } catch (...) {
    // A fatal error, a document that went too far, a source that could not be opened: the
    // parse ends here, and the templates read so far stay in the caller's list.
  }
}

} // namespace tqannotations
