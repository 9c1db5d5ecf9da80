#include "StyleTestSupport.h"

#include <dg/XmlTree.h>

#include <gtest/gtest.h>

#include <cstring>
#include <new>

namespace {

using styletest::Document;
using styletest::Names;
using tqannotations::DrawingToolsRW;
using tqannotations::StyleItem;

du::SmartPtr<StyleItem> ReadOne(const std::string& style)
{
  DrawingToolsRW tools;
  tools.ParseStyleXML(Document(style));
  const auto list = tools.GetStyleList();
  return list.size() == 1 ? list[0] : nullptr;
}

TEST(StyleList, NewItemHasEmptyTextsZeroNumbersAndFalseFlags)
{
  // Made over scribbled memory, so that a field left without a start value shows.
  alignas(StyleItem) unsigned char storage[sizeof(StyleItem)];
  std::memset(storage, 0xA5, sizeof storage);
  const StyleItem& item = *new (storage) StyleItem;
  EXPECT_EQ(item.GetReferenceCount(), 0);
  EXPECT_EQ(item.id, 0);
  EXPECT_EQ(item.textSize, 0);
  EXPECT_EQ(item.lineHalo, false);
  EXPECT_EQ(item.shapeBorder, false);
  for (const std::string* text :
       {&item.name, &item.description, &item.tooltip, &item.lineWeight, &item.lineColor, &item.lineHaloColor,
        &item.lineDashes, &item.shapeWeight, &item.shapeColor, &item.shapeFillColor, &item.textFont,
        &item.textColor, &item.textDecoration})
    EXPECT_TRUE(text->empty());
  item.~StyleItem();
}

TEST(StyleList, ThreeStylesInDocumentOrderAndSixAfterReadingTwice)
{
  const std::string text =
      Document("<style id=\"1\"><name>a</name></style><style id=\"2\"><name>b</name></style>"
               "<style id=\"3\"><name>c</name></style>");
  DrawingToolsRW tools;
  tools.ParseStyleXML(text);
  EXPECT_EQ(Names(tools), (std::vector<std::string>{"a", "b", "c"}));
  tools.ParseStyleXML(text);
  const auto list = tools.GetStyleList();
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(Names(tools), (std::vector<std::string>{"a", "b", "c", "a", "b", "c"}));
  EXPECT_EQ(list[5]->id, 3);
  EXPECT_NE(list[0], list[3]); // every read makes items of its own
}

TEST(StyleList, EveryValueIsStoredCharacterForCharacter)
{
  const auto item =
      ReadOne("<style id=\" 42 \">"
              "<name> Thin  red </name><description>Red &amp; "
              "thin\nline</description><tooltip>\xC3\xA9t\xC3\xA9</tooltip>"
              "<line-style weight=\"0.35mm\" color=\"rgb(255, 0, 0)\" halo=\"true\" halo-color=\"#FFFFFF\" "
              "dashes=\"4 2\"/>"
              "<shape-style border=\"1\" weight=\"2pt\" color=\"red\" fill-color=\"#ffff00 \"/>"
              "<text-style font=\"Sans Serif\" size=\"+12\" color=\"0x00FF00\" decoration=\"underline\"/>"
              "</style>");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->id, 42);
  EXPECT_EQ(item->name, " Thin  red ");
  EXPECT_EQ(item->description, "Red & thin\nline");
  EXPECT_EQ(item->tooltip, "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(item->lineWeight, "0.35mm");
  EXPECT_EQ(item->lineColor, "rgb(255, 0, 0)");
  EXPECT_TRUE(item->lineHalo);
  EXPECT_EQ(item->lineHaloColor, "#FFFFFF");
  EXPECT_EQ(item->lineDashes, "4 2");
  EXPECT_TRUE(item->shapeBorder);
  EXPECT_EQ(item->shapeWeight, "2pt");
  EXPECT_EQ(item->shapeColor, "red");
  EXPECT_EQ(item->shapeFillColor, "#ffff00 ");
  EXPECT_EQ(item->textFont, "Sans Serif");
  EXPECT_EQ(item->textSize, 12);
  EXPECT_EQ(item->textColor, "0x00FF00");
  EXPECT_EQ(item->textDecoration, "underline");
}

TEST(StyleList, NumbersAndFlagsThatDoNotConvertKeepTheirValue)
{
  const auto bad = ReadOne("<style id=\"seven\"><line-style halo=\"yes\"/><shape-style border=\"on\"/>"
                           "<text-style size=\"12pt\"/></style>");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->id, 0);
  EXPECT_FALSE(bad->lineHalo);
  EXPECT_FALSE(bad->shapeBorder);
  EXPECT_EQ(bad->textSize, 0);

