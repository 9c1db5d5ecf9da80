#include <dg/XmlTree.h>

#include "MemoryCeiling.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

struct FreeTree
{
  void operator()(dg::XmlElem* root) const { dg::FreeXml(root); }
};
using Tree = std::unique_ptr<dg::XmlElem, FreeTree>;

Tree Parse(const std::string& text) { return Tree(dg::ParseXml(text)); }

//! One internal entity of 100,000 characters used 9,000 times in one attribute value: some
//! 160 kilobytes that expand to 900 million characters.
std::string QuadraticAttributeDocument(const std::string& root)
{
  std::string text =
      "<!DOCTYPE " + root + " [<!ENTITY big \"" + std::string(100000, 'x') + "\">]><" + root + " a=\"";
  for (int i = 0; i < 9000; ++i)
    text += "&big;";
  return text + "\"/>";
}

//! A file in a folder of the test's own that is removed again at the end of the test.
class TemporaryFile
{
public:
  TemporaryFile(const std::string& name, const std::string& content) : m_path(m_folder.File(name))
  {
    std::ofstream(m_path, std::ios::binary) << content;
  }
  std::string Url() const { return "file://" + m_path; }

private:
  const tqsupport::ScratchFolder m_folder{"xml-tree-test"};
  std::string m_path;
};

TEST(XmlTree, ElementsAttributesAndTextsAsWritten)
{
  const Tree root = Parse("<?xml version=\"1.0\"?>\n"
                          "<a:root xmlns:a=\"urn:x\" first=\" 1 mm \" second='x &amp; &#233;'>"
                          "  lead <child>inner</child><![CDATA[<raw>]]> tail &lt;"
                          "<child/><other k=\"v\"/>"
                          "</a:root>");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetName(), du::Symbol("a:root"));
  EXPECT_EQ(root->GetText(), "  lead <raw> tail <");

  ASSERT_EQ(root->GetChildCount(), 3u);
  EXPECT_EQ(root->GetChild(0)->GetName(), du::Symbol("child"));
  EXPECT_EQ(root->GetChild(0)->GetText(), "inner");
  EXPECT_EQ(root->GetChild(1)->GetText(), "");
  EXPECT_EQ(root->GetChild(2)->GetName(), du::Symbol("other"));
  EXPECT_EQ(root->GetChild(3), nullptr);

  const std::size_t first = root->FindAttribute(du::Symbol("first"));
  const std::size_t second = root->FindAttribute(du::Symbol("second"));
  ASSERT_NE(first, dg::XmlElem::npos);
  ASSERT_NE(second, dg::XmlElem::npos);
  EXPECT_EQ(root->GetAttributeText(first), " 1 mm ");
  EXPECT_EQ(root->GetAttributeText(second), "x & \xC3\xA9");
  EXPECT_NE(root->FindAttribute(du::Symbol("xmlns:a")), dg::XmlElem::npos);
  EXPECT_EQ(root->FindAttribute(du::Symbol("First")), dg::XmlElem::npos);
  EXPECT_EQ(root->GetChild(0)->FindAttribute(du::Symbol("first")), dg::XmlElem::npos);
  EXPECT_EQ(root->GetAttributeText(dg::XmlElem::npos), "");
}

TEST(XmlTree, EncodingFollowsTheDeclarationAndTextsComeOutAsUtf8)
{
  const Tree latin1 = Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r a=\"\xE9\">\xFC</r>");
  ASSERT_TRUE(latin1);
  EXPECT_EQ(latin1->GetText(), "\xC3\xBC");
  EXPECT_EQ(latin1->GetAttributeText(0), "\xC3\xA9");

  const std::string utf16("\xFF\xFE<\0r\0>\0\x3D\xD8\x00\xDE<\0/\0r\0>\0", 20);
  const Tree wide = Parse(utf16);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->GetName(), du::Symbol("r"));
  EXPECT_EQ(wide->GetText(), "\xF0\x9F\x98\x80");
}

TEST(XmlTree, IntegersAreWholeDecimalTextsThatFitAnInt)
{
  const Tree root = Parse("<r a=\"12\" b=\" -7 \" c=\"+5\" d=\"-2147483648\""
                          " e=\"12px\" f=\"\" g=\"2147483648\" h=\"0x10\" i=\"1.5\" j=\"+-5\" k=\"- 5\"/>");
  ASSERT_TRUE(root);
  const auto read = [&](const char* key, int start) {
    int value = start;
    const bool ok = root->GetAttributeInt(root->FindAttribute(du::Symbol(key)), value);
    return std::make_pair(ok, value);
  };
  EXPECT_EQ(read("a", 99), std::make_pair(true, 12));
  EXPECT_EQ(read("b", 99), std::make_pair(true, -7));
  EXPECT_EQ(read("c", 99), std::make_pair(true, 5));
  EXPECT_EQ(read("d", 99), std::make_pair(true, -2147483647 - 1));
  for (const char* bad : {"e", "f", "g", "h", "i", "j", "k", "missing"})
    EXPECT_EQ(read(bad, 99), std::make_pair(false, 99)) << bad;
}

