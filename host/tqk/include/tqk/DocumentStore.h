#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tqk {

class SerializedContentElement;

//! Saves a content tree to an XML file and loads it back, every value exactly as it was (floats
//! and doubles to the bit), so that a document saved by one process loads in another.
//!
//! Loading refuses a file that is not one the store wrote: malformed or truncated XML, unknown
//! elements, attributes or type tags, values that do not parse, nesting deeper than MAX_DEPTH, and
//! any document type declaration, so that a file can neither make the parser fetch something
//! (external entities, DTDs) nor expand entities without bound. A refused file yields no tree at
//! all, never part of one.
class DocumentStore
{
public:
  //! The deepest nesting of elements that a file may have.
  static constexpr unsigned MAX_DEPTH = 256;
  //! The longest file that Read reads; only regular files are read at all.
  static constexpr std::size_t MAX_FILE_SIZE = std::size_t(256) << 20;

  //! Writes the tree to the file, replacing it only once the whole tree is written. False, with
  //! the reason in error, when a text cannot be stored (it is not UTF-8, or holds a character
  //! that XML cannot carry) or the file cannot be written; an existing file is then left as it was.
  static bool Write(const SerializedContentElement& root, const std::string& path, std::string& error);
  //! The tree in the file; null, with the reason in error, when the file is refused.
  static std::unique_ptr<SerializedContentElement> Read(const std::string& path, std::string& error);
};

} // namespace tqk
