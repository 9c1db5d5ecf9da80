#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/SelectionItemRepresentation.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

namespace {

using tqk::illustration::SbomInstance;
using tqk::illustration::SbomInstanceSelectionItem;

TEST(SbomInstanceSelectionItem, IsWrittenDownByItsIdPathAndStandsOnTheFirstInstanceBelowAWeld)
{
  du::SmartPtr<SbomInstance> weld(new SbomInstance("top/frame", "Frame", ""));
  du::SmartPtr<SbomInstance> plate(new SbomInstance("top/frame/plate", "Plate", "e/plate"));
  du::SmartPtr<SbomInstance> rib(new SbomInstance("top/frame/rib", "Rib", "e/rib"));
  weld->SetWeld(true);
  weld->AddChild(plate);
  weld->AddChild(rib);
  du::SmartPtr<tqk::Instance> plateInstance(new tqk::Instance("e/plate"));
  du::SmartPtr<tqk::Instance> ribInstance(new tqk::Instance("e/rib"));
  plate->SetEbomInstance(plateInstance);
  rib->SetEbomInstance(ribInstance);

  du::SmartPtr<SbomInstanceSelectionItem> item(new SbomInstanceSelectionItem(weld));
  item->SetContentType(tqk::mcad_selection::Collection);
  EXPECT_TRUE(item->AddMemberItem(new tqk::ObjectSelectionItem(plateInstance)));
  EXPECT_FALSE(item->AddMemberItem(nullptr));
  EXPECT_EQ(item->GetMemberItems().size(), 1u);

  const du::ConstSmartPtr<tqk::SelectionItemRepresentation> written = item->GetRepresentation();
  EXPECT_EQ(written->GetContentType(), std::string("MCAD_Collection"));
  EXPECT_EQ(written->GetFieldNames(), std::vector<du::Symbol>{SbomInstanceSelectionItem::ID_FIELD});
  EXPECT_TRUE(written->IsFieldPartOfIdentity("sbomInstanceId"));
  std::string id;
  written->GetField("sbomInstanceId", id);
  EXPECT_EQ(id, "top/frame");

  EXPECT_EQ(item->GetPickedInstance(), plateInstance) << "the weld has none of its own";
  EXPECT_EQ(SbomInstanceSelectionItem(rib).GetPickedInstance(), ribInstance);
  EXPECT_FALSE(SbomInstanceSelectionItem(nullptr).GetPickedInstance());
  EXPECT_TRUE(SbomInstanceSelectionItem(nullptr).GetRepresentation()->GetFieldNames().empty());
}

TEST(SbomInstanceSelectionItem, AnItemCannotBeAMemberOfItselfSoItsItemsAreFreed)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount();
  {
    du::SmartPtr<SbomInstance> frame(new SbomInstance("frame", "Frame", "frame"));
    du::SmartPtr<SbomInstanceSelectionItem> outer(new SbomInstanceSelectionItem(frame));
    du::SmartPtr<SbomInstanceSelectionItem> inner(new SbomInstanceSelectionItem(frame));
    ASSERT_TRUE(outer->AddMemberItem(inner));
    EXPECT_FALSE(outer->AddMemberItem(outer));
    EXPECT_FALSE(inner->AddMemberItem(outer)) << "outer has inner among its members";
    EXPECT_TRUE(inner->GetMemberItems().empty());
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), before);
}

} // namespace
