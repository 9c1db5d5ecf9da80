#include "definitions/templates/TemplateTestSupport.h"
#include "support/ScratchFolder.h"

#include <du/MessageCatalog.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace templatetest;
using tqannotations::TAnnotation;
using tqannotations::TemplateLoader;

const char* const kCatalogue = "tqplugins/lumbrastartup:lumbraAppStrings";

//! A catalogue text that is there for one test only.
class CatalogueText
{
public:
  CatalogueText(const std::string& key, const std::string& text) : m_key(key)
  {
    du::MessageCatalog::Register(kCatalogue, key, text);
  }
  ~CatalogueText() { du::MessageCatalog::Unregister(kCatalogue, m_key); }

private:
  std::string m_key;
};

std::string TestData(const std::string& name)
{
  const char* root = std::getenv("TQ_TEST_DATA");
  return std::string(root ? root : ".") + "/templates/" + name;
}

std::vector<std::string> Ids(const Templates& templates)
{
  std::vector<std::string> ids;
  for (const auto& annotation : templates)
    ids.push_back(annotation->id);
  return ids;
}

TEST(TemplateDocument, EmptyOrRootlessTextGivesNothingAndSucceeds)
{
  for (const char* text : {"", "   ", "<?xml version=\"1.0\"?>", "plain words", "<lumbra-annotations/>"}) {
    Templates templates;
    EXPECT_TRUE(TemplateLoader().GetTemplateList(std::string(text), templates)) << text;
    EXPECT_TRUE(templates.empty()) << text;
  }
}

TEST(TemplateDocument, TemplatesComeInDocumentOrderAfterWhatTheListHeld)
{
  Templates templates;
  du::SmartPtr<TAnnotation> earlier(new TAnnotation);
  earlier->id = "earlier";
  templates.push_back(earlier);
  TemplateLoader loader;
  EXPECT_TRUE(
      loader.GetTemplateList(Document("<annotation id=\"one\"/><annotation id=\"two\"/>"), templates));
  EXPECT_TRUE(loader.GetTemplateList(Document("<annotation id=\"three\"/>"), templates));
  EXPECT_EQ(Ids(templates), (std::vector<std::string>{"earlier", "one", "two", "three"}));
  EXPECT_TRUE(templates[0] == earlier);
}

TEST(TemplateDocument, ElementsBeforeTheFirstAnnotationFillTheCallersLastTemplate)
{
  Templates templates;
  templates.push_back(new TAnnotation);
  templates[0]->name = "Old";
  EXPECT_TRUE(TemplateLoader().GetTemplateList(
      std::string("<lumbra-annotations><name> and more</name><label><text>x</text></label>"
                  "<annotation id=\"new\"><name>New</name></annotation></lumbra-annotations>"),
      templates));
  ASSERT_EQ(templates.size(), 2u);
  EXPECT_EQ(templates[0]->name, "Old and more");
  EXPECT_EQ(ItemTexts(*templates[0]), std::vector<std::string>{"x"});
  EXPECT_EQ(templates[1]->name, "New");

  Templates empty;
  EXPECT_TRUE(TemplateLoader().GetTemplateList(std::string("<r><name>nobody's</name><label/></r>"), empty));
  EXPECT_TRUE(empty.empty());
}

TEST(TemplateDocument, EmptyEntryAtTheEndOfTheCallersListIsNoTemplate)
{
  Templates templates(1);
  EXPECT_TRUE(
      TemplateLoader().GetTemplateList(std::string("<r><name>x</name><label/><leaders/></r>"), templates));
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_FALSE(templates[0]);
}

TEST(TemplateDocument, NamesAreTheElementsTextJoinedAndUntrimmed)
{
  Templates templates =
      Load(Document("<annotation><name> It\xC3\xA9m </name><name>callout \xC3\xA9\xF0\x9F\x93\x8E\n</name>"
                    "<description>Tab\there</description><tooltip>a &amp; b &lt; c</tooltip>"
                    "</annotation>"));
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->name, " It\xC3\xA9m callout \xC3\xA9\xF0\x9F\x93\x8E\n");
  EXPECT_EQ(templates[0]->description, "Tab\there");
  EXPECT_EQ(templates[0]->tooltip, "a & b < c") << "every piece of text is read once, no further";
}

TEST(TemplateDocument, LocalisedTextTakesThePlaceOfTheElementsText)
{
  const CatalogueText name("tpl.name", "Item number");
  const CatalogueText description("tpl.description", "Shows the item number");
  const CatalogueText tooltip("tpl.tooltip", "Click to place");
  Templates templates = Load(Document(
      "<annotation><name locid=\"tpl.name\">ignored</name><description locid=\"tpl.description\">ignored"
      "</description><tooltip locid=\"not.in.catalogue\">Own tip</tooltip></annotation>"
      "<annotation><name locid=\"tpl.name\"/><name locid=\"tpl.name\"/><tooltip locid=\"tpl.tooltip\">"
      "ignored</tooltip><description>Own</description></annotation>"));
  ASSERT_EQ(templates.size(), 2u);
  EXPECT_EQ(templates[0]->name, "Item number");
  EXPECT_EQ(templates[0]->description, "Shows the item number");
  EXPECT_EQ(templates[0]->tooltip, "Own tip") << "a key the catalogue lacks leaves the element's text";
  EXPECT_EQ(templates[1]->name, "Item numberItem number");
  EXPECT_EQ(templates[1]->tooltip, "Click to place");
  EXPECT_EQ(templates[1]->description, "Own");
}

