#include "definitions/RegularFileReader.h"

#include <du/WideString.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace tqannotations {
namespace {

//! Closes the descriptor when the read ends, however it ends.
class Descriptor
{
public:
  explicit Descriptor(int descriptor) noexcept : m_descriptor(descriptor) {}
  ~Descriptor()
  {
    if (m_descriptor >= 0)
      ::close(m_descriptor);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const noexcept { return m_descriptor; }

private:
  int m_descriptor;
};

//! Reads into content from filled on, retrying a read that a signal interrupted; false when
//! reading fails. got is 0 at the file's end.
bool ReadSome(int file, std::string& content, std::size_t filled, std::size_t& got)
{
  for (;;) {
    const ssize_t read = ::read(file, &content[filled], content.size() - filled);
    if (read >= 0) {
      got = static_cast<std::size_t>(read);
      return true;
    }
    if (errno != EINTR)
      return false;
  }
}

bool ReadBounded(const char* path, std::size_t maxSize, std::string& bytes)
{
  // Opened without blocking and judged by what was opened: a path checked first and opened
  // afterwards could name a pipe by then, whose opening would wait for a writer for good.
  const Descriptor file(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat status;
  if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
    return false;
  const auto size = static_cast<unsigned long long>(status.st_size);
  if (size > maxSize)
    return false;
  // The size may change between the look and the read; what is read is still held to the limit,
  // with one byte more to tell a file of exactly maxSize bytes from a longer one.
  std::string content(static_cast<std::size_t>(size), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      if (content.size() > maxSize)
        return false;
      content.resize(content.size() < maxSize ? std::min(maxSize, content.size() + 4096) : maxSize + 1);
    }
    std::size_t got = 0;
    if (!ReadSome(file.Get(), content, filled, got))
      return false;
    if (got == 0)
      break;
    filled += got;
  }
  content.resize(filled);
  bytes = std::move(content);
  return true;
}

} // namespace

bool ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes)
{
  bytes.clear();
  if (path.empty() || path.find('\0') != std::string::npos ||
      du::WideStrToUtf8(du::Utf8ToWideStr(path)) != path)
    return false;
  try {
    return ReadBounded(path.c_str(), maxSize, bytes);
  } catch (const std::exception&) {
    return false; // a file that does not fit in memory
  }
}

} // namespace tqannotations