  const auto later = ReadOne("<style id=\"-3\"><text-style size=\"9\"/><text-style size=\"x\"/>"
                             "<line-style halo=\"1\"/><line-style halo=\"false\"/></style>");
  ASSERT_TRUE(later);
  EXPECT_EQ(later->id, -3);
  EXPECT_EQ(later->textSize, 9);
  EXPECT_FALSE(later->lineHalo);
}

TEST(StyleList, RepeatedPartsOverwriteOnlyWhatTheyCarryAndOtherPartsAreIgnored)
{
  const auto item = ReadOne("<style><name>first</name><name>second</name>"
                            "<line-style weight=\"1mm\" color=\"red\"/><line-style color=\"blue\"/>"
                            "<Line-style weight=\"9mm\"/><extra weight=\"8mm\"/><line-style unknown=\"x\"/>"
                            "<line-styles weight=\"7mm\"/><line weight=\"6mm\"/><line-style weights=\"5mm\"/>"
                            "<shape-style fill-color=\"#FFF\"/><shape-style fill-color=\"\"/></style>");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->name, "second");
  EXPECT_EQ(item->lineWeight, "1mm");
  EXPECT_EQ(item->lineColor, "blue");
  EXPECT_EQ(item->lineDashes, ""); // no "dashes" anywhere
  EXPECT_EQ(item->shapeFillColor, "") << "an empty value is a value";
  EXPECT_EQ(item->description, "");
}

TEST(StyleList, ChildOtherThanStyleGivesAnEmptyItemInItsPlace)
{
  DrawingToolsRW tools;
  tools.ParseStyleXML(Document("<style><name>a</name></style>"
                               "<separator id=\"5\"><name>b</name><line-style weight=\"1mm\"/></separator>"
                               "<style><name>c</name></style>"));
  const auto list = tools.GetStyleList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1]->id, 0);
  EXPECT_EQ(list[1]->name, "");
  EXPECT_EQ(list[1]->lineWeight, "");
  EXPECT_EQ(list[2]->name, "c");
}

TEST(StyleList, RootsOtherThanLumbraStylesWithTheSingleChildStylesAddNothing)
{
  const std::string style = "<style><name>x</name></style>";
  for (const std::string& body : {
           "<other-root><styles>" + style + "</styles></other-root>",
           "<lumbra-styles><styles>" + style + "</styles><styles>" + style + "</styles></lumbra-styles>",
           "<lumbra-styles><styles>" + style + "</styles><extra/></lumbra-styles>",
           "<lumbra-styles><style-list>" + style + "</style-list></lumbra-styles>",
           "<lumbra-styles>" + style + "</lumbra-styles>",
           std::string("<lumbra-styles/>"),
           "<Lumbra-Styles><styles>" + style + "</styles></Lumbra-Styles>",
       }) {
    DrawingToolsRW tools = styletest::ListWithOneStyle();
    tools.ParseStyleXML("<?xml version=\"1.0\"?>" + body);
    EXPECT_EQ(Names(tools), std::vector<std::string>{"before"}) << body;
  }
}

TEST(StyleList, ParsedTreeIsReadDirectlyAndNullInputsChangeNothing)
{
  dg::XmlElem* root = dg::ParseXml(Document("<style><name>a</name><line-style color=\"red\"/></style>"));
  ASSERT_NE(root, nullptr);
  DrawingToolsRW tools;
  tools.CreateListFromXml(root, "ignored");
  tools.CreateListFromXml(nullptr, std::string());
  EXPECT_EQ(Names(tools), std::vector<std::string>{"a"});

  const du::SmartPtr<StyleItem> item(new StyleItem);
  dg::XmlElem* lineStyle = root->GetChild(0)->GetChild(0)->GetChild(1);
  tools.AddLineStyleAtts(lineStyle, item);
  EXPECT_EQ(item->lineColor, "red");
  tools.AddLineStyleAtts(nullptr, item);
  tools.AddShapeStyleAtts(nullptr, item);
  tools.AddTextStyleAtts(lineStyle, nullptr);
  dg::FreeXml(root);

  tools.AddStyleItem(item);
  tools.AddStyleItem(nullptr);
  const auto list = tools.GetStyleList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1], item);
}

} // namespace