TEST(TemplateDocument, ElementWithoutLocidIsLookedUpWithTheEmptyKey)
{
  const CatalogueText fallback("", "Catalogue's default");
  Templates templates = Load(Document("<annotation><name>own</name></annotation>"));
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->name, "Catalogue's default");
}

TEST(TemplateDocument, TextOfLabelGivesOneTrimmedItemPerPieceIndentationIncluded)
{
  du::SmartPtr<TAnnotation> annotation = LoadLabel(
      "<text>\n  Part <useproperty category=\"Metadata\" name=\"PartNumber\"/>\n  <br/>\n  of\n</text>");
  ASSERT_TRUE(annotation);
  EXPECT_EQ(ItemTexts(*annotation), (std::vector<std::string>{"Part", "Metadata", "", "\n", "of"}));

  du::SmartPtr<TAnnotation> split = LoadLabel("<text>Item<![CDATA[ no. ]]>7</text>");
  ASSERT_TRUE(split);
  EXPECT_EQ(ItemTexts(*split), (std::vector<std::string>{"Item", "no.", "7"}))
      << "a text that the parser delivers in pieces is not joined";
}

TEST(TemplateDocument, TextOutsideTextNameSpanIsIgnored)
{
  Templates templates = Load(Document("<annotation>loose<label>loose<shape>loose</shape></label>"
                                      "<leaders>loose<line-style>loose</line-style></leaders>"
                                      "<thumbnail url=\"t.png\">loose</thumbnail></annotation>"));
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_TRUE(templates[0]->label->contents.empty());
  EXPECT_EQ(templates[0]->thumbnail, "t.png");
  EXPECT_EQ(templates[0]->name, "");
}

TEST(TemplateDocument, UnrecognisedElementsHideTheirTextButNotTheirChildren)
{
  Templates templates = Load(Document(
      "<annotation id=\"a\"><name>Keep<note>hidden</note>ing</name>"
      "<extra>ignored<label><text>inside</text><Text>wrong case</Text><texts>longer</texts><tex>shorter</tex>"
      "</label></extra><annotationsX/><annotatio/><a/><t>one letter</t>"
      "<lumbra-annotations-and-more>longer than any</lumbra-annotations-and-more></annotation>"
      "<wrapper><annotation id=\"b\"/></wrapper>"));
  ASSERT_EQ(templates.size(), 2u);
  EXPECT_EQ(templates[0]->name, "Keeping");
  EXPECT_EQ(ItemTexts(*templates[0]), std::vector<std::string>{"inside"});
  EXPECT_EQ(templates[1]->id, "b") << "nesting plays no part";
}

TEST(TemplateDocument, NamespacedElementsAreKnownByTheirLocalName)
{
  Templates templates =
      Load("<t:lumbra-annotations xmlns:t=\"urn:t\"><t:annotation id=\"ns\"><t:name>N</t:name></t:annotation>"
           "</t:lumbra-annotations>");
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->id, "ns");
  EXPECT_EQ(templates[0]->name, "N");
}

TEST(TemplateDocument, DocumentCutOffMidTemplateKeepsWhatWasRead)
{
  const std::string whole =
      Document("<annotation id=\"first\"><name>First</name><label><text>one</text></label></annotation>"
               "<annotation id=\"second\"><name>Second</name><label><shape type=\"square\"/><text>two");
  Templates templates = Load(whole.substr(0, whole.find("two") + 3));
  ASSERT_EQ(templates.size(), 2u);
  EXPECT_EQ(templates[0]->name, "First");
  EXPECT_EQ(ItemTexts(*templates[0]), std::vector<std::string>{"one"});
  EXPECT_EQ(templates[1]->name, "Second");
  EXPECT_EQ(templates[1]->GetShape(), 1);
}

TEST(TemplateDocument, FatalErrorEndsTheDocumentButNotTheResult)
{
  Templates templates =
      Load(Document("<annotation id=\"before\"/><annotation id=\"broken\"><name>x</nam></annotation>"
                    "<annotation id=\"after\"/>"));
  EXPECT_EQ(Ids(templates), (std::vector<std::string>{"before", "broken"}));
  EXPECT_EQ(templates[1]->name, "x");
}

TEST(TemplateDocument, GrammarViolationsAreIgnored)
{
  Templates templates = Load("<?xml version=\"1.0\"?>\n<!DOCTYPE lumbra-annotations [\n"
                             "<!ELEMENT lumbra-annotations (annotations)>\n<!ELEMENT annotations EMPTY>\n]>\n"
                             "<lumbra-annotations><annotation id=\"invalid\" undeclared=\"x\"/>"
                             "</lumbra-annotations>");
  EXPECT_EQ(Ids(templates), std::vector<std::string>{"invalid"});
}

