#include "callouts/CalloutFixtures.h"
#include "callouts/RandomCallout.h"
#include "common/ValueOperators.h"

#include <tqannotations/CalloutOperationStep.h>
#include <tqannotations/MarkupDrag.h>

#include <tqk/Kernel.h>
#include <tqk/RecordOperation.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <regex>

namespace {

using namespace callout_test;

//! What a user does to a callout, as the host passes it on, and what the properties expect of it.
struct Entry
{
  using Action = std::function<void(CalloutWorld&, Callout&)>;

  Entry(const char* entryName, Action action) : name(entryName), act(std::move(action)) {}
  //! The action records one operation in the undo history.
  Entry& Undoable() { return undoable = true, *this; }
  //! The action leaves what is seen as it was.
  Entry& Keeps() { return keeps = true, *this; }
  //! The annotation set hears of the change.
  Entry& Tells() { return tells = true, *this; }
  //! What the host does again to a callout that takes this one's place in the scene.
  Entry& Again(Action action) { return again = std::move(action), *this; }
  //! Brings the fixture into the state the action starts from.
  Entry& From(Action action) { return prepare = std::move(action), *this; }
  //! The action takes parts away, whose leaders a loaded or cloned callout keeps as records
  //! only: only the drawn pictures compare.
  Entry& PartsGone() { return partsGone = true, *this; }
  //! Lines of the picture after the action that contain these texts, which none before did.
  Entry& Shows(std::initializer_list<const char*> texts) { return shows.assign(texts), *this; }
  //! Checks of the values after the action.
  Entry& Expect(Action check) { return expect = std::move(check), *this; }
  //! A note takes the action as well.
  Entry& Notes() { return notes = true, *this; }

