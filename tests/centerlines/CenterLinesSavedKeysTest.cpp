#include "SavedKeys.h"
#include "tests/centerlines/CenterLineFixtures.h"

namespace centerline_tests {
namespace {

using saved_keys::Key;

const char* const kPicks = "the picks: the host's annotation writes and reads them";
const char* const kJogs = "not read: the host's drawing hands the jogs over again";

const std::vector<Key> kKeys{
    {"id", std::uint64_t(9001)},
    {"contentType", {}, kPicks},
    {"field", {}, kPicks},
    {"value", {}, kPicks},
    {"identity", {}, kPicks},
    {"point1", dg::DPoint3D(81.5, 3.25, 1.75)},
    {"point2", dg::DPoint3D(82.25, 4.5, 6.125)},
    {"location1", dg::DPoint3D(-12.5, 7.75, 0.5)},
    {"location2", dg::DPoint3D(14.25, -6.5, 3.5)},
    {"csys", Turn(55, dg::DVec3(0.6, 0, 0.8))},
    {"jogsCount", {}, kJogs},
    {"jogs", {}, kJogs},
    {"anchorOffset", dg::DPoint3D(0.75, -1.5, 0.25)},
    {"endpointOffset", dg::DPoint3D(-0.5, 1.25, 2)},
    {"dragFactor", 0.3f},
    {"lineExtent1", 4.25f},
    {"lineExtent2", 5.75f},
    {"allwaysInFront", true},
    {"alongXYZ", true},
    {"attached", false},
    {"isHalo", true},
    {"lineWidth", 5.5f},
    {"xyzFlag", std::uint16_t(6)},
    {"lineStyle", std::int32_t(4)},
    {"arrowType", std::int32_t(7)},
    {"strokeColor", dg::Color(0.2f, 0.45f, 0.65f, 0.85f)},
    {"csysType", std::int32_t(2)},
};

using CenterLineSavedKey = ::testing::TestWithParam<Key>;

TEST_P(CenterLineSavedKey, IsReadBackAndKeepsThePicture)
{
  CenterLineStage stage(1);
  tqk::SerializedContentElement saved(du::Symbol("document")), given(du::Symbol("document"));
  stage.line->Visit(saved);
  ASSERT_TRUE(saved_keys::CopyWith(saved, given, kKeys, GetParam())) << "not saved";
  const CenterLineStage::Items picks = stage.Picked();
  stage.line->DetachScene();
  stage.line = new PagedLine(stage.line->GetPageNum());
  ASSERT_TRUE(stage.line->InitializeFromSerializedContent(given.GetEntries().at(0).child.get()));
  EXPECT_EQ(Without(Saved(*stage.line), {"save   jogs"}), Without(Saved(given), {"save   jogs"}))
      << "read back";
  // Shown and measured again, it draws as a line loaded from what it saves.
  stage.line->AttachScene(stage.builder.GetScene());
  stage.Pick(picks);
  const std::string shown = Without(Picture(*stage.line, stage.builder.GetView()), {"told", "identity"});
  std::string unshown;
  const du::SmartPtr<PagedLine> loaded = stage.Reopen(unshown);
  stage.Pick(picks, loaded);
  EXPECT_EQ(Without(Picture(*loaded, stage.builder.GetView()), {"told", "identity"}), shown);
  loaded->DetachScene();
}

INSTANTIATE_TEST_SUITE_P(EveryKey, CenterLineSavedKey, ::testing::ValuesIn(saved_keys::Valued(kKeys)),
                         saved_keys::KeyName);

} // namespace
} // namespace centerline_tests
