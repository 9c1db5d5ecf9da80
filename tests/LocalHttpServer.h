#pragma once
// A server on the loopback interface for the tests of readers that fetch URLs.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace tqtest {

//! Accepts one connection on 127.0.0.1, keeps the request it reads, answers with head and then
//! with repeated, again and again (pauseMs apart), until the client goes away. It stops by itself
//! after LIFETIME_MS or MAX_BYTES, so a reader that never gives up fails its test, not hangs it.
class LocalHttpServer
{
public:
  static constexpr int LIFETIME_MS = 8000;
  static constexpr std::size_t MAX_BYTES = 64 << 20;

  //! holdOpen: after the answer, the connection stays open until the client closes it; ipv6: on ::1.
  explicit LocalHttpServer(std::string head, std::string repeated = "", int pauseMs = 0,
                           bool holdOpen = false, bool ipv6 = false)
      : m_head(std::move(head)), m_repeated(std::move(repeated)), m_pauseMs(pauseMs), m_holdOpen(holdOpen)
  {
    m_listener = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sockaddr_in6 address6{};
    address6.sin6_family = AF_INET6;
    address6.sin6_addr = in6addr_loopback;
    sockaddr* bound = ipv6 ? reinterpret_cast<sockaddr*>(&address6) : reinterpret_cast<sockaddr*>(&address);
    socklen_t length = ipv6 ? sizeof address6 : sizeof address;
    ::bind(m_listener, bound, length);
    ::listen(m_listener, 4);
    ::getsockname(m_listener, bound, &length);
    m_port = ntohs(ipv6 ? address6.sin6_port : address.sin_port);
    m_thread = std::thread([this] { Serve(); });
  }
  ~LocalHttpServer()
  {
    ::shutdown(m_listener, SHUT_RDWR); // wakes a server still waiting for its client
    Request();
    ::close(m_listener);
  }

  unsigned Port() const { return m_port; }

  //! The request line and headers that the client sent; waits until the server has stopped.
  const std::string& Request()
  {
    if (m_thread.joinable())
      m_thread.join();
    return m_request;
  }

private:
  int RemainingMs() const
  {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now());
    return int(std::max<long long>(0, left.count()));
  }

  //! Whether the socket became ready within timeoutMs (and the server's lifetime).
  bool Ready(int socket, short events, int timeoutMs) const
  {
    pollfd entry{socket, events, 0};
    return ::poll(&entry, 1, std::min(timeoutMs, RemainingMs())) > 0;
  }

  bool ClientClosed(int connection, int timeoutMs) const
  {
    char byte;
    return Ready(connection, POLLIN, timeoutMs) && ::recv(connection, &byte, 1, MSG_DONTWAIT) <= 0;
  }

  bool Send(int connection, const std::string& text)
  {
    for (std::size_t at = 0; at < text.size();) {
      if (m_sent >= MAX_BYTES || !Ready(connection, POLLOUT, LIFETIME_MS))
        return false;
      const ssize_t count =
          ::send(connection, text.data() + at, text.size() - at, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (count <= 0)
        return false;
      at += std::size_t(count);
      m_sent += std::size_t(count);
    }
    return true;
  }

  void Serve()
  {
    m_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(LIFETIME_MS);
    if (!Ready(m_listener, POLLIN, LIFETIME_MS))
      return;
    const int connection = ::accept(m_listener, nullptr, nullptr);
    if (connection < 0)
      return;
    char buffer[4096];
    ssize_t count = 0;
    while (m_request.find("\r\n\r\n") == std::string::npos && m_request.size() < 16384 &&
           Ready(connection, POLLIN, LIFETIME_MS) &&
           (count = ::recv(connection, buffer, sizeof buffer, 0)) > 0)
      m_request.append(buffer, std::size_t(count));
    bool open = Send(connection, m_head);
    while (open && !m_repeated.empty() && !(m_pauseMs > 0 && ClientClosed(connection, m_pauseMs)))
      open = Send(connection, m_repeated);
    if (open && m_holdOpen)
      ClientClosed(connection, LIFETIME_MS);
    ::close(connection);
  }

  const std::string m_head;
  const std::string m_repeated;
  const int m_pauseMs;
  const bool m_holdOpen;
  int m_listener = -1;
  unsigned m_port = 0;
  std::chrono::steady_clock::time_point m_end;
  std::string m_request;
  std::size_t m_sent = 0;
  std::thread m_thread;
};

} // namespace tqtest
