#pragma once

// Two callouts and two combined callouts in which no value can pass for another: every colour
// has three different channels, widths are above one pixel, font and size are not the
// preferences', anchors sit at different heights on a plain part, an assembly's part and a weld
// member, page and ids are not zero, and the second of each kind has every flag the other way.

#include "callouts/CalloutPicture.h"
#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CombinedCallout.h>
#include <tqk/AnnoSet.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <string>

namespace callout_test {

//! Packs 0xRRGGBB for templates.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
  return r << 16 | g << 8 | b;
}

//! The colour dimmed markups blend towards: the mean of the fixture view's two background colours.
const dg::Color kBlend(0.75f, 0.625f, 0.125f, 1);

//! The template of fixture 0 or 1; 2 and 3 are templates whose every value differs from both
//! fixtures' and from the preferences'.
inline du::SmartPtr<TAnnotation> FixtureTemplate(int which)
{
  const du::SmartPtr<TAnnotation> definition = Template();
  const char* ids[] = {"tpl-a", "tpl-b", "tpl-c", "tpl-d"};
  const char* names[] = {"Alpha", "Beta", "Gamma", "Delta"};
  const char* fonts[] = {"Verdana", "Courier New", "Georgia", "Tahoma"};
  const int shapes[] = {3, 12, 6, 5};
  const std::uint32_t fills[] = {Rgb(0x20, 0x60, 0xA0), Rgb(0xE0, 0xC0, 0x20), Rgb(0x40, 0x80, 0xF0),
                                 Rgb(0xB0, 0x30, 0x60)};
  const std::uint32_t texts[] = {Rgb(0xC0, 0x40, 0x10), Rgb(0x30, 0xD0, 0x70), Rgb(0x80, 0x20, 0x10),
                                 Rgb(0x20, 0x50, 0x90)};
  const std::uint32_t lines[] = {Rgb(0x10, 0xA0, 0x40), Rgb(0x90, 0x20, 0xB0), Rgb(0xF0, 0x60, 0x10),
                                 Rgb(0x60, 0xF0, 0x30)};
  const float fontSizes[] = {15, 4, 0.5f, 0.25f};
  const int fontUnits[] = {3, 0, 1, 2};
  const float weights[] = {3, 0.8f, 2, 0.4f};
  const int weightUnits[] = {3, 0, 3, 1};
  definition->id = ids[which];
  definition->name = names[which];
  definition->dpi = 120.0f + 24.0f * which;
  definition->label->shape = shapes[which];
  definition->label->fillColor = fills[which];
  definition->label->text.font = fonts[which];
  definition->label->text.size = fontSizes[which];
  definition->label->text.sizeUnit = fontUnits[which];
  definition->label->text.color = texts[which];
  LineStyle& line = LineOf(definition);
  line.weight = weights[which];
  line.weightUnit = weightUnits[which];
  line.color = lines[which];
  line.halo = which != 1;
  line.haloColor = Rgb(0x50, 0x10, 0xE0);
  line.dashes = 2 + 3 * which;
  line.arrowStyle = 6 + which;
  return definition;
}

