#include <tqk/Kernel.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

//! Writes down the calls of the answer in the order they come.
class RecordingPick : public tqk::PickEvent
{
public:
  void OnPickNotify(std::uint32_t hits) override { calls.push_back("notify " + std::to_string(hits)); }
  void OnPickDone(int flag) override
  {
    calls.push_back("done " + std::to_string(flag) + (IsPending() ? " pending" : " answered"));
  }
  std::vector<std::string> calls;
};

du::SmartPtr<tqk::Instance> BoxPart(const char* idPath)
{
  du::SmartPtr<tqk::Instance> instance(new tqk::Instance(du::Symbol(idPath)));
  return instance;
}

//! Two 10 x 10 x 1 boxes seen from above through the default camera: "near" at depth 0 to 1,
//! "far" at depth 5 to 6, both under the pixel (5, 5); nothing under (50, 50).
class PickTest : public ::testing::Test
{
protected:
  PickTest() : scene(new tqk::ShapeScene), view(new tqk::ShapeView)
  {
    const du::SmartPtr<tqk::Shape> box(
        new tqk::Shape(tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 10, 1))));
    far = scene->CreateShapeInstance(BoxPart("far"), box,
                                     dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(0, 0, 5)));
    near = scene->CreateShapeInstance(BoxPart("near"), box, dg::Location::IDENTITY);
    scene->AddView(view);
  }
  ~PickTest() override
  {
    kernel->PumpQueue();
    scene->Close();
  }

  du::SmartPtr<RecordingPick> Pick(int x, int y, tqk::PickMode mode = tqk::PICK_ALL)
  {
    du::SmartPtr<RecordingPick> event(new RecordingPick);
    view->PickAsync(x, y, mode, event);
    return event;
  }

  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::ShapeView> view;
  du::SmartPtr<tqk::ShapeInstance> near, far;
};

TEST_F(PickTest, AnswerComesOnlyWhenTheQueueIsPumped)
{
  const auto event = Pick(5, 5);
  EXPECT_TRUE(event->calls.empty());
  EXPECT_TRUE(event->IsPending());
  EXPECT_EQ(kernel->GetQueuedCount(), 1u);
  kernel->PumpQueue();
  EXPECT_EQ(event->calls, (std::vector<std::string>{"notify 2", "done 0 pending"}));
  EXPECT_EQ(event->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
}

TEST_F(PickTest, EveryVisiblePartUnderTheMouseAnswersNearestFirstWithItsPoint)
{
  const auto event = Pick(5, 5);
  kernel->PumpQueue();
  ASSERT_EQ(event->GetResults().size(), 2u);
  EXPECT_EQ(event->GetResults()[0].GetObject(), du::SmartPtr<tqk::Object>(near));
  EXPECT_EQ(event->GetResults()[1].GetObject(), du::SmartPtr<tqk::Object>(far));
  const dg::DPoint3D point = event->GetResults()[1].GetPickedPoint();
  EXPECT_DOUBLE_EQ(point.x, 5.0);
  EXPECT_DOUBLE_EQ(point.y, 5.0);
  EXPECT_DOUBLE_EQ(point.z, 5.0);
  EXPECT_TRUE(event->GetResults()[0].GetObject()->IsATypeOfId(tqk::ShapeInstance::CLASS_TYPE));
}

TEST_F(PickTest, HiddenPartsAreNotHitAndTheSceneIsReadWhenTheAnswerRuns)
{
  const auto event = Pick(5, 5);
  scene->SetVisibility({near->GetInstance()}, false, false); // after the request, before the answer
  kernel->PumpQueue();
  ASSERT_EQ(event->GetResults().size(), 1u);
  EXPECT_EQ(event->GetResults()[0].GetObject(), du::SmartPtr<tqk::Object>(far));
}

TEST_F(PickTest, PartsBehindTheViewerAreNotHit)
{
  const du::SmartPtr<tqk::Shape> box(
      new tqk::Shape(tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(10, 10, 1))));
  const auto behind = scene->CreateShapeInstance(BoxPart("behind"), box,
                                                 dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(0, 0, -6)));
  const auto all = Pick(5, 5);
  const auto nearest = Pick(5, 5, tqk::PICK_NEAREST);
  kernel->PumpQueue();
  ASSERT_EQ(all->GetResults().size(), 2u);
  EXPECT_EQ(all->GetResults()[0].GetObject(), du::SmartPtr<tqk::Object>(near));
  EXPECT_EQ(all->GetResults()[1].GetObject(), du::SmartPtr<tqk::Object>(far));
  ASSERT_EQ(nearest->GetResults().size(), 1u);
  EXPECT_EQ(nearest->GetResults()[0].GetObject(), du::SmartPtr<tqk::Object>(near));
}

