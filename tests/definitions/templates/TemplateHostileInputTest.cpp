#include "definitions/templates/TemplateTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace templatetest;
using tqannotations::TemplateLoader;

std::string TestFileUrl(const std::string& name)
{
  const char* root = std::getenv("TQ_TEST_DATA");
  return std::string("file://") + (root ? root : ".") + "/templates/" + name;
}

std::string Repeated(const std::string& text, int count)
{
  std::string result;
  for (int i = 0; i < count; ++i)
    result += text;
  return result;
}

//! Entities that expand into each other ten times over, nine levels deep: a billion copies.
std::string LaughingEntities()
{
  std::string declarations = "<!ENTITY lol0 \"lol\">\n";
  for (int level = 1; level <= 9; ++level) {
    declarations += "<!ENTITY lol" + std::to_string(level) + " \"" +
                    Repeated("&lol" + std::to_string(level - 1) + ";", 10) + "\">\n";
  }
  return declarations;
}

TEST(TemplateHostileInput, ExternalEntityIsNotRead)
{
  Templates templates =
      Load("<?xml version=\"1.0\"?>\n<!DOCTYPE lumbra-annotations [\n<!ENTITY secret SYSTEM \"" +
           TestFileUrl("secret.txt") +
           "\">\n]>\n<lumbra-annotations><annotation id=\"a\"><name>before&secret;after</name>"
           "<label><text>&secret;</text></label></annotation><annotation id=\"b\"/>"
           "</lumbra-annotations>");
  ASSERT_EQ(templates.size(), 2u) << "the document reads on as if the entity were empty";
  EXPECT_EQ(templates[0]->name, "beforeafter");
  for (const std::string& text : ItemTexts(*templates[0]))
    EXPECT_EQ(text.find("SECRET"), std::string::npos);
}

TEST(TemplateHostileInput, ExternalGrammarIsNotRead)
{
  const std::string body =
      "<lumbra-annotations><annotation><name>x%y</name></annotation></lumbra-annotations>";
  const std::string viaSubset = "<?xml version=\"1.0\"?>\n<!DOCTYPE lumbra-annotations SYSTEM \"" +
                                TestFileUrl("secret-defaults.dtd") + "\">\n";
  const std::string viaParameterEntity = "<?xml version=\"1.0\"?>\n<!DOCTYPE lumbra-annotations [\n"
                                         "<!ENTITY % grammar SYSTEM \"" +
                                         TestFileUrl("secret-defaults.dtd") + "\">\n%grammar;\n]>\n";
  std::string withEntity = body;
  withEntity.replace(withEntity.find('%'), 1, "&fromdtd;");
  Templates templates = Load(viaParameterEntity + withEntity);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->id, "") << "the grammar's default attribute would have given an id";
  EXPECT_EQ(templates[0]->name.find("SECRET"), std::string::npos);

  // A grammar named by the declaration is not read either: the document reads on as one
  // without it, so the grammar's default id does not appear, and an entity that only the
  // grammar declares is an error that ends the document there.
  templates = Load(viaSubset + body);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->id, "");
  EXPECT_EQ(templates[0]->name, "x%y");
  templates = Load(viaSubset + withEntity);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->name, "x");
}

TEST(TemplateHostileInput, ExternalGrammarOfADocumentNotInAsciiEndsIt)
{
  // The reference cannot be blanked in UTF-16 markup; rather than be read, it ends the document.
  const std::string narrow = "<!DOCTYPE lumbra-annotations SYSTEM \"" + TestFileUrl("secret-defaults.dtd") +
                             "\"><lumbra-annotations><annotation/></lumbra-annotations>";
  std::string utf16 = "\xFF\xFE";
  for (char c : narrow)
    utf16 += std::string{c, '\0'};
  EXPECT_TRUE(Load(utf16).empty());
}

TEST(TemplateHostileInput, SchemaNamedByTheDocumentIsNotLoaded)
{
  Templates templates = Load("<?xml version=\"1.0\"?>\n<lumbra-annotations "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                             "xsi:noNamespaceSchemaLocation=\"" +
                             TestFileUrl("secret-defaults.xsd") + "\"><annotation/></lumbra-annotations>");
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->id, "") << "the schema's default attribute would have given an id";
}

TEST(TemplateHostileInput, BillionLaughsEndsPromptlyWithBoundedText)
{
  for (const char* element : {"name", "text"}) {
    const std::string document =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE lumbra-annotations [\n" + LaughingEntities() +
        "]>\n<lumbra-annotations><annotation id=\"kept\"><label><" + element + ">&lol9;</" + element +
        "></label></annotation><annotation id=\"after\"/>"
        "</lumbra-annotations>";
    Templates templates = Load(document);
    ASSERT_EQ(templates.size(), 1u) << element << ": the expansion ends the document";
    EXPECT_EQ(templates[0]->id, "kept");
    EXPECT_LT(templates[0]->name.size(), 1000000u) << element;
    EXPECT_LT(templates[0]->label->contents.size(), 100000u) << element;
  }
}

TEST(TemplateHostileInput, EntityRepeatedOverAndOverStopsAtTheStorageBudget)
{
  // Few expansions, but each one large: the expansion count alone would let this grow to
  // hundreds of megabytes.
  const std::string big(32768, 'x');
  const std::string document = "<?xml version=\"1.0\"?>\n<!DOCTYPE lumbra-annotations [\n<!ENTITY big \"" +
                               big + "\">\n]>\n<lumbra-annotations><annotation id=\"kept\"><name>" +
                               Repeated("&big;", 9500) +
                               "</name></annotation><annotation id=\"after\"/>"
                               "</lumbra-annotations>";
  Templates templates = Load(document);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->id, "kept");
  EXPECT_LE(templates[0]->name.size(), std::size_t(256) << 20);
  EXPECT_GT(templates[0]->name.size(), 0u);
}

