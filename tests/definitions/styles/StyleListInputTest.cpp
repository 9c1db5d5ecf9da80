#include "StyleTestSupport.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using styletest::Document;
using styletest::ListWithOneStyle;
using styletest::Names;
using tqannotations::DrawingToolsRW;

const std::vector<std::string> kUnchanged = {"before"};

std::string DataFile(const std::string& name) { return std::string(TQ_STYLE_TEST_DATA "/") + name; }

void WriteFile(const std::string& path, const std::string& content)
{
  std::ofstream(path, std::ios::binary) << content;
}

//! Runs each test in a fresh, empty working folder, so that relative paths name files it made.
class StyleListInput : public testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(m_scratch.IsMade()) << m_scratch.Error();
    m_folder = m_scratch.Path();
    ASSERT_NE(getcwd(m_previous, sizeof m_previous), nullptr);
    ASSERT_EQ(chdir(m_folder.c_str()), 0);
  }
  void TearDown() override
  {
    if (m_previous[0] != '\0') {
      ASSERT_EQ(chdir(m_previous), 0);
    }
  }

  const tqsupport::ScratchFolder m_scratch{"style_list"};
  std::string m_folder;
  char m_previous[4096] = {};
};

TEST_F(StyleListInput, OnlyALowerCaseDeclarationWithItsBlankIsText)
{
  // Each of these is a path; a file of that name holds a style list, so reading it shows that
  // the input was taken as a path and not as text.
  for (const std::string name :
       {"<?XML version", " <?xml version", "\xEF\xBB\xBF<?xml version", "<?xml\tversion", "<?xml", "<?xm"}) {
    WriteFile(name, Document("<style><name>from file</name></style>"));
    DrawingToolsRW tools;
    tools.ParseStyleXML(name);
    EXPECT_EQ(Names(tools), std::vector<std::string>{"from file"}) << name;
  }

  // With the blank it is text, even when a file of that name exists: not well formed, so nothing.
  WriteFile("<?xml version", Document("<style><name>from file</name></style>"));
  DrawingToolsRW tools = ListWithOneStyle();
  tools.ParseStyleXML("<?xml version");
  EXPECT_EQ(Names(tools), kUnchanged);
}

TEST_F(StyleListInput, FileIsReadLineByLine)
{
  DrawingToolsRW tools;
  tools.ParseStyleXML(DataFile("three-styles.xml"));
  EXPECT_EQ(Names(tools), (std::vector<std::string>{"Thin", "Medium", "Heavy"}));

  // No declaration, Unix and Windows line ends, no final line end, a tag and a name over several
  // lines, a UTF-8 path. Every line keeps its line end, or the tag and the name would run together.
  const std::string path = m_folder + "/styl\xC3\xA9s.xml";
  WriteFile(path, "<lumbra-styles>\r\n<styles><style\nid=\"7\"><name>one\ntwo\r\nthree</name></style>"
                  "</styles>\r\n</lumbra-styles>");
  tools.ParseStyleXML(path);
  const auto list = tools.GetStyleList();
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3]->name, "one\ntwo\nthree");
  EXPECT_EQ(list[3]->id, 7);
}

TEST_F(StyleListInput, ListIsReadUpToTheSizeLimitAndRefusedPastIt)
{
  constexpr std::size_t kLimit = std::size_t(64) << 20;
  const std::string document = Document("<style><name>big</name></style>");
  const std::vector<std::string> withBig = {"before", "big"};
  for (const std::size_t size : {kLimit, kLimit + 1}) {
    const std::string text = document + std::string(size - document.size(), ' ');
    WriteFile("big.xml", text);
    for (const std::string& input : {std::string("big.xml"), text}) {
      DrawingToolsRW tools = ListWithOneStyle();
      tools.ParseStyleXML(input);
      EXPECT_EQ(Names(tools), size == kLimit ? withBig : kUnchanged)
          << size << (input == text ? " as text" : " in a file");
    }
  }
}

TEST_F(StyleListInput, PathThatDoesNotNameAReadableStyleFileChangesNothing)
{
  WriteFile("\xEF\xBF\xBD.xml", Document("<style><name>other file</name></style>"));
  WriteFile("bad.xml", "<lumbra-styles><styles><style>");
  for (const std::string& path : {
           DataFile("missing.xml"),
           m_folder,                                  // a folder
           std::string(""),                           // no path at all
           std::string("\xFF.xml"),                   // not UTF-8; would become the name above
           DataFile("three-styles.xml") + '\0' + "x", // a NUL would cut the name short
           std::string("bad.xml"),                    // not well formed
       }) {
    DrawingToolsRW tools = ListWithOneStyle();
    tools.ParseStyleXML(path);
    EXPECT_EQ(Names(tools), kUnchanged) << path;
  }
}

TEST_F(StyleListInput, HostileOrMalformedXmlChangesNothingAndReadsNoOtherFile)
{
  WriteFile("secret.txt", "SECRET");
  std::string laughs = "<!ENTITY l0 \"ha\">";
  for (int level = 1; level <= 9; ++level) {
    const std::string previous = "&l" + std::to_string(level - 1) + ";";
    laughs += "<!ENTITY l" + std::to_string(level) + " \"" + previous + previous + previous + previous +
              previous + previous + previous + previous + previous + previous + "\">";
  }
  const std::string head = "<?xml version=\"1.0\"?><!DOCTYPE lumbra-styles [";
  const std::string styles = "<lumbra-styles><styles><style><name>";
  const std::string tail = "</name></style></styles></lumbra-styles>";

  for (const std::string& text : {
           head + "<!ENTITY x SYSTEM \"file://" + m_folder + "/secret.txt\">]>" + styles + "&x;" + tail,
           head + "<!ENTITY x SYSTEM \"secret.txt\">]>" + styles + "&x;" + tail,
           head + laughs + "]>" + styles + "&l9;" + tail,
           "<?xml version=\"1.0\"?>" + styles + tail.substr(0, tail.size() - 8),
           "<?xml version=\"1.0\"?>" + styles + "&undeclared;" + tail,
       }) {
    DrawingToolsRW fromText = ListWithOneStyle();
    fromText.ParseStyleXML(text);
    EXPECT_EQ(Names(fromText), kUnchanged) << text.substr(0, 200);

    WriteFile("hostile.xml", text);
    DrawingToolsRW fromFile = ListWithOneStyle();
    fromFile.ParseStyleXML("hostile.xml");
    EXPECT_EQ(Names(fromFile), kUnchanged) << text.substr(0, 200);
  }
}

TEST(StyleListCopies, CopiesShareItemsButNotTheirLists)
{
  DrawingToolsRW original;
  original.ParseStyleXML(Document("<style><name>a</name></style>"));
  DrawingToolsRW copy(original);
  DrawingToolsRW assigned;
  assigned.ParseStyleXML(Document("<style><name>dropped</name></style>"));
  assigned = original;
  assigned = static_cast<DrawingToolsRW&>(assigned);

  original.ParseStyleXML(Document("<style><name>b</name></style>"));
  EXPECT_EQ(Names(copy), std::vector<std::string>{"a"});
  EXPECT_EQ(Names(assigned), std::vector<std::string>{"a"});
  EXPECT_EQ(copy.GetStyleList()[0], original.GetStyleList()[0]);
  EXPECT_EQ(assigned.GetStyleList()[0], original.GetStyleList()[0]);

  auto list = original.GetStyleList();
  list.clear(); // a copy of the list: the list itself keeps its items
  EXPECT_EQ(original.GetStyleList().size(), 2u);
}

} // namespace
