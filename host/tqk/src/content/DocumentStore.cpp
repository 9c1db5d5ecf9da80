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
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
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

//! How many symbolic links the system follows in one name (Linux's MAXSYMLINKS); a name that needs
//! more is one it refuses, and so does a save.
constexpr int MOST_LINKS_FOLLOWED = 40;

//! The name the path leads to through symbolic links, also to a file not made yet, so that a save
//! replaces the link's target and keeps the link. False, with errno set, for a name the system
//! would not open: a loop or a longer chain of links (ELOOP) or a link that cannot be read.
bool FollowLinks(const std::string& path, std::filesystem::path& resolved)
{
  resolved = path;
  std::error_code failure;
  for (int hop = 0; hop <= MOST_LINKS_FOLLOWED; ++hop) {
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(resolved, failure)))
      return true;
    if (hop == MOST_LINKS_FOLLOWED)
      break;
    const std::filesystem::path target = std::filesystem::read_symlink(resolved, failure);
    if (failure) {
      errno = failure.value();
      return false;
    }
    resolved = target.is_absolute() ? target : resolved.parent_path() / target;
  }
  errno = ELOOP;
  return false;
}

//! Opens a new file of a fixed nine-character name in the folder, which fits wherever the
//! document's own name fits, with no more permission than mode: the file is the document's from
//! its first byte, so that no one opens it now whom the document's mode would keep out then.
//! The name need not be secret: O_EXCL never opens a file that someone else made.
int OpenTemporary(const std::filesystem::path& folder, mode_t mode, std::string& name)
{
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::atomic<std::uint64_t> s_serial{0};
  std::mt19937_64 draw(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (std::uint64_t(::getpid()) << 40) ^ s_serial.fetch_add(1));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string leaf = ".tq";
    for (int i = 0; i < 6; ++i)
      leaf += letters[draw() % (sizeof letters - 1)];
    name = (folder / leaf).string();
    const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor >= 0 || errno != EEXIST)
      return descriptor;
  }
  return -1;
}

bool WriteAll(int descriptor, const std::string& bytes)
{
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

//! Gives the new file the owner and mode of the one it replaces. The owner only where the process
//! may set it: a user who may write another's document but not give files away still saves.
void TakeOwnerAndMode(int descriptor, const struct stat& earlier)
{
  if (::fchown(descriptor, earlier.st_uid, earlier.st_gid) != 0)
    (void)::fchown(descriptor, static_cast<uid_t>(-1), earlier.st_gid);
  // After the owner, since a change of owner clears the set-user-id and set-group-id bits.
  (void)::fchmod(descriptor, earlier.st_mode & 07777);
}

//! A save replaces only a document that could be written in place: moving a new file over it
//! needs no more than the folder's permission, which would let a save overwrite a document that
//! its owner made read-only or that the process may not write. A document no one may write is
//! read-only for every process, even one that may write any file.
bool MayWrite(const std::filesystem::path& target, const struct stat& earlier, const std::string& path,
              std::string& error)
{
  if ((earlier.st_mode & 0222) == 0) {
    error = "cannot write \"" + path + "\": the file is read-only";
    return false;
  }
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    error = "cannot write \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  return true;
}

//! Writes the bytes beside the file the path resolves to and then moves them over it, so that a
//! failure never leaves a half-written document where a whole one was. Moving a new file in cuts
//! a hard link: the other names keep the earlier document, whole, which writing in place could
//! not promise on a full disk.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& error)
{
  std::filesystem::path target;
  struct stat earlier;
  const bool exists = FollowLinks(path, target) && ::stat(target.c_str(), &earlier) == 0;
  if (!exists && errno != ENOENT) {
    error = "cannot write \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  if (exists && !S_ISREG(earlier.st_mode)) {
    error = "cannot write \"" + path + "\": it is not a file";
    return false;
  }
  if (exists && !MayWrite(target, earlier, path, error))
    return false;
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  // A new file is made as any other file of the process is; the one that replaces a document
  // starts with the owner's part of the document's mode and takes the rest once it is its owner's.
  const mode_t mode = exists ? earlier.st_mode & 0600 : 0666;
  std::string temporary;
  const int descriptor = OpenTemporary(folder, mode, temporary);
  if (descriptor < 0) {
    error = "cannot write \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  if (exists)
    TakeOwnerAndMode(descriptor, earlier);
  // Flushed before the move: after a crash the name holds the earlier document or the whole new one.
  const bool written = WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(descriptor) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
    error = "cannot write \"" + path + "\": " + std::strerror(written ? errno : writeErrno);
    ::unlink(temporary.c_str());
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
