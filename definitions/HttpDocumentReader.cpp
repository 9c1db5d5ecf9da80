#include "definitions/HttpDocumentReader.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tqannotations {
namespace {

//! Room for the status line and headers beyond the body that the caller allows.
constexpr std::size_t kHeaderAllowance = 64 * 1024;

//! Closes the socket when the read ends, however it ends.
class Socket
{
public:
  explicit Socket(int descriptor) noexcept : m_descriptor(descriptor) {}
  ~Socket()
  {
    if (m_descriptor >= 0)
      ::close(m_descriptor);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  int Get() const noexcept { return m_descriptor; }

private:
  int m_descriptor;
};

std::string Lowered(std::string text)
{
  for (char& c : text)
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  return text;
}

//! Decodes a body sent in chunks; false when the chunks are malformed.
bool Unchunk(const std::string& chunked, std::string& body)
{
  body.clear();
  std::size_t at = 0;
  for (;;) {
    const std::size_t lineEnd = chunked.find("\r\n", at);
    if (lineEnd == std::string::npos)
      return false;
    char* end = nullptr;
    const std::string sizeText = chunked.substr(at, lineEnd - at);
    const unsigned long size = std::strtoul(sizeText.c_str(), &end, 16);
    if (end == sizeText.c_str())
      return false;
    at = lineEnd + 2;
    if (size == 0)
      return true;
    if (size > chunked.size() - at)
      return false;
    body.append(chunked, at, size);
    at += size + 2;
  }
}

//! The size of the whole answer when its headers (ending at headerEnd) give the body's length
//! and do not send it in chunks; npos otherwise.
std::size_t ExpectedSize(const std::string& answer, std::size_t headerEnd)
{
  const std::string headers = Lowered(answer.substr(0, headerEnd)) + "\r\n";
  if (headers.find("\r\ntransfer-encoding:") != std::string::npos)
    return std::string::npos;
  const std::size_t field = headers.find("\r\ncontent-length:");
  if (field == std::string::npos)
    return std::string::npos;
  char* end = nullptr;
  const char* digits = headers.c_str() + field + std::strlen("\r\ncontent-length:");
  const unsigned long long length = std::strtoull(digits, &end, 10);
  if (end == digits)
    return std::string::npos;
  return headerEnd + 4 + std::size_t(length);
}

} // namespace

bool HttpDocumentReader::Wait(int socket, short events) const
{
  pollfd entry{socket, events, 0};
  for (;;) {
    const int ready = ::poll(&entry, 1, m_idleMs);
    if (ready < 0 && errno == EINTR)
      continue;
    return ready > 0;
  }
}

int HttpDocumentReader::Connect(const std::string& host, unsigned port) const
{
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* addresses = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses) != 0)
    return -1;
  int connected = -1;
  for (const addrinfo* address = addresses; address && connected < 0; address = address->ai_next) {
    const int candidate = ::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                   address->ai_protocol);
    if (candidate < 0)
      continue;
    int failure = 0;
    socklen_t length = sizeof failure;
    if (::connect(candidate, address->ai_addr, address->ai_addrlen) == 0 ||
        (errno == EINPROGRESS && Wait(candidate, POLLOUT) &&
         ::getsockopt(candidate, SOL_SOCKET, SO_ERROR, &failure, &length) == 0 && failure == 0))
      connected = candidate;
    else
      ::close(candidate);
  }
  ::freeaddrinfo(addresses);
  return connected;
}

bool HttpDocumentReader::SendAll(int socket, const std::string& request) const
{
  std::size_t sent = 0;
  while (sent < request.size()) {
    if (!Wait(socket, POLLOUT))
      return false;
    const ssize_t count = ::send(socket, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (count < 0 && (errno == EINTR || errno == EAGAIN))
      continue;
    if (count <= 0)
      return false;
    sent += std::size_t(count);
  }
  return true;
}

bool HttpDocumentReader::ReceiveAll(int socket, std::size_t maxSize, std::string& answer) const
{
  char buffer[16384];
  std::size_t headerEnd = std::string::npos;
  std::size_t expectedSize = std::string::npos; // known once the headers give the body's length
  for (;;) {
    if (!Wait(socket, POLLIN))
      return false;
    const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
    if (count < 0 && (errno == EINTR || errno == EAGAIN))
      continue;
    if (count < 0)
      return false;
    if (count == 0)
      return true;
    if (std::size_t(count) > maxSize + kHeaderAllowance - answer.size())
      return false;
    answer.append(buffer, std::size_t(count));
    if (headerEnd == std::string::npos) {
      headerEnd = answer.find("\r\n\r\n");
      if (headerEnd != std::string::npos)
        expectedSize = ExpectedSize(answer, headerEnd);
    }
    // A server that keeps the connection open after the whole body is not waited for.
    if (expectedSize != std::string::npos && answer.size() >= expectedSize)
      return true;
  }
}

bool HttpDocumentReader::Read(const std::string& host, unsigned port, const std::string& target,
                              std::size_t maxSize, std::string& body) const
{
  body.clear();
  const Socket socket(Connect(host, port));
  if (socket.Get() < 0)
    return false;
  // HTTP/1.0: the server ends the answer by closing the connection.
  const std::string request =
      "GET " + (target.empty() ? std::string("/") : target) + " HTTP/1.0\r\nHost: " + host +
      (port == 80 ? std::string() : ":" + std::to_string(port)) + "\r\nConnection: close\r\n\r\n";
  std::string answer;
  if (!SendAll(socket.Get(), request) || !ReceiveAll(socket.Get(), maxSize, answer))
    return false;

  const std::size_t headerEnd = answer.find("\r\n\r\n");
  if (headerEnd == std::string::npos || answer.compare(0, 5, "HTTP/") != 0)
    return false;
  const std::size_t statusAt = answer.find(' ');
  if (statusAt == std::string::npos || answer.compare(statusAt + 1, 3, "200") != 0)
    return false;
  const std::string headers = Lowered(answer.substr(0, headerEnd));
  std::string content = answer.substr(headerEnd + 4);
  if (headers.find("\r\ntransfer-encoding: chunked") != std::string::npos) {
    std::string unchunked;
    if (!Unchunk(content, unchunked))
      return false;
    content.swap(unchunked);
  }
  if (content.size() > maxSize)
    return false;
  body.swap(content);
  return true;
}

} // namespace tqannotations