TEST(XmlTree, BoolsAreTrueFalseOneOrZero)
{
  const Tree root =
      Parse("<r a=\"true\" b=\" 0 \" c=\"1\" d=\"false\" e=\"TRUE\" f=\"yes\" g=\"\" h=\"10\"/>");
  ASSERT_TRUE(root);
  const auto read = [&](const char* key, bool start) {
    bool value = start;
    const bool ok = root->GetAttributeBool(root->FindAttribute(du::Symbol(key)), value);
    return std::make_pair(ok, value);
  };
  EXPECT_EQ(read("a", false), std::make_pair(true, true));
  EXPECT_EQ(read("b", true), std::make_pair(true, false));
  EXPECT_EQ(read("c", false), std::make_pair(true, true));
  EXPECT_EQ(read("d", true), std::make_pair(true, false));
  for (const char* bad : {"e", "f", "g", "h", "missing"}) {
    EXPECT_EQ(read(bad, true), std::make_pair(false, true)) << bad;
    EXPECT_EQ(read(bad, false), std::make_pair(false, false)) << bad;
  }
}

TEST(XmlTree, TextThatIsNotWellFormedGivesNoTree)
{
  const std::string cases[] = {
      "",
      "plain words",
      "<?xml version=\"1.0\"?>",
      "<r>",
      "<r></s>",
      "<r/><r/>",
      "<r/>tail",
      "<r a=\"1\" a=\"2\"/>",
      "<r a=1/>",
      "<r>&undeclared;</r>",
      "<r>&#0;</r>",
      std::string("<r>\0</r>", 8),
      "<r>\xFF\xFE</r>",
  };
  for (const std::string& text : cases)
    EXPECT_FALSE(Parse(text)) << text;
}

TEST(XmlTree, ExternalEntitiesAreNeverRead)
{
  const TemporaryFile secret("xml_tree_secret.txt", "SECRET");
  const TemporaryFile dtd("xml_tree_defaults.dtd", "<!ATTLIST r injected CDATA \"SECRET\">");

  // A general entity in content or in an attribute, and a parameter entity in the DTD.
  EXPECT_FALSE(Parse("<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secret.Url() + "\">]><r>&x;</r>"));
  EXPECT_FALSE(Parse("<!DOCTYPE r [<!ENTITY x SYSTEM \"xml_tree_secret.txt\">]><r>&x;</r>"));
  EXPECT_FALSE(Parse("<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + dtd.Url() + "\"> %p;]><r/>"));

  // An external DTD is not loaded, and since the entities it declares cannot be known, the
  // document is refused rather than read with its references dropped.
  EXPECT_FALSE(Parse("<!DOCTYPE r SYSTEM \"" + dtd.Url() + "\"><r/>"));
  EXPECT_FALSE(Parse("<!DOCTYPE r PUBLIC \"-//x//y\" \"" + dtd.Url() + "\"><r/>"));
}

TEST(XmlTree, UndeclaredEntityIsRefusedWithOrWithoutAGrammar)
{
  EXPECT_FALSE(Parse("<r>x&undeclared;y</r>"));
  EXPECT_FALSE(Parse("<!DOCTYPE r SYSTEM \"x.dtd\"><r>x&undeclared;y</r>"));
  EXPECT_FALSE(Parse("<!DOCTYPE r [<!ENTITY known \"k\">]><r>x&undeclared;y</r>"));
  // After a parameter entity the parser no longer takes an undeclared entity for an error itself.
  EXPECT_FALSE(Parse("<!DOCTYPE r [<!ENTITY % p \"\"> %p;]><r>x&undeclared;y</r>"));
  EXPECT_FALSE(Parse("<!DOCTYPE r [%p;]><r a=\"x&undeclared;y\"/>"));
  const Tree declared = Parse("<!DOCTYPE r [<!ENTITY % p \"\"> %p; <!ENTITY known \"k\">]><r>x&known;y</r>");
  ASSERT_TRUE(declared);
  EXPECT_EQ(declared->GetText(), "xky");
  // A grammar changes no text: blanks between elements that it says hold only elements stay.
  const Tree spaced = Parse("<!DOCTYPE r [<!ELEMENT r (s)> <!ELEMENT s EMPTY>]><r> <s/>\n</r>");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->GetText(), " \n");
}

