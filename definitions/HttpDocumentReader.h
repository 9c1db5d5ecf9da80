#pragma once

#include <cstddef>
#include <string>

namespace tqannotations {

//! Fetches a document over plain HTTP, giving up on a server that stops answering.
//!
//! Each step (connecting, sending the request, every read of the answer) may wait at most the
//! idle time given at construction; a server that accepts the connection and then says nothing
//! costs one idle time, not a blocked thread. The answer may be no longer than the caller allows.
//! Only a "200" answer gives a document; redirections are not followed.
class HttpDocumentReader
{
public:
  //! How long a step may go without progress unless the caller says otherwise.
  static constexpr int DEFAULT_IDLE_MS = 30000;

  explicit HttpDocumentReader(int idleMs = DEFAULT_IDLE_MS) : m_idleMs(idleMs) {}

  //! The body of the answer to a GET of target ("/path?query") from host at port. False, with
  //! body empty, when the host cannot be reached, a step times out, the answer is not a "200",
  //! is malformed or is longer than maxSize.
  bool Read(const std::string& host, unsigned port, const std::string& target, std::size_t maxSize,
            std::string& body) const;

private:
  //! A connected socket to the host, or -1.
  int Connect(const std::string& host, unsigned port) const;
  bool SendAll(int socket, const std::string& request) const;
  //! The whole answer: until the server closes the connection, or until the body is as long as
  //! the answer announced.
  bool ReceiveAll(int socket, std::size_t maxSize, std::string& answer) const;
  //! Whether the socket became ready for the events within the idle time.
  bool Wait(int socket, short events) const;

  int m_idleMs;
};

} // namespace tqannotations
