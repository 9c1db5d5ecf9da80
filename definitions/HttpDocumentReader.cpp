#include "definitions/HttpDocumentReader.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <limits>
#include <memory>
#include <new>

namespace tqannotations {
namespace {

struct EasyHandleCleanup
{
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct UrlHandleCleanup
{
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};

struct CurlTextRelease
{
  void operator()(char* text) const { curl_free(text); }
};

//! libcurl's process-wide set-up must not run twice at once, nor race with a first transfer;
//! the function-local static runs it once, whichever thread reads first.
bool CurlReady()
{
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

//! What one read has received so far, and how much it may still take.
struct Transfer
{
  std::string& body;
  std::size_t maxSize;
  std::size_t headerBytes;
};

bool StartsWithIgnoringCase(const std::string& text, const std::string& lowerCasePrefix)
{
  return text.size() >= lowerCasePrefix.size() &&
         std::equal(lowerCasePrefix.begin(), lowerCasePrefix.end(), text.begin(), [](char prefix, char c) {
           return prefix == std::tolower(static_cast<unsigned char>(c));
         });
}

//! Whether a header line sends the body in a transfer coding other than "chunked": libcurl would
//! undo a compression that nobody asked for, and a small answer could grow into a huge one.
bool IsOtherTransferCoding(const char* line, std::size_t size)
{
  const std::string header(line, size);
  const std::string name = "transfer-encoding:";
  if (!StartsWithIgnoringCase(header, name))
    return false;
  std::string codings;
  for (char c : header.substr(name.size())) {
    if (!std::isspace(static_cast<unsigned char>(c)))
      codings += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  for (std::size_t start = 0; start <= codings.size();) {
    const std::size_t end = std::min(codings.find(',', start), codings.size());
    if (codings.compare(start, end - start, "chunked") != 0)
      return true;
    start = end + 1;
  }
  return false;
}

//! Returning fewer bytes than given makes libcurl end the transfer with a write error.
std::size_t CountHeader(char* line, std::size_t size, std::size_t count, void* transfer)
{
  Transfer& read = *static_cast<Transfer*>(transfer);
  const std::size_t bytes = size * count;
  if (bytes > HttpDocumentReader::HEADER_ALLOWANCE - read.headerBytes || IsOtherTransferCoding(line, bytes))
    return 0;
  read.headerBytes += bytes;
  return bytes;
}

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* transfer)
{
  Transfer& read = *static_cast<Transfer*>(transfer);
  const std::size_t bytes = size * count;
  if (bytes > read.maxSize - read.body.size())
    return 0;
  try {
    read.body.append(data, bytes);
  } catch (const std::bad_alloc&) {
    return 0; // no exception may pass through libcurl's frames
  }
  return bytes;
}

std::string UrlPart(CURLU* url, CURLUPart part)
{
  char* text = nullptr;
  if (curl_url_get(url, part, &text, 0) != CURLUE_OK)
    return std::string();
  const std::unique_ptr<char, CurlTextRelease> owned(text);
  return std::string(owned.get());
}

//! The "http" URL of target at host and port, or empty when the three do not make one that
//! names exactly that host and port (a host with a "?" or "@" in it, a target that does not
//! begin the path or the query).
std::string UrlOf(const std::string& host, unsigned port, const std::string& target)
{
  if (port == 0 || port > 65535)
    return std::string();
  const std::string url = "http://" + host + ":" + std::to_string(port) + (target.empty() ? "/" : target);
  const std::unique_ptr<CURLU, UrlHandleCleanup> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), CURLU_PATH_AS_IS) != CURLUE_OK ||
      UrlPart(parsed.get(), CURLUPART_HOST) != host ||
      UrlPart(parsed.get(), CURLUPART_PORT) != std::to_string(port) ||
      UrlPart(parsed.get(), CURLUPART_USER) != std::string())
    return std::string();
  return url;
}

//! The port that a URL gives, as written: decimal digits for a number from 1 to 65535.
bool ParsePort(const std::string& digits, unsigned& port)
{
  if (digits.empty() || digits.size() > 5 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  port = unsigned(std::stoul(digits));
  return port >= 1 && port <= 65535;
}

} // namespace

bool HttpDocumentReader::IsHttpUrl(const std::string& url) { return StartsWithIgnoringCase(url, "http:"); }

bool HttpDocumentReader::SplitUrl(const std::string& url, std::string& host, unsigned& port,
                                  std::string& target)
{
  const std::string scheme = "http://";
  if (!StartsWithIgnoringCase(url, scheme))
    return false;
  const std::size_t authorityEnd = std::min(url.find_first_of("/?#", scheme.size()), url.size());
  std::string authority = url.substr(scheme.size(), authorityEnd - scheme.size());
  // Credentials are not sent; the host and port follow them.
  authority.erase(0, authority.rfind('@') + 1);
  const std::size_t hostEnd = authority.compare(0, 1, "[") == 0
                                  ? authority.find(']') + 1
                                  : std::min(authority.find(':'), authority.size());
  if (hostEnd == 0 || hostEnd > authority.size())
    return false; // no host, or a bracket that is not closed
  port = 80;
  if (hostEnd < authority.size() &&
      (authority[hostEnd] != ':' || !ParsePort(authority.substr(hostEnd + 1), port)))
    return false;
  host = authority.substr(0, hostEnd);
  target = url.substr(authorityEnd, url.find('#', authorityEnd) - authorityEnd);
  return true;
}

bool HttpDocumentReader::Read(const std::string& host, unsigned port, const std::string& target,
                              std::size_t maxSize, std::string& body) const
{
  body.clear();
  if (!CurlReady())
    return false;
  const std::string url = UrlOf(host, port, target);
  if (url.empty())
    return false;
  const std::unique_ptr<CURL, EasyHandleCleanup> easy(curl_easy_init());
  if (!easy)
    return false;
  CURL* const handle = easy.get();

  // A deadline of 0 would mean none at all to libcurl.
  const long deadlineMs = std::max(1, m_deadlineMs);
  const long patienceMs = std::max(1000L, deadlineMs / 4);
  const curl_off_t largestFile =
      curl_off_t(std::min<std::size_t>(maxSize, std::size_t(std::numeric_limits<curl_off_t>::max())));
  Transfer transfer{body, maxSize, 0};
  const CURLcode setup[] = {
      curl_easy_setopt(handle, CURLOPT_URL, url.c_str()),
      curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L),
      curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http"),
      curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http"),
      curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L),
      curl_easy_setopt(handle, CURLOPT_PROXY, ""), // not even one named by the environment
      curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1)),
      // Timers by signals would reach other threads of the host's process.
      curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L),
      curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, deadlineMs),
      curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, patienceMs),
      curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, LOW_SPEED_BYTES_PER_SECOND),
      curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, (patienceMs + 999) / 1000),
      // Refuses an answer that announces more at once; the body callback stops one that sends more.
      curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, largestFile),
      curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &CountHeader),
      curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer),
      curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AppendBody),
      curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer),
  };
  long status = 0;
  // A body shorter than its announced length ends as a partial file, not as success.
  const bool read =
      std::all_of(std::begin(setup), std::end(setup), [](CURLcode code) { return code == CURLE_OK; }) &&
      curl_easy_perform(handle) == CURLE_OK &&
      curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status == 200;
  if (!read)
    body.clear();
  return read;
}

} // namespace tqannotations
