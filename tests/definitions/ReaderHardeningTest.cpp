// The XML readers of the plug-in and of the host under hostile documents, files that are not
// files, servers that do not answer and threads that start reading all at once.

#include "definitions/HttpDocumentReader.h"
#include "LocalHttpServer.h"
#include "MemoryCeiling.h"
#include "StartLine.h"
#include "ThreadRounds.h"
#include "support/ScratchFolder.h"

#include <dg/XmlTree.h>
#include <du/RegularFile.h>
#include <tqannotations/DrawingToolsRW.h>
#include <tqannotations/TemplateLoader.h>
#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Templates = std::vector<du::SmartPtr<tqannotations::TAnnotation>>;

std::vector<std::string> Ids(const Templates& templates)
{
  std::vector<std::string> ids;
  for (const auto& annotation : templates)
    ids.push_back(annotation->id);
  return ids;
}

//! One internal entity of 100,000 characters used 9,000 times inside one attribute value.
std::string QuadraticAttribute(const std::string& root, const std::string& before)
{
  std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [<!ENTITY big \"" +
                     std::string(100000, 'x') + "\">]><" + root + ">" + before +
                     "<annotation id=\"a\" name=\"";
  for (int i = 0; i < 9000; ++i)
    text += "&big;";
  return text + "\"/></" + root + ">";
}

std::string Nested(const std::string& root, int depth)
{
  std::string text = "<?xml version=\"1.0\"?>\n<" + root + ">";
  for (int i = 0; i < depth; ++i)
    text += "<n>";
  for (int i = 0; i < depth; ++i)
    text += "</n>";
  return text + "</" + root + ">";
}

//! A document of `grammar` and `body` that ends in one template or style.
std::string WithGrammar(const std::string& root, const std::string& grammar, const std::string& body)
{
  return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [" + grammar + "]><" + root + ">" +
         (root == "lumbra-styles" ? "<styles>" + body + "<style id=\"7\"/></styles>"
                                  : body + "<annotation id=\"late\"/>") +
         "</" + root + ">";
}

std::string Repeated(const std::string& text, int times)
{
  std::string repeated;
  for (int i = 0; i < times; ++i)
    repeated += text;
  return repeated;
}

TEST(ReaderHardening, ReadersReadEntitiesAndDefaultsWithinWorkBoundByTheDocumentsSize)
{
  // Hundreds of references read whole; the abuses below cost a hundred times their size or more.
  const std::string value(16000, 'v');
  const struct
  {
    std::string grammar;
    std::string body;
    bool readWhole;
  } cases[] = {
      {"<!ENTITY e 'ab'>", "<x>" + Repeated("&e;", 300) + "</x>", true},
      {"<!ATTLIST a d CDATA '" + value + "'>", Repeated("<a/>", 8000), false},
      {"<!ENTITY e '" + value + "'>", "<x>" + Repeated("&e;", 2000) + "</x>", false},
      {"<!ENTITY % p '<!-- " + value + " -->'>" + Repeated("%p;", 2000), "", false},
      {"<!ENTITY % l0 '<!-- -->'><!ENTITY % l1 '" + Repeated("&#37;l0;", 100) + "'><!ENTITY % l2 '" +
           Repeated("&#37;l1;", 100) + "'><!ENTITY % l3 '" + Repeated("&#37;l2;", 100) + "'>%l3;",
       "", false},
  };
  for (const auto& c : cases) {
    Templates read;
    tqannotations::TemplateLoader().GetTemplateList(WithGrammar("lumbra-annotations", c.grammar, c.body),
                                                    read);
    EXPECT_EQ(read.size(), c.readWhole ? 1u : 0u) << c.grammar.substr(0, 40);
    tqannotations::DrawingToolsRW tools;
    tools.ParseStyleXML(WithGrammar("lumbra-styles", c.grammar, c.body));
    EXPECT_EQ(tools.GetStyleList().size(), c.readWhole ? 2u : 0u) << c.grammar.substr(0, 40);
  }
}

extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));
//! What is allocated under a sanitizer, which keeps freed blocks a while; else what is resident.
unsigned long long MemoryHeld()
{
  return __sanitizer_get_current_allocated_bytes ? __sanitizer_get_current_allocated_bytes()
                                                 : tqtest::StatusBytes("VmRSS");
}

