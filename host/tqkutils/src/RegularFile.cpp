#include <du/RegularFile.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace du {
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

} // namespace

FileReadResult ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes)
{
  bytes.clear();
  // Opened without blocking: opening a pipe that has no writer would otherwise wait for one.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0)
    return errno == EISDIR ? FileReadResult::NOT_A_FILE : FileReadResult::NOT_FOUND;
  struct stat status;
  if (::fstat(file.Get(), &status) != 0)
    return FileReadResult::READ_FAILED;
  if (!S_ISREG(status.st_mode))
    return FileReadResult::NOT_A_FILE;
  if (static_cast<unsigned long long>(status.st_size) > maxSize)
    return FileReadResult::TOO_LARGE;

  // The size may change while the file is read; what is read is still held to the limit.
  std::string content(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      if (content.size() >= maxSize) {
        char probe;
        const ssize_t more = ::read(file.Get(), &probe, 1);
        if (more > 0)
          return FileReadResult::TOO_LARGE;
        if (more < 0 && errno == EINTR)
          continue;
        if (more < 0)
          return FileReadResult::READ_FAILED;
        break;
      }
      content.resize(std::min(maxSize, content.size() + 4096));
    }
    const ssize_t got = ::read(file.Get(), &content[filled], content.size() - filled);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return FileReadResult::READ_FAILED;
    if (got == 0)
      break;
    filled += static_cast<std::size_t>(got);
  }
  content.resize(filled);
  bytes = std::move(content);
  return FileReadResult::READ;
}

} // namespace du
