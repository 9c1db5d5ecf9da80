#pragma once

#include <cstddef>
#include <string>

namespace tqannotations {

//! Reads the whole of the regular file that a UTF-8 path names into bytes, replacing what they
//! held; false, with bytes empty, when it does not.
//!
//! Only a regular file no longer than maxSize is read: a directory, a device (such as one that
//! never ends) or a pipe (which could block the reader for good) is refused without being read,
//! as is a path that is not well-formed UTF-8 or that holds a NUL (either would name some other
//! file). A file that grows past maxSize while it is read is refused too.
bool ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes);

} // namespace tqannotations
