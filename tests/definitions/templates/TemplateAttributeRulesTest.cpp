#include "definitions/templates/TemplateTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace templatetest;
using tqannotations::LabelContent;
using tqannotations::LineStyle;
using tqannotations::TAnnotation;

TEST(TemplateAttributes, SizeTakesTheLeadingNumberAndTheUnitFromTheLastTwoCharacters)
{
  const struct
  {
    const char* weight;
    float size;
    int unit;
  } cases[] = {
      {"0.5mm", 0.5f, 0},
      {"2", 2.0f, 3},
      {"12.5", 12.5f, 3},
      {"3IN", 3.0f, 2},
      {"1.5Cm", 1.5f, 1},
      {"4px", 4.0f, 3},
      {"10pt", 10.0f, 3},
      {"wide", 0.0f, 3},
      {"mm", 0.0f, 3},
      {"7cm ", 7.0f, 3},
      {" 8mm", 8.0f, 0},
      {"", 0.0f, 3},
      {"1e1in", 10.0f, 2},
      {"1E1mm", 10.0f, 0},
      {"2.5E-1CM", 0.25f, 1},
      {"-2mm", -2.0f, 0},
      {".5mm", 0.5f, 0},
      {"5.in", 5.0f, 2},
      {"+2px", 2.0f, 3},
      {"0x10px", 16.0f, 3},
      {"3,5mm", 3.0f, 0},
      {"1.2.3cm", 1.2f, 1},
      {"-0.25in", -0.25f, 2},
      {"0.1mm", 0.1f, 0},
      {"123456789012345678px", 1.2345679e17f, 3},
      {"0.30000000000000004mm", 0.3f, 0},
  };
  for (const auto& c : cases) {
    du::SmartPtr<LineStyle> style = LoadLineStyle(std::string("weight=\"") + c.weight + "\"");
    ASSERT_TRUE(style) << c.weight;
    EXPECT_FLOAT_EQ(style->weight, c.size) << c.weight;
    EXPECT_EQ(style->weightUnit, c.unit) << c.weight;
  }
}

TEST(TemplateAttributes, ShortSizeKeepsTheUnitItHad)
{
  // The label's text is in millimetres; a span size of two characters keeps that unit.
  du::SmartPtr<TAnnotation> annotation =
      LoadLabel("<text size=\"4mm\"/><span size=\"12\">x</span><span size=\"1\"/><span size=\"9in\"/>");
  ASSERT_TRUE(annotation);
  const auto& items = annotation->label->contents;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_FLOAT_EQ(items[0]->properties.size, 12.0f);
  EXPECT_EQ(items[0]->properties.sizeUnit, 0);
  EXPECT_FLOAT_EQ(items[1]->properties.size, 1.0f);
  EXPECT_EQ(items[1]->properties.sizeUnit, 0);
  EXPECT_EQ(items[2]->properties.sizeUnit, 2);
  EXPECT_FLOAT_EQ(annotation->GetFontSize(), 4.0f);
  EXPECT_EQ(annotation->GetFontSizeUnit(), 0);
}

TEST(TemplateAttributes, ColourIsHexadecimalWithOrWithoutHashAndKeepsItsValueOtherwise)
{
  const struct
  {
    const char* value;
    std::uint32_t color;
  } cases[] = {
      {"#1A2b3C", 0x1A2B3C}, {"ff0000", 0xFF0000}, {"#FFF", 0xFFF},          {"red", 0x000000},
      {"#", 0x000000},       {"##123", 0x000000},  {"12zz", 0x12},           {"", 0x000000},
      {"beige", 0xBE},       {"0x1F", 0x1F},       {"#0X00ff00", 0xFF00},    {" #12", 0x000000},
      {" 12", 0x12},         {"-1", 0xFFFFFFFF},   {"FFFFFFFF", 0xFFFFFFFF}, {"123456789", 0x23456789},
      {"#ＦＦ", 0x000000},
  };
  for (const auto& c : cases) {
    du::SmartPtr<LineStyle> style = LoadLineStyle(std::string("color=\"") + c.value + "\"");
    ASSERT_TRUE(style) << c.value;
    EXPECT_EQ(style->color, c.color) << c.value;
  }
  // A colour that does not read keeps what was there before: the label's fill stays white,
  // the halo colour its default.
  du::SmartPtr<TAnnotation> annotation = LoadLabel("<shape fill-color=\"yellow\"/>");
  ASSERT_TRUE(annotation);
  EXPECT_EQ(annotation->label->fillColor, 0xFFFFFFu);
  EXPECT_EQ(LoadLineStyle("halo-color=\"none\"")->haloColor, 0xFFFFFFu);
  EXPECT_EQ(LoadLineStyle("xmlns:t=\"urn:t\" t:color=\"#FF0000\" Color=\"#00FF00\"")->color, 0u)
      << "attributes are known by their exact qualified names";
  const du::SmartPtr<LineStyle> near =
      LoadLineStyle("halo-colorX=\"#0000FF\" halo-colo=\"#0000FF\" h=\"#0000FF\" weightweight=\"5mm\" "
                    "colors=\"#0000FF\" weights=\"5mm\" halos=\"true\"");
  EXPECT_EQ(near->haloColor, 0xFFFFFFu) << "nor by names that begin or end like them";
  EXPECT_EQ(near->weight, 1.0f);
  EXPECT_EQ(near->color, 0u);
  EXPECT_FALSE(near->halo);
  EXPECT_EQ(LoadLineStyle("halo-color=\"#00ff00\"")->haloColor, 0x00FF00u);
}

