#include "ContentXmlHandler.h"
#include "ContentXmlWriter.h"

#include <dg/XmlMemoryBudget.h>
#include <dg/XmlParserSession.h>
#include <du/RegularFile.h>
#include <du/WideString.h>
#include <tqk/DocumentStore.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <unistd.h>

namespace tqk {

namespace {

//! Entity expansion is capped even though no document type may declare entities: a second fence,
//! should the first ever be lifted.
constexpr XMLSize_t ENTITY_EXPANSION_LIMIT = 64;

//! The parser holds a copy of the file and, for the longest attribute value, a buffer of two-byte
//! characters that grows by doubling with the old buffer held beside the new one: some seven bytes
//! for each byte of the file at worst. No entity can make it hold more, as every document type
//! declaration is refused; the margin keeps every file the store writes readable.
constexpr std::size_t PARSER_BYTES_PER_FILE_BYTE = 10;

std::size_t ParserBudget(std::size_t fileSize)
{
  const std::size_t allowance = dg::XmlMemoryBudget::ForDocument(0);
  const std::size_t most = std::numeric_limits<std::size_t>::max();
  if (fileSize > (most - allowance) / PARSER_BYTES_PER_FILE_BYTE)
    return most;
  return allowance + fileSize * PARSER_BYTES_PER_FILE_BYTE;
}

std::unique_ptr<xercesc::SAX2XMLReader> MakeClosedReader(ContentXmlHandler& handler,
                                                         dg::XmlMemoryBudget& memory,
                                                         xercesc::SecurityManager& securityManager)
{
  std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader(&memory));
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

bool ReadFile(const std::string& path, std::size_t maxFileSize, std::string& bytes, std::string& error)
{
  switch (du::ReadRegularFile(path, maxFileSize, bytes)) {
  case du::FileReadResult::READ: return true;
  case du::FileReadResult::NOT_FOUND: error = "cannot open \"" + path + "\""; return false;
  case du::FileReadResult::NOT_A_FILE: error = "\"" + path + "\" is not a file"; return false;
  case du::FileReadResult::TOO_LARGE:
    error = "\"" + path + "\" is larger than a content file may be";
    return false;
  case du::FileReadResult::READ_FAILED: break;
  }
  error = "cannot read \"" + path + "\"";
  return false;
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

bool DocumentStore::Write(const SerializedContentElement& root, const std::string& path, std::string& error,
                          std::size_t maxFileSize)
{
  try {
    std::string text;
    if (!ContentXmlWriter::Write(root, MAX_DEPTH, text, error))
      return false;
    // A file that Read would refuse would lose every annotation in it.
    if (text.size() > maxFileSize) {
      error = "cannot write \"" + path + "\": the document takes " + std::to_string(text.size()) +
              " bytes, more than the " + std::to_string(maxFileSize) + " that a content file may have";
      return false;
    }
    return ReplaceFile(path, text, error);
  } catch (const std::bad_alloc&) {
    error = "cannot write \"" + path + "\": the tree's text does not fit in memory";
    return false;
  }
}

std::unique_ptr<SerializedContentElement> DocumentStore::Read(const std::string& path, std::string& error,
                                                              std::size_t maxFileSize)
{
  std::string bytes;
  try {
    if (!ReadFile(path, maxFileSize, bytes, error))
      return nullptr;
  } catch (const std::bad_alloc&) {
    error = "\"" + path + "\" does not fit in memory";
    return nullptr;
  }
  ContentXmlHandler handler(MAX_DEPTH);
  // Made before the parser and gone after it, as is every exception that the parser throws.
  dg::XmlMemoryBudget memory(ParserBudget(bytes.size()));
  try {
    if (!dg::PrepareXmlParser()) {
      error = "the XML parser cannot be prepared";
      return nullptr;
    }
    xercesc::SecurityManager securityManager;
    const std::unique_ptr<xercesc::SAX2XMLReader> reader = MakeClosedReader(handler, memory, securityManager);
    xercesc::MemBufInputSource input(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
                                     path.c_str(), false, &memory);
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
  } catch (const std::bad_alloc&) {
    error = "\"" + path + "\" is refused: its content does not fit in memory";
    return nullptr;
  }
  std::unique_ptr<SerializedContentElement> tree = handler.TakeTree();
  if (!tree)
    error = "\"" + path + "\" is refused: the document ended early";
  return tree;
}

} // namespace tqk
