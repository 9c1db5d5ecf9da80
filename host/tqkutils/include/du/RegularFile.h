#pragma once

#include <cstddef>
#include <string>

namespace du {

//! What became of reading a file by ReadRegularFile.
enum class FileReadResult
{
  READ,       //!< the whole file was read
  NOT_FOUND,  //!< no such file, or it cannot be opened
  NOT_A_FILE, //!< a directory, a device, a pipe or a socket
  TOO_LARGE,  //!< longer than the caller allows
  READ_FAILED //!< opened, but reading it failed
};

//! Reads the whole of a regular file into bytes, replacing what they held.
//!
//! Only a regular file is read: a directory, a device (such as /dev/zero, which never ends) or a
//! pipe without a writer (which would block the reader for good) is refused without being read,
//! and so is a file longer than maxSize. Bytes are left empty unless the file was read.
FileReadResult ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes);

} // namespace du
