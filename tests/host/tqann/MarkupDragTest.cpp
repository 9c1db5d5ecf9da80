#include <tqannotations/MarkupDrag.h>
#include <tqk/Kernel.h>
#include <tqk/MarkupController.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/OperationStep.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/World.h>
#include <tqmk/Markup.h>
#include <tqmk/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelShadowPoint.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

//! A shadow that writes down each call and, at the drag's stop, asks the view for a pick, the way
//! a shadow that drops a point on a part does.
class RecordingShadow : public tqmk::MarkupShadow
{
public:
  RecordingShadow(const du::SmartPtr<tqk::View>& view, Log& log, bool acceptStart)
      : MarkupShadow(view, true), m_log(log), m_acceptStart(acceptStart)
  {
    m_log.push_back("construct");
  }
  ~RecordingShadow() override { m_log.push_back("shadow gone"); }

  bool HandleDragStart() override
  {
    m_log.push_back(GetPickedModel() ? "start on model" : "start on nothing");
    return m_acceptStart;
  }
  void HandleDragStep() override
  {
    m_log.push_back("step " + std::to_string(static_cast<int>(GetDragOffset().x)));
  }
  void HandleDragStop() override
  {
    m_log.push_back("stop at " + std::to_string(GetDragStopX()) + "," + std::to_string(GetDragStopY()));
    struct Answer : tqk::PickEvent
    {
      Log* log = nullptr;
      void OnPickDone(int) override { log->push_back("pick answered"); }
    };
    du::SmartPtr<Answer> event(new Answer);
    event->log = &m_log;
    auto* view = dynamic_cast<tqk::ShapeView*>(GetView().Get());
    view->PickAsync(GetDragStopX(), GetDragStopY(), tqk::PICK_ALL, event);
  }

private:
  Log& m_log;
  bool m_acceptStart;
};

class DraggableMarkup : public tqmk::Markup
{
public:
  DraggableMarkup(Log& log, bool acceptStart) : m_log(log), m_acceptStart(acceptStart) {}
  tqk::Markup* ConstructShadow(const du::SmartPtr<tqk::View>& view) override
  {
    return new RecordingShadow(view, m_log, m_acceptStart);
  }

private:
  Log& m_log;
  bool m_acceptStart;
};

struct EmptyStep : tqk::OperationStep
{
  void Undo() override {}
  void Redo() override {}
};

//! Writes down what it hears and, like an annotation, adds a step to the operation it is given.
class LoggingController : public tqk::MarkupController
{
public:
  explicit LoggingController(Log& log) : m_log(log) {}
  bool MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>& operation) override
  {
    m_log.push_back(std::string("updated") + (changed->GetShadow() == shadow ? " with its shadow" : "") +
                    (operation ? " and an operation" : ""));
    if (operation)
      operation->AddStep(new EmptyStep);
    return true;
  }

private:
  Log& m_log;
};

class MarkupDragTest : public ::testing::Test
{
protected:
  MarkupDragTest() : scene(new tqk::ShapeScene), view(new tqk::ShapeView), controller(log)
  {
    scene->AddView(view);
    tqk::World::GetWorld()->GetUndoHistory().Clear();
  }
  ~MarkupDragTest() override
  {
    tqk::Kernel::GetKernel()->PumpQueue();
    scene->Close();
    tqk::World::GetWorld()->GetUndoHistory().Clear();
  }

  du::SmartPtr<DraggableMarkup> MakeMarkup(bool acceptStart = true)
  {
    du::SmartPtr<DraggableMarkup> markup(new DraggableMarkup(log, acceptStart));
    markup->SetController(&controller);
    return markup;
  }

  Log log;
  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::ShapeView> view;
  LoggingController controller;
};

TEST_F(MarkupDragTest, DragRunsThroughTheShadowInTheHostsOrder)
{
  const auto markup = MakeMarkup();
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("Move", scene, true));
  {
    tqannotations::MarkupDrag drag(markup, view);
    ASSERT_TRUE(drag.Start(new tqmu::ModelShadowPoint(dg::DPoint3D(), 2, 2, true)));
    EXPECT_EQ(markup->GetShadow(), du::SmartPtr<tqk::Markup>(drag.GetShadow()));
    drag.Step(dg::DVec3(3, 0, 0));
    drag.Step(dg::DVec3(8, 0, 0));
    ASSERT_TRUE(drag.Stop(40, 30, operation));
    EXPECT_FALSE(markup->GetShadow());
  }
  EXPECT_EQ(log, (Log{"construct", "start on model", "step 3", "step 8", "stop at 40,30",
                      "updated with its shadow and an operation", "pick answered", "shadow gone"}));
  EXPECT_EQ(tqk::World::GetWorld()->GetUndoHistory().GetUndoCount(), 1u);
}

