#pragma once

// Callouts of every kind drawn from a seed, each value from its whole range, as documents hold them.

#include "RandomDraw.h"
#include "callouts/CalloutFixtures.h"

namespace callout_test {

//! The kind after Callout::CALLOUT_TYPE's for which RandomCallout makes a combined callout.
constexpr int kCombined = 3;

//! Shown in the world's scene: a combined callout of one to three members of the other kinds, an
//! item callout, a note, or a callout with leaders: one to four on parts of every kind (a weld
//! member, a part of an assembly or on its own, picked in its assembly or not), some hidden, some
//! dimmed. Its template has any shape code (7 draws as a circle), sizes and widths in every unit,
//! any resolution (0: the default), fixed texts and properties; a kit or not, on any page.
inline du::SmartPtr<Callout> RandomCallout(CalloutWorld& world, tqtest::RandomDraw& draw, int kind)
{
  if (kind == kCombined) {
    CombinedCallout::Members members;
    for (unsigned count = 1 + draw.Below(3); count > 0; --count) {
      members.push_back(RandomCallout(world, draw, int(draw.Below(3))));
      members.back()->DetachScene();
    }
    du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
    combined->Initialize(members);
    combined->SetText(du::Symbol(std::to_string(members.size()) + " items"));
    combined->AttachScene(world.scene);
    return combined;
  }
  const du::SmartPtr<TAnnotation> definition = Template(kind != Callout::CALLOUT_NOTE);
  definition->id = "tpl-" + std::to_string(draw.Below(1000));
  definition->name = draw.Of({"Flange", "Nut \"M6\"", "Größe"});
  definition->dpi = draw.OneIn(4) ? 0 : draw.Step(48, 12, 30);
  TLabel& label = *definition->label;
  label.canEdit = draw.OneIn(2);
  label.shape = draw.Of({0, 1, 2, 3, 4, 5, 6, 7, 12});
  label.fillColor = draw.Colour().GetAsHex();
  label.text.font = draw.Of({"Arial", "Courier New", "Georgia"});
  label.text.size = draw.Step(0.25f, 0.25f, 80);
  label.text.sizeUnit = int(draw.Below(5));
  label.text.color = draw.Colour().GetAsHex();
  for (unsigned items = draw.Below(3); items > 0; --items)
    label.contents.push_back(draw.OneIn(2)
                                 ? new LabelContent("Qty " + std::to_string(items), label.text)
                                 : new LabelContent("System", draw.Of({"tqITM", "tqName"}), label.text));
  LineStyle& line = LineOf(definition);
  line.weight = draw.Step(0.125f, 0.125f, 40);
  line.weightUnit = int(draw.Below(5));
  line.color = draw.Colour().GetAsHex();
  line.halo = draw.OneIn(2);
  line.dashes = int(draw.Below(8));
  line.arrowStyle = int(draw.Below(9));
  CalloutInfo info;
  info.position = dg::DPoint3D(draw.Step(0, 0.5f, 500), draw.Step(20, 0.5f, 500), draw.Step(-4, 0.25f, 33));
  info.text = du::Symbol("Part " + std::to_string(draw.Below(999)) + draw.Of({"", "\nM8", " "}));
  info.pageNumber = int(draw.Below(12));
  info.physicalFontSize = draw.OneIn(2);
  const char* parts[][2] = {{"frame/plate", "frame"},
                            {"frame/rib", "frame"},
                            {"housing/bolt", "housing"},
                            {"housing/cover", "housing"},
                            {"pin", ""}};
  for (unsigned leaders = kind == Callout::CALLOUT_NOTE ? 0 : 1 + draw.Below(4); leaders > 0; --leaders) {
    const auto* part = parts[draw.Below(5)];
    info.leaderRecords.push_back(new CalloutLeaderInfo);
    CalloutLeaderInfo& record = *info.leaderRecords.back();
    record.shapeInstanceId = part[0];
    record.assemblyInstanceId = draw.OneIn(3) ? "" : part[1];
    record.anchor = dg::DPoint3D(draw.Step(0, 0.5f, 20), draw.Step(0, 0.5f, 20), draw.Step(0, 0.5f, 4));
    record.hidden = leaders > 1 && draw.OneIn(3); // one at least shows, so that the callout saves
  }
  du::SmartPtr<Callout> built(new Callout(info)), callout(new Callout);
  built->UpdateDefinition(definition);
  if (kind == Callout::CALLOUT_NOTE) {
    built->InitializeAsNote(definition);
    built->SetLabelPosition(info.position);
  } else if (kind == Callout::CALLOUT_ITEM)
    built->SetItemId(1 + draw.Below(99));
  built->SetAsKit(draw.OneIn(2));
  built->AttachScene(world.scene);
  for (unsigned index = 0; index < info.leaderRecords.size(); ++index)
    if (draw.OneIn(3))
      built->SetDimAtPos(true, index, kBlend);
  tqk::SerializedContentElement document;
  built->Visit(document);
  const std::string shown = Without(world.picture->Of(*built), {"told"});
  built->DetachScene();
  EXPECT_TRUE(callout->InitializeFromSerializedContent(document.GetEntries().at(0).child.get()));
  callout->AttachScene(world.scene);
  EXPECT_EQ(LabelIn(*world.scene) ? LabelIn(*world.scene)->GetPageNum() : -1, info.pageNumber)
      << "drawn off its page";
  EXPECT_TRUE(SamePicture(shown, Without(world.picture->Of(*callout), {"told"}))) << "loaded as built";
  return callout;
}

} // namespace callout_test