TEST(XmlTree, EntityExpansionIsCapped)
{
  // A few internal entities are expanded as usual.
  const Tree modest = Parse("<!DOCTYPE r [<!ENTITY co \"Acme &amp; Co\">]><r a=\"&co;\">&co;, &co;</r>");
  ASSERT_TRUE(modest);
  EXPECT_EQ(modest->GetText(), "Acme & Co, Acme & Co");
  EXPECT_EQ(modest->GetAttributeText(0), "Acme & Co");

  // Exponential growth through nested entities, in text and in an attribute.
  std::string laughs = "<!DOCTYPE r [<!ENTITY l0 \"ha\">";
  for (int level = 1; level <= 12; ++level) {
    laughs += "<!ENTITY l" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i)
      laughs += "&l" + std::to_string(level - 1) + ";";
    laughs += "\">";
  }
  laughs += "]>";
  EXPECT_FALSE(Parse(laughs + "<r>&l12;</r>"));
  EXPECT_FALSE(Parse(laughs + "<r a=\"&l12;\"/>"));

  // Quadratic growth: one large entity, used fewer times than the expansion limit.
  const std::string big(64 * 1024, 'x');
  std::string quadratic = "<!DOCTYPE r [<!ENTITY b \"" + big + "\">]><r>";
  for (int i = 0; i < 200; ++i)
    quadratic += "&b;";
  EXPECT_FALSE(Parse(quadratic + "</r>"));

  // Entities that expand into elements count as well.
  std::string elements = "<!DOCTYPE r [<!ENTITY e \"";
  for (int i = 0; i < 64; ++i)
    elements += "<e/>";
  elements += "\">]><r>";
  for (int i = 0; i < 9000; ++i)
    elements += "&e;";
  EXPECT_FALSE(Parse(elements + "</r>"));
}

std::string Nested(int depth)
{
  std::string text;
  for (int i = 0; i < depth; ++i)
    text += "<n>";
  for (int i = 0; i < depth; ++i)
    text += "</n>";
  return text;
}

TEST(XmlTree, NestingIsReadUpToItsLimitAndRefusedBeyond)
{
  constexpr int kDepth = 1000;
  EXPECT_FALSE(Parse(Nested(kDepth).substr(0, 3 * kDepth))); // unclosed: the partial tree is released

  const Tree root = Parse(Nested(kDepth));
  ASSERT_TRUE(root);
  int depth = 1;
  for (const dg::XmlElem* element = root.get(); element->GetChildCount() == 1; element = element->GetChild(0))
    ++depth;
  EXPECT_EQ(depth, kDepth);

  EXPECT_FALSE(Parse(Nested(kDepth + 1)));
}

TEST(XmlTree, HostileDocumentsEndWithinAMemoryCeiling)
{
  // Each would make the parser or the tree hold hundreds of megabytes to gigabytes.
  const std::string million = Nested(1000000);
  const std::string quadratic = QuadraticAttributeDocument("r");
  EXPECT_TRUE(tqtest::FinishesUnderMemoryCeiling([&] { return !Parse(million); }));
  EXPECT_TRUE(tqtest::FinishesUnderMemoryCeiling([&] { return !Parse(quadratic); }));
}

TEST(XmlTree, FreeingIgnoresNullAndElementsThatAreNotRoots)
{
  dg::FreeXml(nullptr);
  const Tree root = Parse("<r><c><d/></c></r>");
  ASSERT_TRUE(root);
  dg::FreeXml(root->GetChild(0)); // belongs to the tree; releasing it here would free it twice
  ASSERT_EQ(root->GetChildCount(), 1u);
  EXPECT_EQ(root->GetChild(0)->GetChild(0)->GetName(), du::Symbol("d"));
}

TEST(XmlTree, NamesOfFreedTreesDoNotStayInMemory)
{
  const std::size_t before = du::Symbol::CountStoredTexts();
  for (int document = 0; document < 20; ++document) {
    std::string text = "<r>";
    for (int i = 0; i < 500; ++i) {
      const std::string unique = "u" + std::to_string(document) + "_" + std::to_string(i);
      text += "<" + unique + " " + unique + "a=\"v\"/>";
    }
    const Tree root = Parse(text + "</r>");
    ASSERT_TRUE(root);
    EXPECT_GE(du::Symbol::CountStoredTexts(), before + 1000);
  }
  EXPECT_LE(du::Symbol::CountStoredTexts(), before + 1) << "at most the root's name stays";
}

} // namespace