//! The sample illustration, a top-level part "pin" standing 6 higher than the others at x = 100,
//! and an annotation set, with pictures taken through the illustration's view.
struct CalloutWorld : ::testing::Test
{
  void SetUp() override
  {
    liveBefore = tqk::MemoryPoolAllocated::GetLiveCount();
    history().Clear();
    illustration.BuildSample();
    illustration.AddBoxPart(nullptr, "pin", dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 10, 2),
                            Translation(100, 20, 6));
    scene = illustration.GetScene();
    scene->SetAnnoSet(new tqk::AnnoSet);
    illustration.GetView()->SetBackgroundColors(dg::Color(1, 0.5f, 0, 1), dg::Color(0.5f, 0.75f, 0.25f, 1),
                                                dg::Color(0.25f, 0.125f, 0.5f, 1));
    picture.reset(new CalloutPicture(scene, illustration.GetView()));
  }
  void TearDown() override
  {
    history().Clear();
    picture.reset();
    for (const du::SmartPtr<tqk::Annotation>& annotation : scene->GetAnnoSet()->GetAnnotations())
      scene->GetAnnoSet()->RemoveAnnotationFromSet(annotation, nullptr);
    scene->SetAnnoSet(nullptr);
    scene.Reset();
    illustration.TearDown();
    EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), liveBefore) << "something was left alive";
  }

  static tqk::UndoHistory& history() { return tqk::World::GetWorld()->GetUndoHistory(); }

  du::SmartPtr<tqk::BaseInstance> Node(const char* idPath) const
  {
    return illustration.GetTree()->FindInstance(du::Symbol(idPath));
  }

  //! Fixture 0 or 1, as a document holds it: built as the host builds a callout from its values
  //! and a template, given its item id and flags, shown, saved, and loaded into the callout
  //! returned; that one is shown in the scene unless show is false.
  du::SmartPtr<Callout> MakeCallout(int which, bool show = true)
  {
    const bool second = which == 1;
    CalloutInfo info;
    info.position = second ? dg::DPoint3D(14, 31, 3.5) : dg::DPoint3D(-6, 27, 1.5);
    info.text = du::Symbol(second ? "Wing nut\n4 off" : "Ab\ncd 42");
    info.pageNumber = second ? 3 : 5;
    info.physicalFontSize = !second;
    const char* parts[] = {"frame/plate", "housing/bolt", "pin"};
    const char* assemblies[] = {"frame", "housing", ""};
    const dg::DPoint3D anchors[2][3] = {{{2, 7, 2}, {4, 6, 1.5}, {3, 4, 0.5}},
                                        {{8, 3, 1}, {7, 2, 0.5}, {6, 8, 2}}};
    for (int index = 0; index < 3; ++index) {
      info.leaderRecords.push_back(new CalloutLeaderInfo);
      info.leaderRecords.back()->shapeInstanceId = parts[index];
      info.leaderRecords.back()->assemblyInstanceId = assemblies[index];
      info.leaderRecords.back()->anchor = anchors[which][index];
    }
    info.leaderRecords[2]->hidden = second;
    du::SmartPtr<Callout> built(new Callout(info));
    built->UpdateDefinition(FixtureTemplate(which));
    if (!second) {
      built->SetItemId(7);
      built->SetAsKit(true);
    }
    built->AttachScene(scene);
    if (!second)
      built->SetDimAtPos(true, 1, kBlend);
    tqk::SerializedContentElement document;
    built->Visit(document);
    const std::string read = CalloutPicture::Read(*built);
    built->DetachScene();
    du::SmartPtr<Callout> callout(new Callout);
    EXPECT_TRUE(callout->InitializeFromSerializedContent(document.GetEntries().at(0).child.get()));
    callout->AttachScene(scene);
    EXPECT_TRUE(SamePicture(read, CalloutPicture::Read(*callout))) << "loaded as built";
    if (!show)
      callout->DetachScene();
    else
      scene->GetAnnoSet()->AddAnnotation(callout);
    return callout;
  }

  //! Combined fixture 0 or 1: the callout fixture (not shown) and a callout on "frame/rib", or
  //! those two the other way round, combined and shown.
  du::SmartPtr<CombinedCallout> MakeCombined(int which)
  {
    du::SmartPtr<Callout> rib(new Callout);
    rib->Initialize(FixtureTemplate(2), illustration.FindPart("frame/rib"), false, Node("frame"));
    rib->SetLabelPosition(dg::DPoint3D(1, 33, 4));
    rib->SetItemId(11);
    rib->SetText(du::Symbol("Rib"));
    // a look of its own, away from its template's, for the combined callout to take
    dg::Color violet(0, 0, 0, 1);
    violet.SetRGB(160, 64, 224);
    rib->SetFontColor(violet);
    rib->SetHalo(false);
    CombinedCallout::Members members{MakeCallout(which, false), rib};
    if (which == 1)
      std::swap(members[0], members[1]);
    du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
    combined->Initialize(members);
    for (const du::SmartPtr<Callout>& member : members)
      if (member->GetShapeInstanceAtPos(0)) {
        EXPECT_EQ(combined->GetShapeInstanceAtPos(0), member->GetShapeInstanceAtPos(0));
        EXPECT_EQ(combined->GetAssemblyInstanceAtPos(0), member->GetAssemblyInstanceAtPos(0));
        break;
      }
    EXPECT_EQ(combined->GetFontColor(), members[0]->GetFontColor()) << "the first member's look";
    EXPECT_EQ(combined->GetHalo(), members[0]->GetHalo());
    combined->SetText(du::Symbol(which == 1 ? "11, 7" : "7, 11"));
    scene->GetAnnoSet()->AddAnnotation(combined);
    combined->AttachScene(scene);
    return combined;
  }

  std::size_t liveBefore = 0;
  tqk::illustration::IllustrationBuilder illustration;
  du::SmartPtr<tqk::illustration::Illustration3dScene> scene;
  std::unique_ptr<CalloutPicture> picture;
  //! The picture before the action under test.
  std::string before;
};

} // namespace callout_test