TEST_F(PickTest, NearestModeAndEmptySpaceAnswerAccordingly)
{
  const auto nearest = Pick(5, 5, tqk::PICK_NEAREST);
  const auto nothing = Pick(50, 50);
  kernel->PumpQueue();
  ASSERT_EQ(nearest->GetResults().size(), 1u);
  EXPECT_EQ(nearest->GetResults()[0].GetObject(), du::SmartPtr<tqk::Object>(near));
  EXPECT_TRUE(nothing->GetResults().empty());
  EXPECT_EQ(nothing->calls, (std::vector<std::string>{"notify 0", "done 0 pending"}));
}

TEST_F(PickTest, CameraDecidesWhatLiesUnderThePixel)
{
  dg::DMat44 shifted; // the view shows the world moved 100 pixels to the right
  shifted(3, 0) = 100;
  view->SetCamera(dg::Camera3D(shifted));
  const auto missed = Pick(5, 5);
  const auto hit = Pick(105, 5);
  kernel->PumpQueue();
  EXPECT_TRUE(missed->GetResults().empty());
  ASSERT_EQ(hit->GetResults().size(), 2u);
  EXPECT_DOUBLE_EQ(hit->GetResults()[0].GetPickedPoint().x, 5.0);
}

TEST_F(PickTest, PreparedAnswerTakesThePlaceOfTheRayOnce)
{
  view->SetNextPickAnswer({tqk::PickResult(far, dg::DPoint3D(1, 2, 3))});
  const auto prepared = Pick(50, 50);
  const auto cast = Pick(5, 5);
  kernel->PumpQueue();
  ASSERT_EQ(prepared->GetResults().size(), 1u);
  EXPECT_EQ(prepared->GetResults()[0].GetPickedPoint().z, 3.0);
  EXPECT_EQ(cast->GetResults().size(), 2u);
}

TEST_F(PickTest, ViewWithoutSceneFailsTheRequestWithoutAnswer)
{
  const auto event = Pick(5, 5);
  scene->RemoveView(view);
  kernel->PumpQueue();
  EXPECT_EQ(event->calls, (std::vector<std::string>{"done 1 pending"}));
  EXPECT_EQ(event->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  view->PickAsync(5, 5, tqk::PICK_ALL, nullptr);
  EXPECT_EQ(kernel->GetQueuedCount(), 0u);
}

TEST_F(PickTest, ACancelledOrFailedPickIsDoneOnceWithoutAnswerAndTheNextIsAnswered)
{
  view->CancelNextPick();
  const auto cancelled = Pick(5, 5);
  const auto next = Pick(5, 5);
  const auto failed = Pick(5, 5);
  EXPECT_TRUE(failed->CompleteWithError(du::Symbol("given up"), 0)); // before the answer runs
  EXPECT_EQ(failed->calls, (std::vector<std::string>{"done 1 pending"}));
  kernel->PumpQueue();
  EXPECT_EQ(failed->calls, (std::vector<std::string>{"done 1 pending"})) << "the late answer is dropped";
  EXPECT_TRUE(failed->GetResults().empty());
  EXPECT_EQ(cancelled->calls, (std::vector<std::string>{"done 2 pending"}));
  EXPECT_EQ(cancelled->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  EXPECT_EQ(cancelled->GetErrorCode(), tqk::BaseAsyncEvent::kCancelledCode);
  EXPECT_EQ(next->GetResults().size(), 2u);
  EXPECT_FALSE(next->Cancel()) << "answered already";
  EXPECT_EQ(next->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);
}

TEST_F(PickTest, AnAnsweredEventGetsNothingMoreAndIsNotKeptWaitingForNothing)
{
  const auto event = Pick(5, 5);
  kernel->PumpQueue();
  ASSERT_FALSE(event->IsPending());
  const std::size_t managed = kernel->GetManagedObjectCount();
  kernel->ManageObject(event); // as a requester hands its event over before asking
  view->PickAsync(5, 5, tqk::PICK_ALL, event);
  EXPECT_EQ(kernel->GetQueuedCount(), 0u);
  EXPECT_EQ(kernel->GetManagedObjectCount(), managed);
  EXPECT_EQ(event->calls, (std::vector<std::string>{"notify 2", "done 0 pending"}));
}

TEST_F(PickTest, KernelKeepsTheEventUntilTheAnswerAndThenLetsItGo)
{
  const std::size_t before = kernel->GetManagedObjectCount();
  Pick(5, 5);
  EXPECT_EQ(kernel->GetManagedObjectCount(), before + 1);
  kernel->PumpQueue();
  EXPECT_EQ(kernel->GetManagedObjectCount(), before);
}

TEST(PreparedPickAnswer, KernelDeliversItAndRefusesANullEvent)
{
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  du::SmartPtr<RecordingPick> event(new RecordingPick);
  EXPECT_TRUE(kernel->QueuePickAnswer(event, {}));
  EXPECT_FALSE(kernel->QueuePickAnswer(nullptr, {}));
  EXPECT_TRUE(event->calls.empty());
  kernel->PumpQueue();
  EXPECT_EQ(event->calls, (std::vector<std::string>{"notify 0", "done 0 pending"}));
  EXPECT_FALSE(event->Deliver({})); // answered once only
}

} // namespace