TEST_F(MarkupDragTest, WithoutPumpingTheAnswerWaitsForTheCaller)
{
  const auto markup = MakeMarkup();
  tqannotations::MarkupDrag drag(markup, view);
  ASSERT_TRUE(drag.Start(nullptr));
  ASSERT_TRUE(drag.Stop(1, 2, nullptr, false));
  EXPECT_EQ(log.back(), "updated with its shadow");
  EXPECT_TRUE(markup->GetShadow()); // the shadow waits for the answer
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(log.back(), "pick answered");
  drag.Finish();
  EXPECT_EQ(log.back(), "shadow gone");
  EXPECT_EQ(tqk::World::GetWorld()->GetUndoHistory().GetUndoCount(), 0u);
}

TEST_F(MarkupDragTest, RefusedOrUnstartedDragsGoNoFurther)
{
  const auto refusing = MakeMarkup(false);
  tqannotations::MarkupDrag refused(refusing, view);
  EXPECT_FALSE(refused.Start(nullptr));
  EXPECT_FALSE(refused.Step(dg::DVec3(1, 0, 0)));
  EXPECT_FALSE(refused.Stop(0, 0, nullptr));
  EXPECT_FALSE(refusing->GetShadow());
  EXPECT_EQ(log, (Log{"construct", "start on nothing", "shadow gone"}));

  du::SmartPtr<tqmk::Markup> plain(new tqmk::Markup); // makes no shadow
  tqannotations::MarkupDrag none(plain, view);
  EXPECT_FALSE(none.Start(nullptr));
}

TEST_F(MarkupDragTest, AbandonedDragLetsTheShadowGoWithoutTellingTheController)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::MARKUPS);
  {
    const auto markup = MakeMarkup();
    tqannotations::MarkupDrag drag(markup, view);
    drag.Start(nullptr);
    EXPECT_FALSE(drag.Start(nullptr)); // started already
  }
  EXPECT_EQ(log, (Log{"construct", "start on nothing", "shadow gone"}));
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::MARKUPS), before);
}

//! A shadow drawn as grab points at x = 10 and 30 (pickable) and 20 (not pickable), y = 10.
class GrabPointShadow : public tqmk::MarkupShadow
{
public:
  explicit GrabPointShadow(const du::SmartPtr<tqk::View>& view) : MarkupShadow(view, true)
  {
    du::SmartPtr<tqmu::ModelContainer> container(new tqmu::ModelContainer);
    for (double x : {10.0, 20.0, 30.0}) {
      du::SmartPtr<tqmu::ModelShadowPoint> point(
          new tqmu::ModelShadowPoint(dg::DPoint3D(x, 10, 0), 2, 2, true));
      point->SetPickable(x != 20.0);
      container->AddHead(point);
      points.push_back(point);
    }
    du::SmartPtr<tqmk::MarkupData> content(new tqmk::MarkupData(this));
    content->SetModelBase(container);
    SetContent(content, false);
  }
  bool HandleDragStart() override
  {
    started = GetPickedModel();
    return true;
  }
  std::vector<du::SmartPtr<tqmu::ModelBase>> points;
  du::SmartPtr<tqmu::ModelBase> started;
};

class GrabbableMarkup : public tqmk::Markup
{
public:
  tqk::Markup* ConstructShadow(const du::SmartPtr<tqk::View>& view) override
  {
    return new GrabPointShadow(view);
  }
};

du::SmartPtr<tqmu::ModelBase> GrabbedAt(const du::SmartPtr<tqk::View>& view, int x, int y,
                                        std::vector<du::SmartPtr<tqmu::ModelBase>>& points)
{
  du::SmartPtr<GrabbableMarkup> markup(new GrabbableMarkup);
  tqannotations::MarkupDrag drag(markup, view);
  EXPECT_TRUE(drag.StartAt(x, y));
  const auto shadow = du::SmartPtr<GrabPointShadow>::DynamicCast(drag.GetShadow());
  points = shadow->points;
  return shadow->started;
}

TEST_F(MarkupDragTest, StartAtPicksThePickableGrabPointUnderTheMouse)
{
  std::vector<du::SmartPtr<tqmu::ModelBase>> points;
  du::SmartPtr<tqmu::ModelBase> grabbed = GrabbedAt(view, 11, 10, points);
  EXPECT_EQ(grabbed, points[0]);
  grabbed = GrabbedAt(view, 29, 12, points);
  EXPECT_EQ(grabbed, points[2]);
  EXPECT_FALSE(GrabbedAt(view, 20, 10, points)); // only a point that is not pickable there
  EXPECT_FALSE(GrabbedAt(view, 15, 10, points)); // between the points: on nothing
  dg::DMat44 shifted;
  shifted(3, 1) = 100; // the view shows the world 100 pixels higher
  view->SetCamera(dg::Camera3D(shifted));
  grabbed = GrabbedAt(view, 10, 110, points);
  EXPECT_EQ(grabbed, points[0]);
}

} // namespace
