// The XML readers of the plug-in and of the host under hostile documents, files that are not
// files, servers that do not answer and threads that start reading all at once.

#include "definitions/HttpDocumentReader.h"
#include "MemoryCeiling.h"
#include "StartLine.h"
#include "support/ScratchFolder.h"

#include <dg/XmlTree.h>
#include <du/RegularFile.h>
#include <tqannotations/DrawingToolsRW.h>
#include <tqannotations/TemplateLoader.h>
#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
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

//! A server on the loopback interface that accepts one connection and answers it with the given
//! text, or never answers when the text is empty.
class LocalServer
{
public:
  //! keepOpen: after answering, the server waits for the client to close the connection.
  explicit LocalServer(std::string answer, bool keepOpen = false)
      : m_answer(std::move(answer)), m_keepOpen(keepOpen)
  {
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(m_listener, 4);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] {
      const int connection = ::accept(m_listener, nullptr, nullptr);
      if (connection < 0)
        return;
      char request[4096];
      (void)::recv(connection, request, sizeof request, 0);
      if (!m_answer.empty())
        (void)::send(connection, m_answer.data(), m_answer.size(), MSG_NOSIGNAL);
      if (m_answer.empty() || m_keepOpen)
        (void)::recv(connection, request, sizeof request, 0); // open until the client gives up
      ::close(connection);
    });
  }
  ~LocalServer()
  {
    ::shutdown(m_listener, SHUT_RDWR);
    m_thread.join();
    ::close(m_listener);
  }

  unsigned Port() const { return m_port; }

private:
  std::string m_answer;
  bool m_keepOpen;
  int m_listener = -1;
  unsigned m_port = 0;
  std::thread m_thread;
};

TEST(HttpDocument, SilentServerEndsAfterTheIdleTimeLikeAnUnreachableOne)
{
  const LocalServer silent("");
  std::string body = "stale";
  EXPECT_FALSE(
      tqannotations::HttpDocumentReader(100).Read("127.0.0.1", silent.Port(), "/t.xml", 1 << 20, body));
  EXPECT_TRUE(body.empty());
}

TEST(HttpDocument, AnswersAreReadWithinTheSizeLimit)
{
  const std::string document = "<lumbra-annotations/>";
  {
    const LocalServer server("HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n" + document);
    std::string body;
    EXPECT_TRUE(
        tqannotations::HttpDocumentReader(2000).Read("127.0.0.1", server.Port(), "/t.xml", 1 << 20, body));
    EXPECT_EQ(body, document);
  }
  {
    const LocalServer server("HTTP/1.1 200 OK\r\nTransfer-Encoding: "
                             "chunked\r\n\r\n5\r\n<lumb\r\n10\r\nra-annotations/>\r\n0\r\n\r\n");
    std::string body;
    EXPECT_TRUE(tqannotations::HttpDocumentReader(2000).Read("127.0.0.1", server.Port(), "/", 1 << 20, body));
    EXPECT_EQ(body, document);
  }
  {
    const LocalServer server("HTTP/1.0 200 OK\r\n\r\n" + document);
    std::string body;
    EXPECT_FALSE(tqannotations::HttpDocumentReader(2000).Read("127.0.0.1", server.Port(), "/", 5, body));
  }
  {
    // The whole body as announced, from a server that then keeps the connection open.
    const LocalServer server("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(document.size()) +
                                 "\r\n\r\n" + document,
                             true);
    std::string body;
    EXPECT_TRUE(
        tqannotations::HttpDocumentReader(60000).Read("127.0.0.1", server.Port(), "/", 1 << 20, body));
    EXPECT_EQ(body, document);
  }
  {
    const LocalServer server("HTTP/1.0 404 Not Found\r\n\r\n" + document);
    std::string body;
    EXPECT_FALSE(
        tqannotations::HttpDocumentReader(2000).Read("127.0.0.1", server.Port(), "/", 1 << 20, body));
  }
}

TEST(HttpDocument, TemplateLoaderReadsHttpUrlsThroughIt)
{
  const LocalServer server(
      "HTTP/1.0 200 OK\r\n\r\n<lumbra-annotations><annotation id=\"web\"/></lumbra-annotations>");
  Templates templates;
  EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(
      du::Symbol("http://127.0.0.1:" + std::to_string(server.Port()) + "/templates.xml?v=1"), templates));
  EXPECT_EQ(Ids(templates), std::vector<std::string>{"web"});

  // A port where nothing listens: the document cannot be reached, which reads as an empty one.
  const unsigned closedPort = LocalServer("x").Port();
  templates.clear();
  EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(
      du::Symbol("http://127.0.0.1:" + std::to_string(closedPort) + "/templates.xml"), templates));
  EXPECT_TRUE(templates.empty());
}

TEST(ReaderHardening, ManyDocumentsWithAnExternalGrammarLoseNoMemory)
{
  // Under LeakSanitizer a loss per document would fail the program at its end.
  const tqannotations::TemplateLoader loader;
  const std::string document = "<!DOCTYPE lumbra-annotations SYSTEM "
                               "\"x.dtd\"><lumbra-annotations><annotation id=\"t\"/></lumbra-annotations>";
  for (int i = 0; i < 10000; ++i) {
    Templates templates;
    loader.GetTemplateList(document, templates);
    ASSERT_EQ(templates.size(), 1u) << "the grammar is not read, and the document reads on";
  }
}

} // namespace