TEST(ReaderHardening, DocumentsWhoseGrammarCannotBeFinishedLeaveNoMemoryBehind)
{
  const std::string document =
      "<?xml version=\"1.0\"?><!DOCTYPE r [<!ELEMENT r " + Repeated("(a,", 1000) + "ANY>]><r/>";
  Templates templates;
  unsigned long long afterTwenty = 0;
  for (int i = 0; i < 200; ++i) {
    tqannotations::TemplateLoader().GetTemplateList(document, templates);
    tqannotations::DrawingToolsRW().ParseStyleXML(document);
    afterTwenty = i == 19 ? MemoryHeld() : afterTwenty;
  }
  EXPECT_LT(MemoryHeld(), afterTwenty + (20 << 20));
}

TEST(ReaderHardening, ThreadsRacingTheFirstParseOfEveryReaderAllRead)
{
  // Every test runs in a process of its own, so these threads make the process's first parses.
  const tqsupport::ScratchFolder scratch("reader_hardening");
  ASSERT_TRUE(scratch.IsMade()) << scratch.Error();
  const std::string path = scratch.File("first_use.xml");
  tqk::SerializedContentElement content(du::Symbol("root"));
  content.AddProperty(du::Symbol("k"), std::int32_t(7));
  std::string error;
  ASSERT_TRUE(tqk::DocumentStore::Write(content, path, error)) << error;

  constexpr int kThreadsPerReader = 4;
  test_threads::StartLine started(3 * kThreadsPerReader);
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreadsPerReader; ++i) {
    threads.emplace_back([&] {
      started.ArriveAndWait();
      Templates templates;
      tqannotations::TemplateLoader().GetTemplateList(
          std::string("<lumbra-annotations><annotation id=\"t\"/></lumbra-annotations>"), templates);
      failures += Ids(templates) != std::vector<std::string>{"t"};
    });
    threads.emplace_back([&] {
      started.ArriveAndWait();
      tqannotations::DrawingToolsRW tools;
      tools.ParseStyleXML("<?xml version=\"1.0\"?><lumbra-styles><styles><style/></styles></lumbra-styles>");
      failures += tools.GetStyleList().size() != 1;
    });
    threads.emplace_back([&] {
      started.ArriveAndWait();
      std::string readError;
      failures += !tqk::DocumentStore::Read(path, readError);
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(failures.load(), 0);
}

TEST(ReaderHardening, EntityExpansionInAnAttributeEndsWithinAMemoryCeiling)
{
  const std::string templates = QuadraticAttribute("lumbra-annotations", "<annotation id=\"kept\"/>");
  EXPECT_TRUE(tqtest::FinishesUnderMemoryCeiling([&] {
    Templates read;
    return tqannotations::TemplateLoader().GetTemplateList(templates, read) &&
           Ids(read) == std::vector<std::string>{"kept"};
  }));
  const std::string styles = QuadraticAttribute("lumbra-styles", "");
  EXPECT_TRUE(tqtest::FinishesUnderMemoryCeiling([&] {
    tqannotations::DrawingToolsRW tools;
    tools.ParseStyleXML(styles);
    return tools.GetStyleList().empty();
  }));
}

TEST(ReaderHardening, MillionNestedElementsEndWithinAMemoryCeiling)
{
  const std::string styles = Nested("lumbra-styles", 1000000);
  EXPECT_TRUE(tqtest::FinishesUnderMemoryCeiling([&] {
    tqannotations::DrawingToolsRW tools;
    tools.ParseStyleXML(styles);
    return tools.GetStyleList().empty();
  }));
  const std::string templates = Nested("lumbra-annotations", 1000000);
  EXPECT_TRUE(tqtest::FinishesUnderMemoryCeiling([&] {
    Templates read;
    return tqannotations::TemplateLoader().GetTemplateList(templates, read) && read.empty();
  }));
}

//! A folder with a FIFO that nobody writes to, removed again at the end of the test.
class SpecialFiles : public testing::Test
{
protected:
  void SetUp() override
  {
    // CTest runs each case in a process of its own, in parallel: every process needs its own folder.
    ASSERT_TRUE(m_scratch.IsMade()) << m_scratch.Error();
    m_folder = m_scratch.Path();
    m_fifo = m_scratch.File("fifo");
    ASSERT_EQ(::mkfifo(m_fifo.c_str(), 0600), 0);
  }

  std::vector<std::string> Paths() const { return {"/dev/zero", m_fifo, m_folder}; }

  const tqsupport::ScratchFolder m_scratch{"reader_hardening_special"};
  std::string m_folder;
  std::string m_fifo;
};

TEST_F(SpecialFiles, EveryPathReaderRefusesThemAsItRefusesAMissingFile)
{
  for (const std::string& path : Paths()) {
    std::string bytes = "stale";
    EXPECT_EQ(du::ReadRegularFile(path, 1 << 20, bytes), du::FileReadResult::NOT_A_FILE) << path;
    EXPECT_TRUE(bytes.empty());

    std::string error;
    EXPECT_FALSE(tqk::DocumentStore::Read(path, error)) << path;
    EXPECT_EQ(error, "\"" + path + "\" is not a file");

    tqannotations::DrawingToolsRW tools;
    tools.ParseStyleXML(path);
    EXPECT_TRUE(tools.GetStyleList().empty()) << path;

    Templates templates;
    EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(du::Symbol("file://" + path), templates))
        << path;
    EXPECT_TRUE(templates.empty()) << path;
  }
}

//! Whether the thread sleeps in a call that opens a file: a reader waiting for a pipe's writer.
bool WaitingInOpen(pid_t thread)
{
  const std::string task = "/proc/self/task/" + std::to_string(thread);
  long call = -1;
  std::ifstream(task + "/syscall") >> call;
  std::string status;
  std::getline(std::ifstream(task + "/stat"), status);
  return call == SYS_openat && status.compare(status.rfind(')') + 1, 3, " S ") == 0;
}

TEST_F(SpecialFiles, APipeRenamedInAfterTheLookIsRefusedWithoutWaitingForAWriter)
{
  const std::string path = m_folder + "/swapped.xml", next = m_folder + "/next", file = m_folder + "/file";
  constexpr int kReads = 20000;
  std::atomic<int> reads{0};
  std::atomic<pid_t> reader{0};
  int readersCaughtWaiting = 0;
  std::ofstream(file) << "<lumbra-annotations><annotation id=\"f\"/></lumbra-annotations>";
  test_threads::ThreadRounds threads;
  threads.Add(10 * kReads, [&](int round) {
    if (reads >= kReads)
      return;
    // The pipe in place for a moment, then a reader waiting on it let go, till the reads end.
    for (const std::string& swapped : {m_fifo, file}) {
      ::link(swapped.c_str(), next.c_str());
      ::rename(next.c_str(), path.c_str());
    }
    do {
      if (reader && WaitingInOpen(reader) && ++readersCaughtWaiting)
        ::close(::open(m_fifo.c_str(), O_WRONLY | O_NONBLOCK));
    } while (round == 10 * kReads - 1 && reads < kReads);
  });
  threads.Add(kReads, [&](int round) {
    reader = pid_t(::syscall(SYS_gettid));
    Templates templates;
    if (round % 2)
      tqannotations::TemplateLoader().GetTemplateList(du::Symbol("file://" + path), templates);
    else
      tqannotations::DrawingToolsRW().ParseStyleXML(path);
    ++reads;
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(readersCaughtWaiting, 0);
}

TEST_F(SpecialFiles, FilesPastTheLimitAreRefused)
{
  const std::string path = m_folder + "/large";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(file);
  std::fputs("0123456789", file);
  std::fclose(file);
  std::string bytes;
  EXPECT_EQ(du::ReadRegularFile(path, 9, bytes), du::FileReadResult::TOO_LARGE);
  EXPECT_EQ(du::ReadRegularFile(path, 10, bytes), du::FileReadResult::READ);
  EXPECT_EQ(bytes, "0123456789");
  std::remove(path.c_str());
}

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

//! The text gzip-coded, as one stored block.
std::string Gzipped(const std::string& text)
{
  unsigned crc = 0xFFFFFFFF, size = unsigned(text.size());
  for (unsigned char c : text) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  std::string bytes; // little-endian: the block's length and its complement, the checksum, the size
  for (unsigned long long v : {size | (~size & 0xFFFFull) << 16, ~crc | 1ull * size << 32})
    for (int i = 0; i < 8; ++i)
      bytes += char(v >> (8 * i));
  return std::string("\x1f\x8b\x08\0\0\0\0\0\0\xff\x01", 11) + bytes.substr(0, 4) + text + bytes.substr(8);
}

//! Reads / from the server with the given deadline; the body must be empty on failure.
bool ReadFrom(tqtest::LocalHttpServer& server, int deadlineMs, std::size_t maxSize, std::string& body)
{
  body = "stale";
  const bool read =
      tqannotations::HttpDocumentReader(deadlineMs).Read("127.0.0.1", server.Port(), "/", maxSize, body);
  EXPECT_TRUE(read || body.empty());
  return read;
}

TEST(HttpDocument, StallEndsAtTheDeadlineAndATrickleAtTheLowSpeedLimit)
{
  std::string body;
  tqtest::LocalHttpServer silent("", "", 0, true);
  Clock::time_point start = Clock::now();
  EXPECT_FALSE(ReadFrom(silent, 300, 1 << 20, body));
  EXPECT_LT(MsSince(start), 800) << "a 300 ms deadline, before the one second of low-speed patience";

  // Five bytes a second, for ever: below the low-speed limit, given up after the patience of one
  // second that a four-second deadline allows.
  tqtest::LocalHttpServer trickle("HTTP/1.1 200 OK\r\n\r\n", "<", 200);
  start = Clock::now();
  EXPECT_FALSE(ReadFrom(trickle, 4000, 1 << 20, body));
  EXPECT_LT(MsSince(start), 3000);
}

TEST(HttpDocument, EndlessAnswersEndAtTheirLimitsSoonAndAtLowCpu)
{
  const std::string filler(64 * 1024, 'x');
  for (const auto& [head, repeated] : {std::pair<std::string, std::string>{"HTTP/1.1 200 OK\r\n\r\n", filler},
                                       {"HTTP/1.1 200 OK\r\n", "X-Filler: " + filler.substr(0, 50) + "\r\n"},
                                       {"HTTP/1.1 200 OK\r\nX-Filler: ", filler}}) {
    tqtest::LocalHttpServer endless(head, repeated);
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuBefore = std::clock(); // the server's share included
    std::string body;
    EXPECT_FALSE(ReadFrom(endless, 5000, 1 << 20, body)) << head;
    EXPECT_LT(MsSince(start), 2500) << head;
    EXPECT_LT(double(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 1.0) << head;
  }
}

TEST(HttpDocument, OnlyAWholeOkAnswerWithinTheSizeLimitIsADocument)
{
  const std::string document = "<lumbra-annotations><annotation id=\"web\"/></lumbra-annotations>";
  const std::string length = "Content-Length: " + std::to_string(document.size()) + "\r\n";
  // An answer whose status line and headers take exactly `size` bytes, in lines that no limit of a
  // single line stops.
  const auto withHeadOf = [&](std::size_t size) {
    std::string head = "HTTP/1.1 200 OK\r\n" + length;
    while (head.size() + 2 + 1010 < size)
      head += "X: " + std::string(1000, 'x') + "\r\n";
    return head + "X: " + std::string(size - head.size() - 7, 'x') + "\r\n\r\n" + document;
  };
  const std::size_t allowance = tqannotations::HttpDocumentReader::HEADER_ALLOWANCE;
  struct Case
  {
    std::string answer;
    std::size_t maxSize;
    bool holdOpen;
    bool read;
  };
  for (const Case& c : std::vector<Case>{
           {"HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n" + document, 1 << 20, false, true},
           {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n" + document.substr(0, 5) +
                "\r\n3a\r\n" + document.substr(5) + "\r\n0\r\n\r\n",
            1 << 20, false, true},
           // The whole body as announced, from a server that then keeps the connection open.
           {"HTTP/1.1 200 OK\r\n" + length + "\r\n" + document, 1 << 20, true, true},
           {"HTTP/1.1 200 OK\r\n" + length + "\r\n" + document, document.size(), false, true},
           {"HTTP/1.1 200 OK\r\n" + length + "\r\n" + document, document.size() - 1, false, false},
           {"HTTP/1.0 200 OK\r\n\r\n" + document, document.size() - 1, false, false},
           {"HTTP/1.1 200 OK\r\nContent-Length: 237\r\n\r\n" + document, 1 << 20, false, false},
           {"HTTP/1.1 200 OK\r\nContent-Length: 18446744073709551617\r\n\r\n" + document, 1 << 20, false,
            false},
           {withHeadOf(allowance), 1 << 20, false, true},
           {withHeadOf(allowance + 1), 1 << 20, false, false},
           {"HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n" + Gzipped(document), 1 << 20, false, false},
           {"HTTP/1.0 404 Not Found\r\n\r\n" + document, 1 << 20, false, false},
           {"HTTP/1.1 301 Moved\r\nLocation: /t.xml\r\n\r\n" + document, 1 << 20, false, false},
           {document, 1 << 20, false, false},
       }) {
    tqtest::LocalHttpServer server(c.answer, "", 0, c.holdOpen);
    std::string body;
    EXPECT_EQ(ReadFrom(server, 5000, c.maxSize, body), c.read) << c.answer.substr(0, 80);
    EXPECT_EQ(body, c.read ? document : "") << c.answer.substr(0, 80);
  }
}

TEST(HttpDocument, TemplateLoaderAsksForTheUrlAsWrittenAndReadsOnlyWholeDocuments)
{
  const std::string document = "<lumbra-annotations><annotation id=\"web\"/><annotation id=\"two\"/>"
                               "<annotation id=\"three\"/></lumbra-annotations>";
  tqtest::LocalHttpServer whole("HTTP/1.1 200 OK\r\n\r\n" + document);
  const std::string port = std::to_string(whole.Port());
  Templates templates;
  EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(
      du::Symbol("http://127.0.0.1:" + port + "/a%20b/./../t%2Fx.xml?v=1&w=%2F"), templates));
  EXPECT_EQ(Ids(templates), (std::vector<std::string>{"web", "two", "three"}));
  EXPECT_EQ(whole.Request().substr(0, whole.Request().find("\r\n")),
            "GET /a%20b/./../t%2Fx.xml?v=1&w=%2F HTTP/1.1");
  EXPECT_NE(whole.Request().find("\r\nHost: 127.0.0.1:" + port + "\r\n"), std::string::npos)
      << whole.Request();

  // A port past 65535, or 0, is malformed rather than another port; an IPv6 address is read.
  for (const std::string& wrapped : {std::to_string(whole.Port() + (1ull << 32)), std::string("0")})
    EXPECT_FALSE(tqannotations::TemplateLoader().GetTemplateList(
        du::Symbol("http://127.0.0.1:" + wrapped + "/t.xml"), templates));
  tqtest::LocalHttpServer six("HTTP/1.1 200 OK\r\n\r\n" + document, "", 0, false, true);
  templates.clear();
  EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(
      du::Symbol("http://[::1]:" + std::to_string(six.Port()) + "/t.xml"), templates));
  EXPECT_EQ(Ids(templates), (std::vector<std::string>{"web", "two", "three"}));

  // Cut off after the first template, a redirection to a file of this machine, a port where nothing
  // listens: each reads as a document that cannot be reached, which is an empty one.
  const char* data = std::getenv("TQ_TEST_DATA");
  const std::string local = std::string(data ? data : ".") + "/templates/two-templates.xml";
  tqtest::LocalHttpServer elsewhere("HTTP/1.1 200 OK\r\n\r\n" + document);
  for (const std::string& answer :
       {"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(document.size()) + "\r\n\r\n" +
            document.substr(0, 70),
        "HTTP/1.1 302 Found\r\nLocation: file://" + local + "\r\nContent-Length: 0\r\n\r\n",
        "HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:" + std::to_string(elsewhere.Port()) +
            "/t.xml\r\nContent-Length: 0\r\n\r\n",
        std::string()}) {
    tqtest::LocalHttpServer server(answer);
    const unsigned answering = answer.empty() ? tqtest::LocalHttpServer("").Port() : server.Port();
    templates.clear();
    EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(
        du::Symbol("http://127.0.0.1:" + std::to_string(answering) + "/t.xml"), templates));
    EXPECT_TRUE(templates.empty()) << answer;
  }
}

TEST(HttpDocument, NoProxyThatTheEnvironmentNamesIsAsked)
{
  tqtest::LocalHttpServer proxy(
      "HTTP/1.1 200 OK\r\n\r\n<lumbra-annotations><annotation id=\"proxied\"/></lumbra-annotations>");
  tqtest::LocalHttpServer server(
      "HTTP/1.1 200 OK\r\n\r\n<lumbra-annotations><annotation id=\"direct\"/></lumbra-annotations>");
  const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.Port());
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
    ::setenv(name, proxyUrl.c_str(), 1);
  ::unsetenv("no_proxy");
  ::unsetenv("NO_PROXY");
  Templates templates;
  tqannotations::TemplateLoader().GetTemplateList(
      du::Symbol("http://127.0.0.1:" + std::to_string(server.Port()) + "/t.xml"), templates);
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
    ::unsetenv(name);
  EXPECT_EQ(Ids(templates), std::vector<std::string>{"direct"});
}

TEST(ReaderHardening, ManyDocumentsWithAnExternalGrammarLoseNoMemory)
{
  // Under LeakSanitizer a loss per document would fail the program at its end.
  tqannotations::TemplateLoader loader;
  const std::string document = "<!DOCTYPE lumbra-annotations SYSTEM "
                               "\"x.dtd\"><lumbra-annotations><annotation id=\"t\"/></lumbra-annotations>";
  for (int i = 0; i < 10000; ++i) {
    Templates templates;
    loader.GetTemplateList(document, templates);
    ASSERT_EQ(templates.size(), 1u) << "the grammar is not read, and the document reads on";
  }
}

} // namespace
