#include <tqannotations/MarkupDrag.h>
#include <tqannotations/MoveOperationStep.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqmk/CalloutLabel.h>
#include <tqmk/CalloutLabelShadow.h>

#include <gtest/gtest.h>

namespace {

//! An annotation with one label, moved the way annotations answer a drag: the new place comes
//! from the label's shadow, and the move goes into the host's operation as a move step.
class LabelOwner : public tqannotations::Annotation
{
public:
  LabelOwner() : tqannotations::Annotation(2), label(new tqmk::CalloutLabel) {}

  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override
  {
    label->SetScene(scene);
    label->SetController(this);
    scene->AddMarkup(label);
    return tqannotations::Annotation::AttachScene(scene);
  }
  bool DetachScene() override
  {
    label->SetController(nullptr);
    if (const du::SmartPtr<tqk::Scene> scene = GetAttachedScene())
      scene->RemoveMarkup(label);
    return tqannotations::Annotation::DetachScene();
  }
  bool MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>& operation) override
  {
    const auto labelShadow = du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(shadow);
    if (changed != du::SmartPtr<tqk::Markup>(label) || !labelShadow)
      return false;
    const dg::Location from(dg::FMat33::IDENTITY, label->GetPos());
    const dg::Location to(dg::FMat33::IDENTITY, labelShadow->GetPos());
    if (operation)
      operation->AddStep(new tqannotations::MoveOperationStep(this, 0, from, to));
    SetMarkupLocation(0, to);
    return true;
  }
  void SetMarkupLocation(unsigned, const dg::Location& location) override
  {
    label->SetPos(location.GetPosition());
  }

  du::SmartPtr<tqmk::CalloutLabel> label;
};

TEST(LabelDrag, DraggedLabelMovesWithUndoAndRedoAndTheIllustrationTearsDownClean)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount();
  tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  history.Clear();
  {
    tqk::illustration::IllustrationBuilder builder;
    builder.BuildSample();
    dg::DMat44 twoPixelsPerUnit;
    for (int i = 0; i < 3; ++i)
      twoPixelsPerUnit(i, i) = 2.0;
    builder.GetView()->SetCamera(dg::Camera3D(twoPixelsPerUnit));

    du::SmartPtr<LabelOwner> owner(new LabelOwner);
    owner->label->SetPos(dg::DPoint3D(10, 10, 0));
    owner->AttachScene(builder.GetScene());

    tqannotations::MarkupDrag drag(owner->label, builder.GetView());
    ASSERT_TRUE(drag.StartAt(20, 20));
    drag.Step(dg::DVec3(6, 0, 0));
    drag.Step(dg::DVec3(10, -4, 0));           // pixels: 5 and -2 units in the scene
    EXPECT_EQ(owner->label->GetPos().x, 10.0); // the label waits for the drop
    ASSERT_TRUE(drag.Stop(40, 16, new tqk::Operation("Move Label", builder.GetScene(), true)));
    EXPECT_EQ(owner->label->GetPos().x, 15.0);
    EXPECT_EQ(owner->label->GetPos().y, 8.0);
    EXPECT_FALSE(owner->label->GetShadow());

    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(owner->label->GetPos().x, 10.0);
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(owner->label->GetPos().y, 8.0);

    tqmu::Primitives primitives;
    EXPECT_EQ(builder.GetView()->Redraw(primitives), 1u);
    history.Clear(); // the history's steps hold the annotation
    owner->DetachScene();
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), before);
}

} // namespace
