#include "tests/callouts/CalloutTestSupport.h"
#include "tests/centerlines/MeasuredLine.h"
#include "ThreadRounds.h"

#include <tqannotations/MarkupDrag.h>
#include <tqk/Operation.h>
#include <tqk/UndoHistory.h>
#include <tqk/WriteLockScope.h>
#include <tqmk/CalloutLabelShadow.h>
#include <tqmk/CenterLineXYZ.h>
#include <tqmu/ModelNote.h>
#include <tqmu/Primitives.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using callout_test::LabelIn;
using callout_test::Template;
using test_threads::ThreadRounds;
using tqannotations::Callout;
using tqannotations::CenterLinesInfo;
using tqannotations::CenterStyle;
using tqannotations::MarkupDrag;

const char* const kTexts[] = {"first text", "second, longer text"};

//! The sample illustration with a measured center line on the plate and a frameless callout on
//! the cover, both shown, as the user leaves them before other threads start to edit them.
struct LineAndCallout
{
  LineAndCallout() : callout(new Callout)
  {
    history().Clear();
    callout->Initialize(Template(), scene.builder.FindPart("housing/cover"), false, nullptr);
    callout->SetShape(tqmu::ModelNote::NO_SHAPE); // drawing it ends its leaders at the text
    callout->AttachScene(scene.builder.GetScene());
  }
  ~LineAndCallout()
  {
    history().Clear(); // its steps hold the annotations
    callout->DetachScene();
  }

  static tqk::UndoHistory& history() { return tqk::World::GetWorld()->GetUndoHistory(); }
  const auto& Scene() const { return scene.builder.GetScene(); }
  const du::SmartPtr<tqk::ShapeView>& View() const { return scene.builder.GetView(); }

  //! Drags the label sideways by dx pixels and drops it, as the user does; false when the label
  //! was not in the scene to grab.
  bool DragLabel(int dx) const
  {
    dg::DPoint3D at;
    callout->GetMarkupLabelPosition(at);
    const du::SmartPtr<tqmk::CalloutLabel> label = LabelIn(*Scene());
    if (!label)
      return false;
    MarkupDrag drag(label, View());
    const int x = int(at.x), y = int(at.y);
    if (!drag.StartAt(x, y))
      return false;
    drag.Step(dg::DVec3(dx, 0, 0));
    return drag.Stop(x + dx, y, new tqk::Operation("Move Label", Scene(), true));
  }

  //! Drags the first extension point of the drawn line sideways by dx pixels and drops it
  //! beside the parts; false when the line was not drawn to grab. The host finds the markup under
  //! the mouse under the lock it draws it with.
  bool DragLineExtension(int dx) const
  {
    du::SmartPtr<tqmk::CenterLineXYZ> drawn;
    dg::DPoint3D at;
    for (const du::SmartPtr<tqk::Markup>& holder : Scene()->GetMarkups()) {
      const tqk::WriteLockScope locked(holder->GetControllerLock());
      for (const du::SmartPtr<tqk::Markup>& representation : holder->GetChildren())
        for (const du::SmartPtr<tqk::Markup>& child : representation->GetChildren())
          if (const auto line = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(child))
            if (!line->GetPoints().empty()) {
              drawn = line;
              at = line->GetPoints().front();
            }
    }
    if (!drawn)
      return false;
    MarkupDrag drag(drawn, View(), scene.line.Get());
    const int x = int(at.x), y = int(at.y);
    if (!drag.StartAt(x, y))
      return false;
    drag.Step(dg::DVec3(dx, 0, 0));
    return drag.Stop(x + dx, y, new tqk::Operation("drag", Scene(), true));
  }

  MeasuredLine scene;
  du::SmartPtr<Callout> callout;
};

