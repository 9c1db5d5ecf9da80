#include <tqannotations/MoveOperationStep.h>
#include <tqk/Operation.h>
#include <tqk/RecordOperation.h>
#include <tqk/World.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

//! Keeps the location of each markup as the host sets it.
class PlacedAnnotation : public tqannotations::Annotation
{
public:
  PlacedAnnotation() : tqannotations::Annotation(2) {}
  void SetMarkupLocation(unsigned index, const dg::Location& location) override
  {
    calls.emplace_back(index, location.GetPosition().x);
  }
  std::vector<std::pair<unsigned, double>> calls;
};

dg::Location At(double x) { return dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(x, 0, 0)); }

TEST(MoveOperationStep, UndoAndRedoSetTheMarkupLocationThroughTheAnnotation)
{
  du::SmartPtr<PlacedAnnotation> annotation(new PlacedAnnotation);
  du::SmartPtr<tqannotations::MoveOperationStep> step(
      new tqannotations::MoveOperationStep(annotation, 3, At(1), At(2)));
  EXPECT_EQ(step->GetMarkupIndex(), 3u);
  step->Undo();
  step->Redo();
  EXPECT_EQ(annotation->calls, (std::vector<std::pair<unsigned, double>>{{3, 1.0}, {3, 2.0}}));
}

TEST(MoveOperationStep, RecordedMoveIsUndoneAndRedoneByTheHistory)
{
  du::SmartPtr<PlacedAnnotation> annotation(new PlacedAnnotation);
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Move", nullptr, true));
  operation->AddStep(new tqannotations::MoveOperationStep(annotation, 0, At(5), At(7)));
  tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  history.Clear();
  ASSERT_TRUE(tqk::RecordOperation(operation));
  EXPECT_TRUE(annotation->calls.empty()); // the move was made already; recording changes nothing
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(annotation->calls, (std::vector<std::pair<unsigned, double>>{{0, 5.0}, {0, 7.0}}));
  history.Clear();
}

TEST(MoveOperationStep, WithoutAnnotationNothingHappens)
{
  tqannotations::MoveOperationStep step(nullptr, 0, At(1), At(2));
  step.Undo();
  step.Redo();
  EXPECT_FALSE(step.GetAnnotation());
}

} // namespace
