#include <tqannotations/TAnnotation.h>

#include <gtest/gtest.h>

namespace {

using namespace tqannotations;

du::SmartPtr<LineStyle> Style(float weight, int unit, std::uint32_t color, int dashes, int arrowStyle)
{
  du::SmartPtr<LineStyle> style(new LineStyle);
  style->weight = weight;
  style->weightUnit = unit;
  style->color = color;
  style->dashes = dashes;
  style->arrowStyle = arrowStyle;
  return style;
}

du::SmartPtr<LabelContent> Property(const std::string& category, const std::string& name)
{
  TextProperties properties;
  return new LabelContent(category, name, properties);
}

du::SmartPtr<LabelContent> Fixed(const std::string& text)
{
  TextProperties properties;
  return new LabelContent(text, properties);
}

du::SmartPtr<TAnnotation> WithItems(std::initializer_list<du::SmartPtr<LabelContent>> items)
{
  du::SmartPtr<TAnnotation> annotation(new TAnnotation);
  annotation->label = new TLabel;
  annotation->label->contents.assign(items.begin(), items.end());
  return annotation;
}

void ExpectColor(const dg::Color& color, float r, float g, float b)
{
  EXPECT_FLOAT_EQ(color.r, r);
  EXPECT_FLOAT_EQ(color.g, g);
  EXPECT_FLOAT_EQ(color.b, b);
  EXPECT_FLOAT_EQ(color.a, 1.0f);
}

TEST(TemplateModel, EmptyTemplateStillGivesAWholeLook)
{
  TAnnotation annotation;
  EXPECT_FLOAT_EQ(annotation.GetFontSize(), 10.0f);
  EXPECT_EQ(annotation.GetFontSizeUnit(), 3);
  EXPECT_EQ(annotation.GetShape(), 0);
  EXPECT_EQ(annotation.GetTextFace(), "Arial");
  EXPECT_EQ(annotation.GetArrowStyle(), 3);
  EXPECT_FLOAT_EQ(annotation.GetLineWidth(), 1.0f);
  EXPECT_EQ(annotation.GetLineWidthUnit(), 3);
  EXPECT_EQ(annotation.GetLineStipple(), 3);
  EXPECT_FALSE(annotation.GetHalo());
  ExpectColor(annotation.GetTextColor(), 0, 0, 0);
  ExpectColor(annotation.GetLineColor(), 0, 0, 0);
  ExpectColor(annotation.GetHaloColor(), 0, 0, 0);
  ExpectColor(annotation.GetFillColor(), 1, 1, 1);
  EXPECT_FLOAT_EQ(annotation.GetDPI(), 96.0f);
  EXPECT_TRUE(annotation.GetFilePath().IsEmpty());
  EXPECT_FALSE(annotation.hasLeaders);
  EXPECT_EQ(annotation.GetReferenceCount(), 0);

  std::vector<du::SmartPtr<LabelContent>> items = {Fixed("kept")};
  EXPECT_FALSE(annotation.GetTextContent(items));
  ASSERT_EQ(items.size(), 1u) << "without a label the caller's list stays as it was";
  EXPECT_EQ(items[0]->text, "kept");
}

TEST(TemplateModel, PartsStartWithTheirDefaults)
{
  const TextProperties text;
  EXPECT_EQ(text.font, "arial") << "lower case, unlike the getter's default face";
  EXPECT_FLOAT_EQ(text.size, 10.0f);
  EXPECT_EQ(text.sizeUnit, 3);
  EXPECT_EQ(text.decoration, "");
  EXPECT_EQ(text.color, 0u);

  const LineStyle style;
  EXPECT_FLOAT_EQ(style.weight, 1.0f);
  EXPECT_EQ(style.weightUnit, 3);
  EXPECT_EQ(style.color, 0u);
  EXPECT_FALSE(style.halo);
  EXPECT_EQ(style.haloColor, 0xFFFFFFu);
  EXPECT_EQ(style.dashes, 0) << "a style that names no pattern is solid";
  EXPECT_EQ(style.arrowStyle, 3);

  const TLabel label;
  EXPECT_FALSE(label.canEdit);
  EXPECT_EQ(label.shape, 0);
  EXPECT_EQ(label.fillColor, 0xFFFFFFu);
  EXPECT_EQ(label.text.font, "arial");
  EXPECT_TRUE(label.contents.empty());
  EXPECT_TRUE(TLeaders().styles.empty());

  TextProperties courier;
  courier.font = "Courier";
  const LabelContent fixed("Item", courier);
  EXPECT_EQ(fixed.isProperty, 0);
  EXPECT_EQ(fixed.text, "Item");
  EXPECT_EQ(fixed.propertyName, "");
  EXPECT_EQ(fixed.properties.font, "Courier");
  const LabelContent property("Metadata", "PartNumber", courier);
  EXPECT_EQ(property.isProperty, 1);
  EXPECT_EQ(property.text, "Metadata");
  EXPECT_EQ(property.propertyName, "PartNumber");
  courier.font = "Times";
  EXPECT_EQ(property.properties.font, "Courier") << "the attributes are copied, not referred to";
}

TEST(TemplateModel, LabelGettersReadTheLabel)
{
  TAnnotation annotation;
  annotation.label = new TLabel;
  EXPECT_EQ(annotation.GetTextFace(), "arial") << "a label's own default face";
  annotation.label->text.font = "Courier New";
  annotation.label->text.size = 3.5f;
  annotation.label->text.sizeUnit = 0;
  annotation.label->text.color = 0x336699;
  annotation.label->fillColor = 0xFF8000;
  annotation.label->shape = 12;
  EXPECT_EQ(annotation.GetTextFace(), "Courier New");
  EXPECT_FLOAT_EQ(annotation.GetFontSize(), 3.5f);
  EXPECT_EQ(annotation.GetFontSizeUnit(), 0);
  EXPECT_EQ(annotation.GetShape(), 12);
  ExpectColor(annotation.GetTextColor(), 0x33 / 255.0f, 0x66 / 255.0f, 0x99 / 255.0f);
  ExpectColor(annotation.GetFillColor(), 1.0f, 0x80 / 255.0f, 0.0f);
}

TEST(TemplateModel, LineGettersReadOnlyTheLastStyle)
{
  TAnnotation annotation;
  annotation.leaders = new TLeaders;
  EXPECT_EQ(annotation.GetLineStipple(), 3) << "leaders without styles give the defaults";

  annotation.leaders->styles.push_back(Style(4.0f, 1, 0xFF0000, 5, 7));
  annotation.leaders->styles.push_back(Style(2.5f, 2, 0x00FF00, 6, 8));
  annotation.leaders->styles.back()->halo = true;
  annotation.leaders->styles.back()->haloColor = 0x0000FF;
  EXPECT_FLOAT_EQ(annotation.GetLineWidth(), 2.5f);
  EXPECT_EQ(annotation.GetLineWidthUnit(), 2);
  EXPECT_EQ(annotation.GetLineStipple(), 6);
  EXPECT_EQ(annotation.GetArrowStyle(), 8);
  EXPECT_TRUE(annotation.GetHalo());
  ExpectColor(annotation.GetLineColor(), 0, 1, 0);
  ExpectColor(annotation.GetHaloColor(), 0, 0, 1);

  annotation.leaders->styles.push_back(nullptr);
  EXPECT_FLOAT_EQ(annotation.GetLineWidth(), 1.0f) << "an empty last entry gives the defaults";
  EXPECT_EQ(annotation.GetArrowStyle(), 3);
}

TEST(TemplateModel, NegativeLineWidthReadsAsZero)
{
  TAnnotation annotation;
  annotation.leaders = new TLeaders;
  annotation.leaders->styles.push_back(Style(-2.0f, 0, 0, 0, 3));
  EXPECT_FLOAT_EQ(annotation.GetLineWidth(), 0.0f);
  EXPECT_EQ(annotation.GetLineWidthUnit(), 0);
  annotation.leaders->styles.back()->weight = 0.0f;
  EXPECT_FLOAT_EQ(annotation.GetLineWidth(), 0.0f);
}

TEST(TemplateModel, TextContentGivesTheVeryItemsInOrder)
{
  du::SmartPtr<TAnnotation> annotation = WithItems({Fixed("a"), Property("System", "tqITM")});
  std::vector<du::SmartPtr<LabelContent>> items = {Fixed("replaced")};
  EXPECT_TRUE(annotation->GetTextContent(items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0] == annotation->label->contents[0]);
  EXPECT_TRUE(items[1] == annotation->label->contents[1]);

  annotation->label->contents.clear();
  EXPECT_FALSE(annotation->GetTextContent(items));
  EXPECT_TRUE(items.empty()) << "an empty label empties the caller's list";
}

TEST(TemplateModel, ItemListAndPropertyVisitorNeeds)
{
  const struct
  {
    std::vector<du::SmartPtr<LabelContent>> items;
    bool itemList;
    bool propertyVisitor;
  } cases[] = {
      {{Property("System", "tqITM")}, true, false},
      {{Property("system", "tqITM")}, false, true},
      {{Property("System", "tqitm")}, false, false},
      {{Property("System", "tqITM "), Property("System", "Name")}, false, false},
      {{Property("System", "tqITM"), Property("Metadata", "PartNumber")}, true, true},
      {{Fixed("System")}, false, false},
      {{Fixed("Metadata"), Fixed("PartNumber")}, false, false},
      {{Fixed("Metadata"), nullptr, Property("Metadata", "")}, false, true},
      {{}, false, false},
  };
  for (const auto& c : cases) {
    du::SmartPtr<TAnnotation> annotation(new TAnnotation);
    annotation->label = new TLabel;
    annotation->label->contents = c.items;
    EXPECT_EQ(annotation->RequiresItemList(), c.itemList) << c.items.size() << " items";
    EXPECT_EQ(annotation->RequiresPropertyVisitor(), c.propertyVisitor) << c.items.size() << " items";
  }
  TAnnotation withoutLabel;
  EXPECT_FALSE(withoutLabel.RequiresItemList());
  EXPECT_FALSE(withoutLabel.RequiresPropertyVisitor());
}

TEST(TemplateModel, CopySharesStylesAndItemsButNotLabelOrLeaders)
{
  du::SmartPtr<TAnnotation> source = WithItems({Fixed("a")});
  source->id = "id";
  source->hasLeaders = true;
  source->name = "name";
  source->description = "description";
  source->tooltip = "tooltip";
  source->thumbnail = "thumb.png";
  source->SetFilePath("templates.xml");
  source->dpi = 300.0f;
  source->label->shape = 3;
  source->leaders = new TLeaders;
  source->leaders->styles.push_back(Style(2.0f, 3, 0, 0, 1));

  du::SmartPtr<TAnnotation> copy(new TAnnotation(*source));
  EXPECT_EQ(copy->GetReferenceCount(), 1) << "a copy counts its own references";
  EXPECT_EQ(copy->id, "id");
  EXPECT_TRUE(copy->hasLeaders);
  EXPECT_EQ(copy->name, "name");
  EXPECT_EQ(copy->description, "description");
  EXPECT_EQ(copy->tooltip, "tooltip");
  EXPECT_EQ(copy->thumbnail, "thumb.png");
  EXPECT_EQ(copy->GetFilePath(), du::Symbol("templates.xml"));
  EXPECT_FLOAT_EQ(copy->GetDPI(), 300.0f);
  EXPECT_EQ(copy->GetShape(), 3);

  ASSERT_TRUE(copy->leaders && copy->label);
  EXPECT_TRUE(copy->leaders != source->leaders);
  EXPECT_TRUE(copy->label != source->label);
  EXPECT_TRUE(copy->leaders->styles[0] == source->leaders->styles[0]);
  EXPECT_TRUE(copy->label->contents[0] == source->label->contents[0]);

  copy->leaders->styles[0]->weight = 7.0f;
  EXPECT_FLOAT_EQ(source->GetLineWidth(), 7.0f) << "a shared style's change shows in the source";
  copy->leaders->styles.push_back(Style(9.0f, 3, 0, 0, 1));
  EXPECT_FLOAT_EQ(source->GetLineWidth(), 7.0f) << "the lists themselves are separate";
  copy->label->contents.push_back(Fixed("b"));
  EXPECT_EQ(source->label->contents.size(), 1u);
  copy->label = new TLabel;
  EXPECT_EQ(source->GetShape(), 3) << "replacing the copy's label leaves the source's alone";
}

TEST(TemplateModel, AssigningKeepsTheTargetsPartsWhereTheSourceHasNone)
{
  TAnnotation target;
  target.label = new TLabel;
  target.label->shape = 5;
  target.leaders = new TLeaders;
  const du::SmartPtr<TLabel> targetLabel = target.label;
  const du::SmartPtr<TLeaders> targetLeaders = target.leaders;

  TAnnotation source;
  source.name = "plain";
  TAnnotation& result = (target = source);
  EXPECT_EQ(&result, &target);
  EXPECT_EQ(target.name, "plain");
  EXPECT_TRUE(target.label == targetLabel);
  EXPECT_TRUE(target.leaders == targetLeaders);

  source.label = new TLabel;
  target = source;
  EXPECT_TRUE(target.label != targetLabel);
  EXPECT_TRUE(target.label != source.label);
  EXPECT_EQ(target.GetShape(), 0);
}

TEST(TemplateModel, SelfAssignmentKeepsEverything)
{
  du::SmartPtr<TAnnotation> annotation = WithItems({Fixed("a")});
  annotation->leaders = new TLeaders;
  annotation->leaders->styles.push_back(Style(2.0f, 3, 0, 0, 1));
  annotation->name = "self";
  const du::SmartPtr<LabelContent> item = annotation->label->contents[0];
  *annotation = *annotation;
  EXPECT_EQ(annotation->name, "self");
  ASSERT_EQ(annotation->label->contents.size(), 1u);
  EXPECT_TRUE(annotation->label->contents[0] == item);
  EXPECT_FLOAT_EQ(annotation->GetLineWidth(), 2.0f);
}

TEST(TemplateModel, LabelCopySharesItemsInItsOwnList)
{
  TLabel source;
  source.canEdit = true;
  source.shape = 6;
  source.fillColor = 0x123456;
  source.text.font = "Courier";
  source.contents.push_back(Fixed("a"));
  TLabel copy(source);
  EXPECT_TRUE(copy.canEdit);
  EXPECT_EQ(copy.shape, 6);
  EXPECT_EQ(copy.fillColor, 0x123456u);
  EXPECT_EQ(copy.text.font, "Courier");
  ASSERT_EQ(copy.contents.size(), 1u);
  EXPECT_TRUE(copy.contents[0] == source.contents[0]);
  copy.contents.clear();
  EXPECT_EQ(source.contents.size(), 1u);

  TLabel assigned;
  assigned = source;
  EXPECT_EQ(assigned.shape, 6);
  EXPECT_TRUE(assigned.contents[0] == source.contents[0]);
}

} // namespace