TEST(TemplateDocument, DeclarationNamingAnExternalGrammarIsReadWithoutIt)
{
  const std::string body = "<lumbra-annotations><annotation id=\"a\"><name>&who;</name></annotation>"
                           "<annotation id=\"b\"/></lumbra-annotations>";
  const std::string internal = " [\n<!ENTITY who \"inner\">\n]>\n";
  for (const std::string& prolog : {
           "<!DOCTYPE lumbra-annotations SYSTEM \"annotations.dtd\"" + internal,
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- stored template -->\n<?tool x?>\n"
           "<!DOCTYPE lumbra-annotations SYSTEM 'annotations.dtd'" +
               internal,
           "\xEF\xBB\xBF<!DOCTYPE lumbra-annotations\n  PUBLIC \"-//Templates//EN\"\n  "
           "\"http://127.0.0.1:9/a.dtd\"" +
               internal,
       }) {
    Templates templates = Load(prolog + body);
    ASSERT_EQ(Ids(templates), (std::vector<std::string>{"a", "b"})) << prolog;
    EXPECT_EQ(templates[0]->name, "inner") << "the internal subset still declares the entity";
  }

  // Declarations that are not well formed end the document as before, whatever their form.
  for (const char* broken :
       {"<!DOCTYPE lumbra-annotations SYSTEM>", "<!DOCTYPE lumbra-annotations SYSTEM \"x",
        "<!DOCTYPE lumbra-annotations PUBLIC \"p\">", "<!DOCTYPE SYSTEM \"x\">",
        "<!-- unterminated <!DOCTYPE lumbra-annotations SYSTEM \"x\">"})
    EXPECT_TRUE(Load(broken + std::string("<lumbra-annotations><annotation/></lumbra-annotations>")).empty())
        << broken;
}

TEST(TemplateDocument, ReadsFromFileUrls)
{
  const std::string path = TestData("two-templates.xml");
  Templates templates;
  EXPECT_TRUE(TemplateLoader().GetTemplateList(du::Symbol("file://" + path), templates));
  ASSERT_EQ(Ids(templates), (std::vector<std::string>{"note", "item"}));
  EXPECT_EQ(templates[1]->GetLineStipple(), 1);

  // A stored file that names its grammar, which lies nowhere: read all the same.
  EXPECT_TRUE(
      TemplateLoader().GetTemplateList(du::Symbol("file://" + TestData("external-grammar.xml")), templates));
  ASSERT_EQ(Ids(templates), (std::vector<std::string>{"note", "item", "stored"}));
  EXPECT_EQ(templates[2]->name, "Stored");

  // The path's escapes are decoded, and the local machine may be named; no other machine is.
  const tqsupport::ScratchFolder scratch("template_urls");
  ASSERT_TRUE(scratch.IsMade()) << scratch.Error();
  std::ofstream(scratch.File("my t\xC3\xA9mplates%.xml"), std::ios::binary)
      << std::ifstream(path, std::ios::binary).rdbuf();
  const std::string escaped = scratch.Path() + "/my%20t%C3%A9mplates%25.xm%6C";
  for (const std::string& url :
       {"file://" + escaped, "file://localhost" + escaped, "file://otherhost" + escaped}) {
    templates.clear();
    EXPECT_TRUE(TemplateLoader().GetTemplateList(du::Symbol(url), templates)) << url;
    EXPECT_EQ(templates.size(), url.find("otherhost") == std::string::npos ? 2u : 0u) << url;
  }
}

TEST(TemplateDocument, MalformedUrlFailsWhileAnUnreachableOneSucceeds)
{
  Templates templates;
  templates.push_back(new TAnnotation);
  TemplateLoader loader;
  for (const char* malformed : {"", "unknownscheme://host/x.xml", "http://host:notaport/x.xml", "://x"})
    EXPECT_FALSE(loader.GetTemplateList(du::Symbol(malformed), templates)) << malformed;
  EXPECT_TRUE(loader.GetTemplateList(du::Symbol("no-protocol-here"), templates)) << "fails only when opened";
  EXPECT_TRUE(loader.GetTemplateList(du::Symbol("file://" + TestData("does-not-exist.xml")), templates));
  EXPECT_TRUE(loader.GetTemplateList(du::Symbol("file://" + TestData("")), templates)) << "a directory";
  EXPECT_TRUE(
      loader.GetTemplateList(du::Symbol("file://elsewhere" + TestData("two-templates.xml")), templates))
      << "a file of another machine";
  EXPECT_EQ(templates.size(), 1u) << "nothing is added, nothing is taken away";
}

TEST(TemplateDocument, CopiedLoaderReadsLikeTheOriginal)
{
  const TemplateLoader original;
  TemplateLoader copy(original);
  EXPECT_EQ(copy.GetReferenceCount(), 0);
  copy = original;
  Templates templates;
  EXPECT_TRUE(copy.GetTemplateList(Document("<annotation id=\"c\"/>"), templates));
  EXPECT_EQ(Ids(templates), std::vector<std::string>{"c"});
}

} // namespace