TEST(TemplateAttributes, BooleanIsTrueOnlyForTrueInAnyCase)
{
  const struct
  {
    const char* value;
    bool expected;
  } cases[] = {{"true", true},   {"TRUE", true},     {"tRuE", true}, {"1", false}, {"yes", false},
               {"true ", false}, {"trueish", false}, {"tru", false}, {"", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(LoadLineStyle(std::string("halo=\"") + c.value + "\"")->halo, c.expected) << c.value;
    Templates templates = Load(Document(std::string("<annotation hasLeaders=\"") + c.value +
                                        "\"><label canEdit=\"" + c.value + "\"/></annotation>"));
    ASSERT_EQ(templates.size(), 1u);
    EXPECT_EQ(templates[0]->hasLeaders, c.expected) << c.value;
    EXPECT_EQ(templates[0]->label->canEdit, c.expected) << c.value;
  }
  EXPECT_FALSE(LoadLineStyle("")->halo) << "absent: the default stays";
}

TEST(TemplateAttributes, DashNamesInAnyCaseAndUnknownOnesAreSolid)
{
  const struct
  {
    const char* value;
    int dashes;
  } cases[] = {
      {"solid", 0},
      {"DotDash", 1},
      {"dotdotdash", 2},
      {"DOTDOTDOT", 3},
      {"dashdotdash", 4},
      {"dashDashDash", 5},
      {"longdashdot", 6},
      {"fourdotbreak", 7},
      {"dotted", 0},
      {"dot", 0}, // the start of known names is none of them
      {"dotdashes", 0},
      {" dotdash", 0},
      {"", 0},
      {"ＤｏｔＤａｓｈ", 0}, // full-width letters are other letters
  };
  for (const auto& c : cases)
    EXPECT_EQ(LoadLineStyle(std::string("dashes=\"") + c.value + "\"")->dashes, c.dashes) << c.value;
}

TEST(TemplateAttributes, ArrowStyleFromStartAndEndPairs)
{
  const struct
  {
    const char* attributes;
    int style;
  } cases[] = {
      {"", 0},
      {"start=\"none\" end=\"none\"", 0},
      {"start=\"arrow\" end=\"arrow\"", 1},
      {"end=\"arrow\"", 2},
      {"start=\"arrow\"", 3},
      {"end=\"round\"", 4},
      {"start=\"round\"", 5},
      {"start=\"round\" end=\"arrow\"", 6},
      {"start=\"Round\" end=\"ROUND\"", 7},
      {"start=\"arrow\" end=\"round\"", 8},
      {"start=\"arrow\" end=\"dot\"", 3},
      {"start=\"dot\" end=\"none\"", 3},
      {"start=\"arr\" end=\"rounded\"", 3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LoadLineStyle(c.attributes)->arrowStyle, c.style) << c.attributes;
}

TEST(TemplateAttributes, LineStyleOfEveryAttributeAndItsDefaults)
{
  du::SmartPtr<LineStyle> style = LoadLineStyle(
      "weight=\"0.35mm\" color=\"#102030\" halo=\"true\" halo-color=\"#FFFFE0\" dashes=\"longdashdot\" "
      "start=\"round\" end=\"arrow\"");
  ASSERT_TRUE(style);
  EXPECT_FLOAT_EQ(style->weight, 0.35f);
  EXPECT_EQ(style->weightUnit, 0);
  EXPECT_EQ(style->color, 0x102030u);
  EXPECT_TRUE(style->halo);
  EXPECT_EQ(style->haloColor, 0xFFFFE0u);
  EXPECT_EQ(style->dashes, 6);
  EXPECT_EQ(style->arrowStyle, 6);

  du::SmartPtr<LineStyle> plain = LoadLineStyle("");
  ASSERT_TRUE(plain);
  EXPECT_FLOAT_EQ(plain->weight, 1.0f);
  EXPECT_EQ(plain->weightUnit, 3);
  EXPECT_EQ(plain->color, 0u);
  EXPECT_EQ(plain->haloColor, 0xFFFFFFu);
  EXPECT_EQ(plain->dashes, 0);
}

TEST(TemplateAttributes, LineStylesNeedLeadersAndTheLastOneCounts)
{
  Templates templates = Load(Document(
      "<annotation><line-style weight=\"9\"/><leaders><line-style weight=\"2\"/><line-style weight=\"3\"/>"
      "</leaders></annotation>"
      "<annotation><leaders><line-style weight=\"4\"/></leaders><leaders><line-style weight=\"5\"/></leaders>"
      "</annotation>"));
  ASSERT_EQ(templates.size(), 2u);
  ASSERT_TRUE(templates[0]->leaders);
  ASSERT_EQ(templates[0]->leaders->styles.size(), 2u) << "the style before any leaders is ignored";
  EXPECT_FLOAT_EQ(templates[0]->GetLineWidth(), 3.0f);
  ASSERT_EQ(templates[1]->leaders->styles.size(), 1u) << "a second leaders element starts afresh";
  EXPECT_FLOAT_EQ(templates[1]->GetLineWidth(), 5.0f);
}

TEST(TemplateAttributes, ShapeNamesInAnyCaseAndFillColour)
{
  const struct
  {
    const char* attributes;
    int shape;
    std::uint32_t fill;
  } cases[] = {
      {"type=\"circle\"", 0, 0xFFFFFF},
      {"type=\"Square\"", 1, 0xFFFFFF},
      {"type=\"rectangle\" fill-color=\"#FFFFE0\"", 2, 0xFFFFE0},
      {"type=\"HEXAGON\"", 3, 0xFFFFFF},
      {"type=\"triangleUp\"", 4, 0xFFFFFF},
      {"type=\"triangledown\"", 5, 0xFFFFFF},
      {"type=\"RoundRect\"", 6, 0xFFFFFF},
      {"type=\"none\"", 12, 0xFFFFFF},
      {"type=\"star\"", 0, 0xFFFFFF},
      {"type=\"tri\" fill-color=\"\"", 0, 0xFFFFFF},
      {"type=\"hexagons\"", 0, 0xFFFFFF},
  };
  for (const auto& c : cases) {
    du::SmartPtr<TAnnotation> annotation = LoadLabel(std::string("<shape ") + c.attributes + "/>");
    ASSERT_TRUE(annotation) << c.attributes;
    EXPECT_EQ(annotation->GetShape(), c.shape) << c.attributes;
    EXPECT_EQ(annotation->label->fillColor, c.fill) << c.attributes;
  }
  du::SmartPtr<TAnnotation> kept = LoadLabel("<shape type=\"hexagon\"/><shape fill-color=\"#00FF00\"/>");
  EXPECT_EQ(kept->GetShape(), 3) << "a shape without type keeps the label's shape";
  EXPECT_EQ(kept->label->fillColor, 0x00FF00u) << "and still reads the fill";
}

TEST(TemplateAttributes, TextAttributesGoToTheLabelAndLaterItems)
{
  du::SmartPtr<TAnnotation> annotation =
      LoadLabel("<text>before</text><text font=\"Courier\" size=\"3mm\" decoration=\"underline\" "
                "color=\"#FF0000\">after</text>");
  ASSERT_TRUE(annotation);
  const auto& items = annotation->label->contents;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->properties.font, "arial") << "items made before keep their attributes";
  EXPECT_EQ(items[1]->properties.font, "Courier");
  EXPECT_FLOAT_EQ(items[1]->properties.size, 3.0f);
  EXPECT_EQ(items[1]->properties.sizeUnit, 0);
  EXPECT_EQ(items[1]->properties.decoration, "underline");
  EXPECT_EQ(items[1]->properties.color, 0xFF0000u);
  EXPECT_EQ(annotation->GetTextFace(), "Courier");
  EXPECT_EQ(annotation->label->text.decoration, "underline");
}

TEST(TemplateAttributes, SpanHasItsOwnAttributesAndTheLabelKeepsItsOwn)
{
  du::SmartPtr<TAnnotation> annotation =
      LoadLabel("<text font=\"Arial\" color=\"#0000FF\">Item <span font=\"Courier\" size=\"3mm\"> no. </span>"
                "</text>");
  ASSERT_TRUE(annotation);
  const auto& items = annotation->label->contents;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1]->isProperty, 0);
  EXPECT_EQ(items[1]->text, "no.") << "the span's text is trimmed into its item";
  EXPECT_EQ(items[1]->properties.font, "Courier");
  EXPECT_EQ(items[1]->properties.color, 0x0000FFu) << "what the span does not give comes from the label";
  EXPECT_EQ(annotation->GetTextFace(), "Arial");
  EXPECT_EQ(annotation->GetFontSizeUnit(), 3);
}