// Other threads restyle and re-text a center line and a callout, put the label back where it was
// placed, show the callout's leaders, hide, show and select it, take both out of the scene and put
// them back, read where the label is and the label's drag shadow, and copy both, while the host's
// thread draws the scene, drags the label and the line and undoes. Nothing drawn may be changed or
// freed under the draw: meant for ThreadSanitizer and AddressSanitizer, repeated.
TEST(HostDrawsWhileThreadsEdit, EditsFromOtherThreadsNeverRaceTheHostsDrawsAndDrags)
{
  LineAndCallout shown;
  const du::SmartPtr<Callout>& callout = shown.callout;
  const du::SmartPtr<tqannotations::CenterLinesAnnotation>& line = shown.scene.line;
  CenterStyle thin;
  line->GetLineStyle(thin);
  thin.lineWidth = 1.0f;
  thin.lineStyle = 1;
  CenterStyle thick = thin;
  thick.lineWidth = 3.0f;
  thick.lineStyle = 3;
  const std::uint16_t widthAndStyle = CenterStyle::LINE_WIDTH | CenterStyle::LINE_STYLE;
  // Undoing a drag brings back the style the line had then, one of these two.
  line->SetLineStyle(thick, widthAndStyle);
  const dg::DPoint3D placed = callout->GetPosition();

  constexpr int kEdits = 1000;
  constexpr int kDraws = 3000;
  int misread = 0; // counted by the reader alone, read after the threads are joined
  ThreadRounds threads;
  threads.Add(kEdits, [&](int round) {
    line->SetLineStyle(round % 2 ? thin : thick, widthAndStyle);
    callout->SetFontSize(10.0f + float(round % 3));
    callout->ShowAllLeaders(nullptr);
    callout->HideAnnotation();
    callout->OnSetSelected(true, shown.View());
    callout->ShowAnnotation();
    callout->OnSetSelected(false, shown.View());
  });
  threads.Add(kEdits, [&](int round) {
    callout->SetText(du::Symbol(kTexts[round % 2]));
    callout->SetLabelPosition(placed);
  });
  threads.Add(kEdits, [&](int) {
    callout->DetachScene();
    callout->AttachScene(shown.Scene());
    line->DetachScene();
    line->AttachScene(shown.Scene());
  });
  threads.Add(kEdits, [&](int) {
    dg::DPoint3D label;
    callout->GetMarkupLabelPosition(label);
    std::string part, assembly;
    dg::DPoint3D anchor;
    bool attached = false;
    callout->GetLeaderInfoAtPos(0, part, assembly, anchor, attached);
    CenterLinesInfo info;
    line->GetCenterLinesInfo(info);
    if (part != "housing/cover" || int(info.style.lineWidth) != info.style.lineStyle)
      ++misread;
    du::SmartPtr<tqk::Markup> shadow; // the label's, while the host drags it
    callout->GetMarkupShadow(shadow);
    dg::Location location;
    callout->GetMarkupLocation(0, location);
    const du::SmartPtr<Callout> copy(new Callout(*callout));
    du::SmartPtr<tqannotations::CenterLinesAnnotation>(new tqannotations::CenterLinesAnnotation(*line))
        ->GetCenterLinesInfo(info);
    if ((shadow && !du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(shadow)) ||
        copy->GetFontSize() < 10.0f || int(info.style.lineWidth) != info.style.lineStyle)
      ++misread;
  });
  // The host's thread: it draws, and now and then drags or undoes.
  threads.Add(kDraws, [&](int round) {
    tqmu::Primitives primitives;
    shown.View()->Redraw(primitives);
    // Back and forth, so that the label and the extension stay near where they started.
    const int dx = round % 20 < 10 ? 4 : -4;
    // Each may find its markup out of the scene at the moment.
    if (round % 10 == 3)
      shown.DragLabel(dx);
    if (round % 10 == 7)
      shown.DragLineExtension(-dx);
    if (round % 100 == 99)
      LineAndCallout::history().Undo();
  });
  EXPECT_EQ(threads.Run(), threads.Asked()) << "every editor, the reader and the host did all their rounds";
  EXPECT_EQ(misread, 0);
  // Both are shown again, whole (the line's holder, the callout's leader and its label), and the
  // host's drags and undo still work on them.
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(shown.Scene()->GetMarkupCount(), 3u);
  tqmu::Primitives primitives;
  EXPECT_GE(shown.View()->Redraw(primitives), 3u);
  EXPECT_TRUE(shown.DragLabel(4));
  EXPECT_TRUE(shown.DragLineExtension(-4));
  EXPECT_TRUE(LineAndCallout::history().Undo());
}

} // namespace
