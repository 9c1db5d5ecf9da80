#include <tqg/DatumAxis.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/SelectionItemRepresentation.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

namespace {

TEST(SelectionItemRepresentation, FieldsKeepTheirFirstPlaceAndAnswerOnlyForWhatIsThere)
{
  tqk::SelectionItemRepresentation representation(tqk::mcad_selection::Collection);
  representation.SetField("sbomInstanceId", "/a/b", true);
  representation.SetField("name", "Bracket", false);
  representation.SetField("sbomInstanceId", "/a/c", false);

  EXPECT_EQ(representation.GetContentType(), std::string("MCAD_Collection"));
  EXPECT_EQ(representation.GetFieldNames(), (std::vector<du::Symbol>{"sbomInstanceId", "name"}));
  std::string value = "stale";
  EXPECT_TRUE(representation.GetField("sbomInstanceId", value));
  EXPECT_EQ(value, "/a/c");
  EXPECT_FALSE(representation.IsFieldPartOfIdentity("sbomInstanceId")) << "replaced with its flag";
  EXPECT_FALSE(representation.GetField("missing", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(representation.IsFieldPartOfIdentity("missing"));
}

TEST(SelectionItems, ContentTypeTravelsIntoTheRepresentationAndGeometryItemsKnowTheirKind)
{
  du::SmartPtr<tqk::ObjectSelectionItem> part(new tqk::ObjectSelectionItem(nullptr));
  part->SetContentType(tqk::mcad_selection::Assembly);
  const du::ConstSmartPtr<tqk::SelectionItemRepresentation> written = part->GetRepresentation();
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetContentType(), tqk::mcad_selection::Assembly);
  EXPECT_TRUE(written->GetFieldNames().empty());

  du::SmartPtr<tqg::Geometry> axis(new tqg::DatumAxis(dg::DPoint3D(0, 0, 0), dg::DPoint3D(0, 0, 1)));
  du::SmartPtr<tqk::GeometrySelectionItem> picked(new tqk::GeometrySelectionItem(axis, part->GetObject()));
  EXPECT_EQ(picked->GetClassType(), tqk::GeometrySelectionItem::CLASS_TYPE);
  EXPECT_TRUE(picked->IsATypeOfId(tqk::Object::CLASS_TYPE));
  EXPECT_EQ(picked->GetGeometry(), axis);

  dg::DPoint3D point(9, 9, 9);
  EXPECT_FALSE(picked->GetPickPoint(point));
  EXPECT_EQ(point.x, 9.0);
  picked->SetPickPoint(dg::DPoint3D(1, 2, 3));
  EXPECT_TRUE(picked->GetPickPoint(point));
  EXPECT_EQ(point.z, 3.0);
}

} // namespace