TEST(TemplateAttributes, UsePropertyGivesAPropertyTheCategoryOrNothing)
{
  du::SmartPtr<TAnnotation> annotation =
      LoadLabel("<useproperty category=\"Metadata\" name=\"PartNumber\" font=\"Courier\"/>"
                "<useproperty category=\"Just text\"/><useproperty category=\"Metadata\" name=\"\"/>"
                "<useproperty name=\"Orphan\"/><useproperty category=\"\" name=\"Orphan\"/>");
  ASSERT_TRUE(annotation);
  const auto& items = annotation->label->contents;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0]->isProperty, 1);
  EXPECT_EQ(items[0]->text, "Metadata");
  EXPECT_EQ(items[0]->propertyName, "PartNumber");
  EXPECT_EQ(items[0]->properties.font, "Courier");
  EXPECT_EQ(items[1]->isProperty, 0);
  EXPECT_EQ(items[1]->text, "Just text") << "stored whole, spaces included";
  EXPECT_EQ(items[2]->isProperty, 0);
  EXPECT_EQ(items[2]->text, "Metadata");
  EXPECT_EQ(annotation->GetTextFace(), "arial");
}

TEST(TemplateAttributes, BreakIsALineFeedWithItsOwnAttributes)
{
  du::SmartPtr<TAnnotation> annotation = LoadLabel("<text size=\"5\"/><br size=\"8mm\"/><br/>");
  ASSERT_TRUE(annotation);
  const auto& items = annotation->label->contents;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->text, "\n");
  EXPECT_FLOAT_EQ(items[0]->properties.size, 8.0f);
  EXPECT_EQ(items[0]->properties.sizeUnit, 0);
  EXPECT_FLOAT_EQ(items[1]->properties.size, 5.0f);
  EXPECT_EQ(items[1]->properties.sizeUnit, 3);
}

