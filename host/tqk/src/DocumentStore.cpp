#include "ContentXmlHandler.h"
#include "ContentXmlWriter.h"

#include <du/WideString.h>
#include <tqk/DocumentStore.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tqk {

namespace {

//! Keeps the parser's platform initialised while the library is loaded; the parser counts its
//! initialisations, so other users in the process keep theirs.
class XercesSession
{
public:
  XercesSession() { xercesc::XMLPlatformUtils::Initialize(); }
  ~XercesSession() { xercesc::XMLPlatformUtils::Terminate(); }
  XercesSession(const XercesSession&) = delete;
  XercesSession& operator=(const XercesSession&) = delete;
};

void EnsureXerces() { static const XercesSession session; }

//! Entity expansion is capped even though no document type may declare entities: a second fence,
//! should the first ever be lifted.
constexpr XMLSize_t ENTITY_EXPANSION_LIMIT = 64;

std::unique_ptr<xercesc::SAX2XMLReader> MakeClosedReader(ContentXmlHandler& handler,
                                                         xercesc::SecurityManager& securityManager)
{
  std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
  reader->setFeature(xercesc::XMLUni::fgSAX2CoreNameSpaces, false);
  reader->setFeature(xercesc::XMLUni::fgSAX2CoreValidation, false);
  reader->setFeature(xercesc::XMLUni::fgXercesLoadExternalDTD, false);
  reader->setFeature(xercesc::XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader->setFeature(xercesc::XMLUni::fgXercesSchema, false);
  reader->setFeature(xercesc::XMLUni::fgXercesLoadSchema, false);
  securityManager.setEntityExpansionLimit(ENTITY_EXPANSION_LIMIT);
  reader->setProperty(xercesc::XMLUni::fgXercesSecurityManager, &securityManager);
  reader->setContentHandler(&handler);
  reader->setErrorHandler(&handler);
  reader->setLexicalHandler(&handler);
  reader->setEntityResolver(&handler); // resolves nothing: the handler's base answers null
  return reader;
}

bool ReadFile(const std::string& path, std::string& bytes, std::string& error)
{
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open \"" + path + "\"";
    return false;
  }
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) {
    error = "cannot read \"" + path + "\"";
    return false;
  }
  bytes = content.str();
  return true;
}

//! Writes the bytes next to the file and then moves them over it, so that a failure never leaves
//! a half-written document where a whole one was.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& error)
{
  static std::atomic<unsigned> s_serial{0};
  const std::string temporary =
      path + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(s_serial.fetch_add(1));
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    error = "cannot write \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write \"" + path + "\": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

} // namespace

bool DocumentStore::Write(const SerializedContentElement& root, const std::string& path, std::string& error)
{
  std::string text;
  return ContentXmlWriter::Write(root, MAX_DEPTH, text, error) && ReplaceFile(path, text, error);
}

std::unique_ptr<SerializedContentElement> DocumentStore::Read(const std::string& path, std::string& error)
{
  std::string bytes;
  if (!ReadFile(path, bytes, error))
    return nullptr;
  ContentXmlHandler handler(MAX_DEPTH);
  try {
    EnsureXerces();
    xercesc::SecurityManager securityManager;
    const std::unique_ptr<xercesc::SAX2XMLReader> reader = MakeClosedReader(handler, securityManager);
    xercesc::MemBufInputSource input(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
                                     path.c_str());
    reader->parse(input);
  } catch (const ContentXmlHandler::Refusal& refusal) {
    error = "\"" + path + "\" is refused: " + refusal.what();
    return nullptr;
  } catch (const xercesc::XMLException& exception) {
    error = "\"" + path + "\" is refused: " + du::WideStrToUtf8(exception.getMessage());
    return nullptr;
  } catch (const xercesc::OutOfMemoryException&) {
    error = "\"" + path + "\" is refused: the parser ran out of memory";
    return nullptr;
  }
  std::unique_ptr<SerializedContentElement> tree = handler.TakeTree();
  if (!tree)
    error = "\"" + path + "\" is refused: the document ended early";
  return tree;
}

} // namespace tqk