TEST(TemplateHostileInput, GrammarWithMoreAttributeDefaultsThanATemplateNeedsIsRefused)
{
  // Every default is applied to every element of its name, so their number times the number of
  // elements is the parser's work: a few are applied as the grammar says, a hundred are read,
  // one more refuses the document before its first element.
  Templates templates = Load("<!DOCTYPE lumbra-annotations [<!ATTLIST annotation hasLeaders CDATA \"true\" "
                             "id CDATA #IMPLIED><!ATTLIST line-style weight CDATA \"2.5mm\" color CDATA "
                             "#FIXED \"#102030\">]><lumbra-annotations><annotation><leaders><line-style/>"
                             "</leaders></annotation></lumbra-annotations>");
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_TRUE(templates[0]->hasLeaders);
  EXPECT_FLOAT_EQ(templates[0]->GetLineWidth(), 2.5f);
  EXPECT_EQ(templates[0]->GetLineWidthUnit(), 0);
  EXPECT_EQ(templates[0]->leaders->styles[0]->color, 0x102030u);
  for (const int defaults : {100, 101}) {
    std::string grammar = "<!DOCTYPE lumbra-annotations [<!ATTLIST annotation";
    for (int i = 0; i < defaults; ++i)
      grammar += " a" + std::to_string(i) + " CDATA \"v\"";
    templates = Load(grammar + ">]><lumbra-annotations><annotation id=\"t\"/></lumbra-annotations>");
    EXPECT_EQ(templates.size(), defaults <= 100 ? 1u : 0u) << defaults;
  }
}

TEST(TemplateHostileInput, HundredThousandNestedElementsEndTheDocumentSafely)
{
  const int depth = 100000;
  for (const char* nested : {"x", "label", "annotation"}) {
    const std::string open = std::string("<") + nested + ">";
    const std::string close = std::string("</") + nested + ">";
    Templates templates =
        Load(Document("<annotation id=\"kept\"><name>Kept</name></annotation>" + Repeated(open, depth) +
                      Repeated(close, depth) + "<annotation id=\"after\"/>"));
    ASSERT_GE(templates.size(), 1u) << nested;
    EXPECT_EQ(templates[0]->id, "kept") << nested;
    EXPECT_EQ(templates[0]->name, "Kept") << nested;
    EXPECT_NE(templates.back()->id, "after") << nested << ": the reader gave up at the nesting";
    EXPECT_LT(templates.size(), 2000u) << nested;
  }
}

TEST(TemplateHostileInput, DocumentIsReadWholeUpToTheNestingLimitAndEndsOnePastIt)
{
  // Three elements around the annotation's children, the name inside them: 1000 deep in all.
  for (const int depth : {996, 997}) {
    Templates templates =
        Load(Document("<annotation id=\"deep\">" + Repeated("<x>", depth) + "<name>Deep</name>" +
                      Repeated("</x>", depth) + "</annotation><annotation id=\"after\"/>"));
    ASSERT_EQ(templates.size(), depth == 996 ? 2u : 1u) << depth;
    EXPECT_EQ(templates[0]->name, depth == 996 ? "Deep" : "") << depth;
  }
}

TEST(TemplateHostileInput, BrokenInputEndsTheDocumentSafely)
{
  const std::string before = Document("<annotation id=\"before\"><name>ok</name></annotation>");
  const std::string head = before.substr(0, before.find("</annotations>"));
  const std::string tail = "<annotation id=\"after\"/></annotations></lumbra-annotations>";
  const struct
  {
    std::string broken;
    bool keepsWhatCameBefore; // the parser decodes bytes ahead of reading them, so a broken
                              // encoding may end the document before the text that precedes it
  } cases[] = {
      {std::string("\0", 1), true},    // a zero byte inside the text
      {"<name>&#xD800;</name>", true}, // a reference to a lone surrogate
      {"<name>&#0;</name>", true},     // a reference to the zero character
      {"<name>&undeclared;</name>", true},
      {"<annotation id=\"a\" id=\"b\"/>", true},
      {"<name>\xC3\x28</name>", false},         // a broken UTF-8 sequence
      {"<name>\xED\xA0\x80</name>", false},     // an encoded lone surrogate
      {"<name>\xF4\x90\x80\x80</name>", false}, // past the last code point
  };
  for (const auto& c : cases) {
    Templates templates = Load(head + c.broken + tail);
    if (c.keepsWhatCameBefore) {
      ASSERT_GE(templates.size(), 1u) << c.broken;
      EXPECT_EQ(templates[0]->id, "before");
      EXPECT_EQ(templates[0]->name, "ok");
    }
    EXPECT_TRUE(templates.empty() || templates.back()->id != "after") << c.broken << ": read past the break";
  }
}

TEST(TemplateHostileInput, EveryFailureIsAResultNeverAnException)
{
  Templates templates;
  TemplateLoader loader;
  EXPECT_NO_THROW(loader.GetTemplateList(std::string("<a><b></a>"), templates));
  EXPECT_NO_THROW(loader.GetTemplateList(std::string(100, '\0'), templates));
  EXPECT_NO_THROW(loader.GetTemplateList(du::Symbol("unknownscheme://host/x.xml"), templates));
  EXPECT_NO_THROW(loader.GetTemplateList(du::Symbol("file:///proc/self/mem"), templates));
  EXPECT_TRUE(templates.empty());
}

} // namespace