TEST(TemplateAttributes, LabelPartsNeedALabel)
{
  Templates templates =
      Load(Document("<annotation><text font=\"Courier\">lost</text><span>lost</span>"
                    "<useproperty category=\"System\" name=\"tqITM\"/><shape type=\"square\"/>"
                    "<br/></annotation>"));
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_FALSE(templates[0]->label);
  EXPECT_EQ(templates[0]->GetShape(), 0);
}

TEST(TemplateAttributes, SecondLabelDiscardsTheFirstWithItsItems)
{
  du::SmartPtr<TAnnotation> annotation =
      Load(Document("<annotation><label canEdit=\"true\"><text>one</text>"
                    "</label><label><text>two</text></label></annotation>"))[0];
  EXPECT_FALSE(annotation->label->canEdit);
  EXPECT_EQ(ItemTexts(*annotation), std::vector<std::string>{"two"});
}

TEST(TemplateAttributes, TextValuesAreStoredWholeInUtf8)
{
  Templates templates =
      Load(Document("<annotation id=\"  Ünï &amp; 📎 \" hasLeaders=\"true\">"
                    "<thumbnail url=\" file:///thumbs/Ä b.png\">ignored text</thumbnail>"
                    "<label><text font=\"Noto Sans CJK 日本\" decoration=\"\"/><span font=\"Ünï\"/></label>"
                    "</annotation>"));
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0]->id, "  Ünï & 📎 ");
  EXPECT_EQ(templates[0]->thumbnail, " file:///thumbs/Ä b.png");
  EXPECT_EQ(templates[0]->GetTextFace(), "Noto Sans CJK 日本");
  EXPECT_EQ(templates[0]->label->contents[0]->properties.font, "Ünï") << "Latin-1 letters too";
  EXPECT_TRUE(templates[0]->hasLeaders);

  Templates noId = Load(Document("<annotation><thumbnail/></annotation>"));
  ASSERT_EQ(noId.size(), 1u) << "an annotation without id is a template all the same";
  EXPECT_EQ(noId[0]->id, "");
  EXPECT_EQ(noId[0]->thumbnail, "");
}

} // namespace
