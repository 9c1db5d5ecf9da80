#pragma once

#include <cstddef>
#include <string>

namespace tqannotations {

//! Fetches a document over plain HTTP with libcurl, within bounds that no server can stretch.
//!
//! A read gives up, as a failure:
//! - once it has taken the deadline given at construction, from connecting to the last byte;
//! - once it has gone the patience (a quarter of the deadline, at least one second) without
//!   connecting, or that long at fewer than LOW_SPEED_BYTES_PER_SECOND;
//! - once the answer's status line and headers pass HEADER_ALLOWANCE bytes, or its body passes
//!   the size the caller allows.
//! It speaks "http" only, through no proxy, follows no redirection and decompresses nothing: an
//! answer sent in a transfer coding other than "chunked" is refused. Only a "200" answer whose body
//! came whole, as long as the answer announced, gives a document.
class HttpDocumentReader
{
public:
  //! How long a whole read may take unless the caller says otherwise.
  static constexpr int DEFAULT_DEADLINE_MS = 60000;
  //! Slower than this for the patience, a server is taken as stalled.
  static constexpr long LOW_SPEED_BYTES_PER_SECOND = 100;
  //! Room for the status line and headers beside the body that the caller allows.
  static constexpr std::size_t HEADER_ALLOWANCE = 64 * 1024;

  //! Whether the URL's scheme is "http", in any case. Such a URL is split by SplitUrl, which reads
  //! its host and port as written (the XML parser's own URL reader wraps ports past 65535 and
  //! refuses IPv6 addresses).
  static bool IsHttpUrl(const std::string& url);
  //! The host, the port and the target ("/path?query", as written, without a fragment) of an
  //! "http" URL (the scheme in any case); false when the URL is not one or is malformed: without
  //! "//", with an empty host, or with a port that is not a decimal number from 1 to 65535. The
  //! port is 80 when the URL gives none; a host in brackets (an IPv6 address) keeps them.
  static bool SplitUrl(const std::string& url, std::string& host, unsigned& port, std::string& target);

  explicit HttpDocumentReader(int deadlineMs = DEFAULT_DEADLINE_MS) : m_deadlineMs(deadlineMs) {}

  //! The body of the answer to a GET of target ("/path?query", sent as given, escapes and all)
  //! from host at port. False, with body empty, when the host cannot be reached, the read is
  //! given up as above, the answer is not a "200", is malformed or is cut short, or the host,
  //! port or target cannot form an "http" URL.
  bool Read(const std::string& host, unsigned port, const std::string& target, std::size_t maxSize,
            std::string& body) const;

private:
  int m_deadlineMs;
};

} // namespace tqannotations
