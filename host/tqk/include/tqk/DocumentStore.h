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
  //! The longest file that Read reads and Write writes, unless the caller gives another limit;
  //! only regular files are read at all.
  static constexpr std::size_t MAX_FILE_SIZE = std::size_t(256) << 20;

  //! Writes the tree to the file, replacing it only once the whole tree is written. False, with
  //! the reason in error, when a text cannot be stored (it is not UTF-8, or holds a character
  //! that XML cannot carry), the file would be longer than maxFileSize or cannot be written (among
  //! others when the name leads to something other than a regular file or through more symbolic
  //! links than the system follows, or when the file is read-only, which a file no one may write
  //! is even to a process that may write any file, or one the process may not write); an existing
  //! file is then left as it was. Whatever Write writes, Read with the same limit reads.
  //!
  //! The file written is the one the path leads to through symbolic links, which stay links; it
  //! keeps the mode of the file it replaces, and its owner where the process may give files away,
  //! and is never open to anyone the earlier file kept out, not even while it is written. As the
  //! new document is written beside the earlier one and moved over it, a hard link is cut: the
  //! file's other names keep the earlier document, whole.
  static bool Write(const SerializedContentElement& root, const std::string& path, std::string& error,
                    std::size_t maxFileSize = MAX_FILE_SIZE);
  //! The tree in the file; null, with the reason in error, when the file is refused, among others
  //! for being longer than maxFileSize.
  static std::unique_ptr<SerializedContentElement> Read(const std::string& path, std::string& error,
                                                        std::size_t maxFileSize = MAX_FILE_SIZE);
};

} // namespace tqk