  const char* name;
  Action act, again, prepare, expect;
  std::vector<const char*> shows;
  bool undoable = false, keeps = false, tells = false, partsGone = false, notes = false;
};

std::string Seen(const std::string& picture) { return Without(picture, {"annotation set told"}); }

du::SmartPtr<tqk::Operation> HostOperation(CalloutWorld& world)
{
  return new tqk::Operation("Edit", world.scene, true);
}

//! A look change made as the host makes it: an undo step on the callout before the change, each
//! new value given to the callout and to the step, the operation recorded.
void Restyle(CalloutWorld& world, Callout& callout,
             const std::function<void(Callout&, CalloutOperationStep&)>& edit)
{
  du::SmartPtr<CalloutOperationStep> step(new CalloutOperationStep(&callout));
  edit(callout, *step);
  EXPECT_EQ(step->GetOperationName().GetText(), "Edit " + callout.GetShortObjectDescription())
      << "undo entry";
  du::SmartPtr<tqk::Operation> operation = HostOperation(world);
  operation->AddStep(step);
  tqk::RecordOperation(operation);
}

//! Drags the markup from the scene pixel under its point by the offset, as the user does.
void Drag(CalloutWorld& world, const du::SmartPtr<tqk::Markup>& markup, const dg::DPoint3D& from, int dx,
          int dy)
{
  MarkupDrag drag(markup, world.illustration.GetView());
  const int x = int(std::lround(from.x)), y = int(std::lround(from.y));
  ASSERT_TRUE(drag.StartAt(x, y)) << "a grab point at " << x << " " << y;
  drag.Step(dg::DVec3(dx, dy, 0));
  ASSERT_TRUE(drag.Stop(x + dx, y + dy, HostOperation(world)));
  tqk::Kernel::GetKernel()->PumpQueue();
}

//! Where the picture before the action draws the label.
dg::DPoint3D LabelBefore(const CalloutWorld& world)
{
  std::smatch at;
  EXPECT_TRUE(std::regex_search(world.before, at, std::regex("\n    at \\(([^ ]+) ([^ ]+) ([^ ]+)\\)")));
  return at.empty() ? dg::DPoint3D() : dg::DPoint3D(std::stod(at[1]), std::stod(at[2]), std::stod(at[3]));
}

du::SmartPtr<CalloutLeader> LastLeaderIn(const tqk::Scene& scene)
{
  du::SmartPtr<CalloutLeader> last;
  for (const du::SmartPtr<tqk::Markup>& markup : scene.GetMarkups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      last = leader;
  return last;
}

du::SmartPtr<CalloutLeader> LeaderOn(const tqk::Scene& scene, const du::SmartPtr<tqk::ShapeInstance>& part)
{
  for (const du::SmartPtr<tqk::Markup>& markup : scene.GetMarkups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      if (leader->GetShapeInstance() == part)
        return leader;
  return nullptr;
}

//! Where a drag drops the leader's anchor end: a point of the view on the leader's part.
dg::DPoint3D DropPoint(CalloutLeader& leader)
{
  const dg::DPoint3D corner = leader.GetShapeInstance()->GetLocation().GetPosition();
  return dg::DPoint3D(corner.x + 4, corner.y + 3, 0);
}

void RemovePart(CalloutWorld& world, Callout& callout, const char* idPath)
{
  const du::SmartPtr<tqk::ShapeInstance> part = world.illustration.FindPart(idPath);
  ASSERT_TRUE(part);
  world.scene->RemoveShapeInstance(part);
  callout.DetachSubsetScene(idPath);
}

//! Colours as the host's colour picker gives them, in 8 bits a channel.
dg::Color Picked(int r, int g, int b)
{
  dg::Color colour(0, 0, 0, 1);
  colour.SetRGB(r, g, b);
  return colour;
}

const dg::Color kNewLine = Picked(64, 128, 192), kNewText = Picked(192, 32, 128),
                kNewFill = Picked(128, 224, 64);

//! What every picture must show: each leader drawn starts at a framed label, is on a part shown in
//! the scene, its anchor end where its anchor lies on that part, as wide as its points are at the
//! template's resolution, its arrow heads sized for its width and, unless it is dimmed, the
//! callout's line colour, stipple and halo, on the callout's page.
void ExpectDrawnConsistently(CalloutWorld& world, Callout& callout)
{
  const du::SmartPtr<tqk::ShapeScene> scene = world.scene;
  for (const du::SmartPtr<tqk::Markup>& markup : scene->GetMarkups()) {
    const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup);
    if (!leader || !leader->IsVisible())
      continue;
    const du::SmartPtr<tqk::ShapeInstance> part = leader->GetShapeInstance();
    ASSERT_TRUE(part);
    EXPECT_EQ(leader->GetPageNum(), callout.GetPageNum()) << "a leader on another page than its callout";
    EXPECT_EQ(scene->GetShapeInstance(part->GetInstance()), part) << "a leader on a part not in the scene";
    EXPECT_TRUE(part->IsVisible()) << "a leader on a hidden part";
    const dg::DPoint3D end = leader->GetPoints().at(1), anchor = leader->GetAnchor() * part->GetLocation();
    EXPECT_EQ(PointText(end), PointText(anchor)) << "the anchor end off the anchor";
    const du::SmartPtr<tqmk::CalloutLabel> label = LabelIn(*scene);
    if (label && label->IsVisible() && label->GetShape() != tqmu::ModelNote::NO_SHAPE) {
      EXPECT_EQ(PointText(leader->GetPoints().at(0)), PointText(label->GetPos()))
          << "the label end off the label";
    }
    const float dpi = callout.GetDefinition() ? callout.GetDefinition()->GetDPI() : 0;
    EXPECT_EQ(leader->GetLineWidth(),
              std::max(1, int((dpi > 0 ? dpi : 96) * callout.GetLineWidth() / 72 + 0.5f)));
    EXPECT_EQ(leader->GetArrowSize(), 4 * leader->GetLineWidth()) << "arrow heads for another width";
    EXPECT_EQ(leader->GetStipple(), callout.GetLineStipple());
    if (!leader->IsDim()) {
      EXPECT_EQ(leader->GetLineColor(), callout.GetLineColor());
      EXPECT_EQ(leader->HasHalo(), callout.GetHalo());
    }
  }
}

int Count(const std::string& picture, const char* text)
{
  int count = 0;
  for (std::size_t at = picture.find(text); at != std::string::npos; at = picture.find(text, at + 1))
    ++count;
  return count;
}

//! The number of leaders drawn changes by the difference.
Entry::Action DrawnLeadersChangeBy(int difference)
{
  return [difference](CalloutWorld& w, Callout&) {
    int drawn = 0;
    for (const du::SmartPtr<tqk::Markup>& markup : w.scene->GetMarkups())
      drawn += du::SmartPtr<CalloutLeader>::DynamicCast(markup) && markup->IsVisible();
    EXPECT_EQ(drawn, Count(w.before, "tqmk::LeaderLine, page") + difference);
  };
}

//! Hides the last leader shown and takes it out of the scene, as removing it does.
void RemoveLastLeader(CalloutWorld& world, Callout& callout)
{
  du::SmartPtr<CalloutLeader> last;
  for (const du::SmartPtr<tqk::Markup>& markup : world.scene->GetMarkups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      last = leader;
  ASSERT_TRUE(last);
  last->SetHidden(true);
  callout.DetachSubsetScene(last->GetShapeInstanceId());
}

//! Parts with leaders of the fixtures.
const char* const kMovedParts[] = {"pin", "housing/bolt", "frame/rib", "frame/plate"};

const std::vector<Entry>& CalloutCatalogue()
{
  static const std::vector<Entry> entries{
      Entry("place",
            [](CalloutWorld& w, Callout& c) {
              c.Initialize(FixtureTemplate(3), w.illustration.FindPart("housing/cover"), true, nullptr);
              c.AttachScene(w.scene);
            })
          .Notes()
          .Tells()
          .Shows({"record \"housing/cover\" anchor (5 5 1)", "definition \"tpl-d\" \"Delta\"", "size 18,"}),
      Entry("add a leader",
            [](CalloutWorld& w, Callout& c) {
              c.ConnectLeader(c.CreateCalloutLeader(dg::DPoint3D(1, 8, 1.5),
                                                    w.illustration.FindPart("frame/rib"), w.Node("frame")));
              c.AttachScene(w.scene);
            })
          .Tells()
          .Shows({"markup on \"frame/rib\" in \"frame\" anchor (1 8 1.5), attached yes"})
          .Expect(DrawnLeadersChangeBy(1)),
      Entry("remove a leader", RemoveLastLeader).Tells().Expect(DrawnLeadersChangeBy(-1)),
      Entry("move the label",
            [](CalloutWorld& w, Callout&) { Drag(w, LabelIn(*w.scene), LabelIn(*w.scene)->GetPos(), 9, -4); })
          .Notes()
          .Undoable()
          .Expect([](CalloutWorld& w, Callout&) {
            EXPECT_EQ(PointText(LabelIn(*w.scene)->GetPos()),
                      PointText(LabelBefore(w) + dg::DVec3(9, -4, 0)));
          }),
      Entry("drag an anchor",
            [](CalloutWorld& w, Callout&) {
              // the last leader drawn: the callouts' leader in an assembly or on the raised part
              const du::SmartPtr<CalloutLeader> leader = LastLeaderIn(*w.scene);
              const dg::DPoint3D anchor = leader->GetPoints().at(1), target = DropPoint(*leader);
              Drag(w, leader, anchor, int(target.x - std::lround(anchor.x)),
                   int(target.y - std::lround(anchor.y)));
            })
          .Undoable()
          .Tells()
          .Expect([](CalloutWorld& w, Callout&) {
            const du::SmartPtr<CalloutLeader> leader = LastLeaderIn(*w.scene);
            const dg::DPoint3D end = leader->GetPoints().at(1), target = DropPoint(*leader);
            EXPECT_EQ(PointText(dg::DPoint3D(end.x, end.y, 0)), PointText(target)) << "dropped on the part";
          }),
      Entry("drop an anchor deep in its weld",
            [](CalloutWorld& w, Callout& c) {
              // leader 0 stands in the weld "frame"; the drop lands on a part two levels below it
              const du::SmartPtr<CalloutLeader> leader = LeaderOn(*w.scene, c.GetShapeInstanceAtPos(0));
              const dg::DPoint3D anchor = leader->GetPoints().at(1);
              Drag(w, leader, anchor, 84 - int(std::lround(anchor.x)), 43 - int(std::lround(anchor.y)));
            })
          .From([](CalloutWorld& w, Callout&) {
            w.illustration.AddBoxPart(
                w.illustration.AddAssembly(w.illustration.GetTree()->FindInstance(du::Symbol("frame")),
                                           "bracket"),
                "clip", dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 10, 2), Translation(80, 40, 0), false);
          })
          .Undoable()
          .Tells()
          .Expect([](CalloutWorld& w, Callout& c) {
            const dg::DPoint3D end = LeaderOn(*w.scene, c.GetShapeInstanceAtPos(0))->GetPoints().at(1);
            EXPECT_EQ(PointText(dg::DPoint3D(end.x, end.y, 0)), PointText(dg::DPoint3D(84, 43, 0)));
          }),
      Entry("hide", [](CalloutWorld&, Callout& c) { c.HideAnnotation(); })
          .Notes()
          .Again([](CalloutWorld&, Callout& c) { c.HideAnnotation(); })
          .Expect([](CalloutWorld& w, Callout&) {
            for (const du::SmartPtr<tqk::Markup>& markup : w.scene->GetMarkups())
              EXPECT_FALSE(markup->IsVisible());
          }),
      Entry("hide and show",
            [](CalloutWorld&, Callout& c) {
              c.HideAnnotation();
              c.ShowAnnotation();
            })
          .Notes()
          .Keeps(),
      Entry("select", [](CalloutWorld& w, Callout& c) { c.OnSetSelected(true, w.illustration.GetView()); })
          .Notes()
          .Again([](CalloutWorld& w, Callout& c) { c.OnSetSelected(true, w.illustration.GetView()); })
          .Expect([](CalloutWorld& w, Callout&) {
            for (const du::SmartPtr<tqk::Markup>& markup : w.scene->GetMarkups())
              EXPECT_TRUE(markup->IsSelected(w.illustration.GetView()));
          }),
      Entry("show all leaders",
            [](CalloutWorld& w, Callout& c) {
              du::SmartPtr<tqk::Operation> operation = HostOperation(w);
              c.ShowAllLeaders(operation);
              tqk::RecordOperation(operation);
            })
          .Undoable()
          .From(RemoveLastLeader)
          .Expect([](CalloutWorld& w, Callout& c) {
            EXPECT_EQ(Count(w.picture->Drawn(c), "tqmk::LeaderLine, page"), int(c.GetLeaderLineCount(false)));
          }),
      Entry("dim", [](CalloutWorld&, Callout& c) { c.SetDimAtPos(true, 0, kBlend); })
          .Expect([](CalloutWorld& w, Callout& c) {
            ASSERT_TRUE(c.IsDimAtPos(0));
            // a quarter of the line colour over the blend colour, faint, without halo
            const dg::Color line = c.GetLineColor(),
                            drawn = LeaderOn(*w.scene, c.GetShapeInstanceAtPos(0))->GetLineColor();
            const auto mixed = [](float colour, float blend) {
              return PointText(dg::DPoint3D(blend + (colour - blend) / 4, 0, 0));
            };
            EXPECT_EQ(PointText(dg::DPoint3D(drawn.r, 0, 0)), mixed(line.r, kBlend.r));
            EXPECT_EQ(PointText(dg::DPoint3D(drawn.g, 0, 0)), mixed(line.g, kBlend.g));
            EXPECT_EQ(PointText(dg::DPoint3D(drawn.b, drawn.a, 0)),
                      PointText(dg::DPoint3D(kBlend.b + (line.b - kBlend.b) / 4, 0.3f, 0)));
            EXPECT_FALSE(LeaderOn(*w.scene, c.GetShapeInstanceAtPos(0))->HasHalo());
          }),
      Entry("restyle the leaders",
            [](CalloutWorld& w, Callout& c) {
              Restyle(w, c, [](Callout& callout, CalloutOperationStep& step) {
                callout.SetLineColor(kNewLine), step.SetLineColor(kNewLine);
                callout.SetLineWidth(4.9f), step.SetLineWeight(4.9f); // 6.53 px
                callout.SetLineStipple(7), step.SetLineStipple(7);
                callout.SetArrowStyle(1), step.SetHead(1);
                // Off first, so that the fixture with a dimmed leader has its halo set again too.
                callout.SetHalo(false), callout.SetHalo(true), step.SetHalo(true);
              });
            })
          .Undoable()
          .Shows({"rgba(0.25098 0.501961 0.752941 1), stipple 7 scale 3, arrows 1 size",
                  "line 4.9 pt rgba(0.25098 0.501961 0.752941 1), stipple 7, arrows 1"}),
      Entry("restyle the label",
            [](CalloutWorld& w, Callout& c) {
              Restyle(w, c, [](Callout& callout, CalloutOperationStep& step) {
                callout.SetFontSize(19), step.SetFontSize(19);
                callout.SetFontColor(kNewText), step.SetFontColor(kNewText);
                callout.SetBackgroundColor(kNewFill), step.SetFillColor(kNewFill);
                callout.SetShape(tqmu::ModelNote::SQUARE), step.SetShape(tqmu::ModelNote::SQUARE);
              });
            })
          .Notes()
          .Undoable()
          .Shows({"size 19,",
                  "text rgba(0.752941 0.12549 0.501961 1) on rgba(0.501961 0.878431 0.25098 1), shape 1\n"}),
      Entry("restyle the halo",
            [](CalloutWorld& w, Callout& c) {
              Restyle(w, c, [](Callout& callout, CalloutOperationStep& step) {
                callout.SetHalo(!callout.GetHalo()), step.SetHalo(callout.GetHalo());
              });
            })
          .Notes()
          .Undoable(),
      Entry("re-text",
            [](CalloutWorld& w, Callout& c) {
              Restyle(w, c, [](Callout& callout, CalloutOperationStep& step) {
                callout.SetText(du::Symbol("Hex bolt\nM8 x 40")),
                    step.SetText(du::Symbol("Hex bolt\nM8 x 40"));
              });
            })
          .Notes()
          .Undoable()
          .Tells()
          .Shows({"displaytext = symbol \"Hex bolt", ": Hex bolt M8 \""}),
      Entry("apply a template", [](CalloutWorld&, Callout& c) { c.UpdateDefinition(FixtureTemplate(3)); })
          .Notes()
          .From([](CalloutWorld&, Callout& c) { c.SetHalo(false); })
          .Shows({"definition \"tpl-d\" \"Delta\"", "font Tahoma", ", shape 5", "shape 5, dim", "size 18,",
                  "line 11.3386 pt"})
          .Expect([](CalloutWorld& w, Callout& c) {
            // the halo set on the callout stays unless the template's own changed: only "tpl-b" has none
            EXPECT_EQ(c.GetHalo(), w.before.find("\n  definition \"tpl-b\"") != std::string::npos);
          }),
      Entry("change the resolution",
            [](CalloutWorld&, Callout& c) {
              du::SmartPtr<TAnnotation> definition(new TAnnotation(*c.GetDefinition()));
              definition->dpi = 300;
              c.UpdateDefinition(definition);
            })
          .Notes()
          .From([](CalloutWorld&, Callout& c) { c.SetLineColor(kNewLine), c.SetLineStipple(7); })
          .Expect([](CalloutWorld&, Callout& c) { // the template's own did not change: the user's stay
            EXPECT_EQ(c.GetLineColor(), kNewLine);
            EXPECT_EQ(c.GetLineStipple(), 7);
          })
          .Shows({"dpi 300"}),
      Entry("move a part",
            [](CalloutWorld& w, Callout& c) {
              for (const char* idPath : {"frame/plate", "housing/bolt", "frame/rib"}) {
                const du::SmartPtr<tqk::ShapeInstance> part = w.illustration.FindPart(idPath);
                const dg::DPoint3D at = part->GetLocation().GetPosition();
                w.scene->SetShapeInstanceLocation(part, Translation(at.x + 3, at.y - 2, at.z + 4));
                c.OnShapeInstanceLocation(part);
              }
            })
          .From([](CalloutWorld& w, Callout& c) {
            // one more leader on leader 0's part; a combined callout keeps its single leader
            if (!dynamic_cast<CombinedCallout*>(&c))
              c.ConnectLeader(
                  c.CreateCalloutLeader(dg::DPoint3D(9, 1, 2), c.GetShapeInstanceAtPos(0), w.Node("frame")));
            c.AttachScene(w.scene);
          })
          .Tells()
          .Expect([](CalloutWorld& w, Callout& c) {
            // the label keeps its place in the scene, unless its only leader's part takes it along
            const dg::DVec3 by = c.GetLeaderLineCount(false) == 1 ? dg::DVec3(3, -2, 4) : dg::DVec3();
            EXPECT_EQ(PointText(LabelIn(*w.scene)->GetPos()), PointText(LabelBefore(w) + by));
          }),
      Entry("hide a part",
            [](CalloutWorld& w, Callout& c) {
              for (const char* idPath : kMovedParts) {
                w.scene->SetVisibility({w.illustration.FindPart(idPath)->GetInstance()}, false, true);
                c.SetVisible(idPath, false);
              }
            })
          .Tells()
          .PartsGone(),
      Entry("remove a part",
            [](CalloutWorld& w, Callout& c) {
              for (const char* idPath : kMovedParts)
                RemovePart(w, c, idPath);
            })
          .Tells()
          .PartsGone()
          .Again([](CalloutWorld&, Callout& c) {
            for (const char* idPath : kMovedParts)
              c.DetachSubsetScene(idPath);
          }),
      Entry("re-create a part",
            [](CalloutWorld& w, Callout& c) {
              for (const char* idPath : kMovedParts) {
                const du::SmartPtr<tqk::ShapeInstance> part = w.illustration.FindPart(idPath);
                const dg::DPoint3D at = part->GetLocation().GetPosition();
                RemovePart(w, c, idPath);
                c.OnShapeInstanceCreate(w.scene->CreateShapeInstance(part->GetInstance(), part->GetShape(),
                                                                     Translation(at.x, 12, -3)));
              }
              c.AttachScene(w.scene);
            })
          .Tells()
          .Expect(DrawnLeadersChangeBy(0)),
      Entry("detach", [](CalloutWorld&, Callout& c) { c.DetachScene(); })
          .Tells()
          .Expect([](CalloutWorld& w, Callout&) { EXPECT_TRUE(w.scene->GetMarkups().empty()); }),
      Entry("detach and attach",
            [](CalloutWorld& w, Callout& c) {
              c.DetachScene();
              c.AttachScene(w.scene);
            })
          .Keeps()
          .Tells(),
      Entry("attach again", [](CalloutWorld& w, Callout& c) { c.AttachScene(w.scene); }).Notes().Keeps(),
  };
  return entries;
}

enum Kind
{
  CALLOUT,
  COMBINED,
  NOTE
};

//! The catalogue on one fixture kind: every entry on both fixtures, with its properties.
struct Catalogue : CalloutWorld
{
  du::SmartPtr<Callout> Make(Kind kind, int which)
  {
    return kind == COMBINED ? du::SmartPtr<Callout>(MakeCombined(which))
           : kind == NOTE   ? MakeNote(which)
                            : MakeCallout(which);
  }

  //! Note 0 or 1, as a document holds it: built from template 2 or 1 without leaders, dimmed or a
  //! kit, saved before it was ever shown, and loaded into the note returned, which is shown.
  du::SmartPtr<Callout> MakeNote(int which)
  {
    CalloutInfo info;
    info.text = du::Symbol(which == 1 ? "Torque\nto 9 Nm" : "See\nsheet 2");
    info.pageNumber = 4 + 2 * which;
    info.physicalFontSize = which == 0;
    const du::SmartPtr<TAnnotation> definition = FixtureTemplate(2 - which);
    definition->hasLeaders = false;
    du::SmartPtr<Callout> built(new Callout(info));
    built->InitializeAsNote(definition);
    built->SetLabelPosition(which == 1 ? dg::DPoint3D(57, 13, 2.5) : dg::DPoint3D(-3, 44, 0.5));
    built->SetAsKit(which == 1);
    built->SetDimAtPos(which == 0, 0, kBlend);
    tqk::SerializedContentElement document;
    built->Visit(document);
    du::SmartPtr<Callout> note(new Callout);
    EXPECT_TRUE(note->InitializeFromSerializedContent(document.GetEntries().at(0).child.get()));
    note->AttachScene(scene);
    scene->GetAnnoSet()->AddAnnotation(note);
    EXPECT_TRUE(SamePicture(CalloutPicture::Read(*built), CalloutPicture::Read(*note))) << "loaded as built";
    EXPECT_NE(picture->Drawn(*note).find(", in front"), std::string::npos) << "drawn over what was there";
    return note;
  }
  du::SmartPtr<Callout> Fresh(bool combined) const
  {
    return combined ? du::SmartPtr<Callout>(new CombinedCallout) : du::SmartPtr<Callout>(new Callout);
  }

  //! What a callout that takes this one's place is compared by: its whole picture, or only what
  //! it draws when the entry took parts away.
  static std::string Compared(const Entry& entry, const std::string& picture)
  {
    return entry.partsGone ? picture.substr(0, picture.find("saved:")) : picture;
  }

  //! Saves the callout and loads it into a fresh one, which saves the same content before it is
  //! shown and, shown in the callout's place (when the callout was), shows the same picture and
  //! saves the same content again.
  void ExpectSaveAndLoadKeep(Callout& callout, bool combined, const std::string& seen, const Entry& entry)
  {
    tqk::SerializedContentElement root;
    callout.Visit(root);
    const std::string saved = ContentText(root, 1);
    if (root.GetEntries().empty())
      return;
    du::SmartPtr<Callout> loaded = Fresh(combined);
    ASSERT_TRUE(loaded->InitializeFromSerializedContent(root.GetEntries()[0].child.get()));
    EXPECT_EQ(SavedText(*loaded), saved) << "saved again before it is shown";
    if (!LabelIn(*scene))
      return;
    callout.DetachScene();
    loaded->AttachScene(scene);
    if (entry.again)
      entry.again(*this, *loaded);
    EXPECT_TRUE(SamePicture(Compared(entry, seen), Compared(entry, Seen(picture->Of(*loaded)))))
        << "after save and load";
    if (!entry.partsGone) {
      EXPECT_EQ(SavedText(*loaded), saved) << "saved again after it is shown";
    }
    loaded->DetachScene();
    callout.AttachScene(scene);
  }

  //! A copy saves and answers as the callout does and, shown again, shows the same picture; a
  //! clone saves as the callout does (its leaders detached until it is shown) and, shown in its
  //! place, shows the same picture. Leaves the callout out of the scene.
  void ExpectCopiesKeep(Callout& callout, bool combined, const std::string& seen, const Entry& entry)
  {
    const std::string saved = SavedText(callout), read = CalloutPicture::Read(callout);
    du::SmartPtr<Callout> clone = du::SmartPtr<Callout>::DynamicCast(callout.Clone());
    if (!entry.partsGone) {
      EXPECT_EQ(Without(SavedText(*clone), {"isdetached"}), Without(saved, {"isdetached"})) << "clone";
    }
    du::SmartPtr<Callout> copy =
        combined ? du::SmartPtr<Callout>(new CombinedCallout(dynamic_cast<CombinedCallout&>(callout)))
                 : du::SmartPtr<Callout>(new Callout(callout));
    EXPECT_EQ(SavedText(*copy), saved) << "copy";
    EXPECT_TRUE(SamePicture(read, CalloutPicture::Read(*copy))) << "copy";
    if (!LabelIn(*scene))
      return;
    for (const du::SmartPtr<Callout>& twin : {copy, clone}) {
      const char* what = twin == copy ? "copy shown again" : "clone shown in its place";
      (twin == copy ? *copy : callout).DetachScene();
      twin->AttachScene(scene);
      if (entry.again)
        entry.again(*this, *twin);
      EXPECT_TRUE(SamePicture(Compared(entry, seen), Compared(entry, Seen(picture->Of(*twin))))) << what;
      twin->DetachScene();
    }
  }

  void Run(Kind kind, int which, const Entry& entry)
  {
    const bool combined = kind == COMBINED;
    du::SmartPtr<Callout> callout = Make(kind, which);
    picture->Listen(*callout);
    if (entry.prepare)
      entry.prepare(*this, *callout);
    before = picture->Of(*callout);
    entry.act(*this, *callout);
    const std::string after = picture->Of(*callout);
    ExpectDrawnConsistently(*this, *callout);
    for (const char* text : entry.shows) {
      EXPECT_EQ(Count(before, text), 0) << "before: " << text;
      EXPECT_GT(Count(after, text), 0) << "after: " << text << "\n" << after;
    }
    if (entry.expect)
      entry.expect(*this, *callout);
    if (entry.keeps)
      EXPECT_TRUE(SamePicture(Seen(before), Seen(after)));
    else
      EXPECT_TRUE(Seen(before) != Seen(after)) << "nothing seen changed";
    EXPECT_EQ(after.find("annotation set told 0 times") == std::string::npos, entry.tells) << after;
    EXPECT_EQ(history().GetUndoCount(), entry.undoable ? 1u : 0u);
    if (entry.undoable && history().Undo()) {
      EXPECT_TRUE(SamePicture(Seen(before), Seen(picture->Of(*callout)))) << "after undo";
      ASSERT_TRUE(history().Redo());
      EXPECT_TRUE(SamePicture(Seen(after), Seen(picture->Of(*callout)))) << "after redo";
    }
    ExpectSaveAndLoadKeep(*callout, combined, Seen(after), entry);
    ExpectCopiesKeep(*callout, combined, Seen(after), entry);
    history().Clear();
    callout->DetachScene();
  }
};

std::vector<Entry> CombinedCatalogue()
{
  std::vector<Entry> entries = CalloutCatalogue();
  entries.push_back(Entry("remove a member", [](CalloutWorld&, Callout& c) {
                      // the member the combined leader stands on, so that the leader is built anew
                      auto& combined = dynamic_cast<CombinedCallout&>(c);
                      unsigned id = 0;
                      for (const du::SmartPtr<Callout>& member : combined.GetCalloutVec())
                        if (member->GetShapeInstanceIdAtPos(0) == c.GetShapeInstanceIdAtPos(0))
                          member->GetItemId(id);
                      EXPECT_TRUE(combined.RemoveItemId(id));
                      EXPECT_EQ(combined.GetCount(), 1u);
                      EXPECT_FALSE(combined.HasItemId(id));
                    }).Tells());
  entries.push_back(Entry("combine again", [](CalloutWorld& w, Callout& c) {
                      auto& combined = dynamic_cast<CombinedCallout&>(c);
                      CombinedCallout::Members members(combined.GetCalloutVec().rbegin(),
                                                       combined.GetCalloutVec().rend());
                      combined.Initialize(members);
                      EXPECT_EQ(combined.GetCount(), members.size());
                      combined.AttachScene(w.scene);
                    }).Tells());
  entries.push_back(
      Entry("detach beside a member the host shows",
            [](CalloutWorld& w, Callout& c) {
              const du::SmartPtr<Callout> member = dynamic_cast<CombinedCallout&>(c).GetCalloutVec().at(0);
              member->AttachScene(w.scene);
              c.DetachScene();
              member->DetachScene(); // the member keeps its scene until the host takes it out
            })
          .Tells()
          .Expect([](CalloutWorld& w, Callout&) { EXPECT_TRUE(w.scene->GetMarkups().empty()); }));
  return entries;
}

std::vector<Entry> EntriesOf(Kind kind)
{
  return kind == COMBINED ? CombinedCatalogue() : CalloutCatalogue();
}

//! Which catalogue entry, on which fixture of which kind.
struct Case
{
  Kind kind;
  int which;
  std::size_t entry;
};

//! Names the case by its entry and fixture, so that test names are stable.
void PrintTo(const Case& c, std::ostream* out)
{
  *out << EntriesOf(c.kind)[c.entry].name << " on fixture " << c.which;
}

std::vector<Case> Cases()
{
  std::vector<Case> cases;
  for (Kind kind : {CALLOUT, COMBINED, NOTE})
    for (std::size_t entry = 0; entry < EntriesOf(kind).size(); ++entry)
      for (int which = 0; which < 2 && (kind != NOTE || EntriesOf(kind)[entry].notes); ++which)
        cases.push_back({kind, which, entry});
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
  std::string name = info.param.kind == COMBINED ? "Combined_"
                     : info.param.kind == NOTE   ? "Note_"
                                                 : "Callout_";
  bool upper = true;
  for (const char* c = EntriesOf(info.param.kind)[info.param.entry].name; *c; ++c) {
    if (std::isalnum(static_cast<unsigned char>(*c)))
      name += upper ? char(std::toupper(static_cast<unsigned char>(*c))) : *c;
    upper = !std::isalnum(static_cast<unsigned char>(*c));
  }
  return name + "_" + std::to_string(info.param.which);
}

struct CatalogueEntry : Catalogue, ::testing::WithParamInterface<Case>
{
};

TEST_P(CatalogueEntry, ChangesThePictureAsExpectedAndKeepsItThroughUndoSaveLoadAndCopies)
{
  const Case& c = GetParam();
  Run(c.kind, c.which, EntriesOf(c.kind)[c.entry]);
}

INSTANTIATE_TEST_SUITE_P(Everything, CatalogueEntry, ::testing::ValuesIn(Cases()), CaseName);

//! Generated callouts of every kind and value keep their picture through a random run of the
//! catalogue's recorded edits undone and redone, save and load, and copies. TQ_SEED replays a seed.
TEST_F(Catalogue, GeneratedCalloutsKeepTheirPicture)
{
  for (unsigned seed : tqtest::Seeds(300)) {
    SCOPED_TRACE("TQ_SEED=" + std::to_string(seed));
    tqtest::RandomDraw draw(seed);
    const int kind = int(draw.Below(4));
    const bool combined = kind == kCombined;
    const du::SmartPtr<Callout> callout = RandomCallout(*this, draw, kind);
    scene->GetAnnoSet()->AddAnnotation(callout);
    picture->Listen(*callout);
    ExpectDrawnConsistently(*this, *callout);
    const std::string shown = Seen(picture->Of(*callout));
    ExpectSaveAndLoadKeep(*callout, combined, shown, Entry("generated", nullptr));
    ExpectCopiesKeep(*callout, combined, shown, Entry("generated", nullptr));
    callout->AttachScene(scene);
    const std::string first = Seen(picture->Of(*callout));
    const std::vector<Entry>& entries = combined ? CombinedCatalogue() : CalloutCatalogue();
    // The recorded edits that fit every callout; others start from what only a fixture has.
    std::string edits =
        "|move the label|drag an anchor|show all leaders|restyle the leaders|restyle the label|re-text|";
    for (unsigned count = draw.Below(6); count > 0 && LabelIn(*scene); --count) {
      const Entry* entry = &entries[draw.Below(unsigned(entries.size()))];
      while (edits.find("|" + std::string(entry->name) + "|") == std::string::npos)
        entry = &entries[draw.Below(unsigned(entries.size()))];
      // Each at most once: a repeat may change nothing, and leave a step without a name.
      edits.erase(edits.find("|" + std::string(entry->name) + "|"), std::strlen(entry->name) + 1);
      if (LastLeaderIn(*scene) || std::string(entry->name) != "drag an anchor")
        entry->act(*this, *callout);
    }
    const std::string last = Seen(picture->Of(*callout));
    while (history().Undo()) {
    }
    EXPECT_TRUE(SamePicture(first, Seen(picture->Of(*callout)))) << "undone";
    while (history().Redo()) {
    }
    EXPECT_TRUE(SamePicture(last, Seen(picture->Of(*callout)))) << "redone";
    history().Clear();
    scene->GetAnnoSet()->RemoveAnnotationFromSet(callout, nullptr);
    callout->DetachScene();
    if (HasFailure())
      break;
  }
}

} // namespace
