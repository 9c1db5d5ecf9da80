#include <tqk/Instance.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Parts = tqk::ShapeSceneListener::ShapeInstances;

//! Writes down every report as "<event> <id path>...".
class ReportLog : public tqk::ShapeSceneListener
{
public:
  void OnShapeInstancesPositionModified(const Parts& parts) override { Write("moved", parts); }
  void OnShapeInstancesAppearanceModified(const Parts& parts) override { Write("appearance", parts); }
  void OnShapeInstancesRemove(const Parts& parts) override { Write("removed", parts); }
  void OnShapeInstancesCreate(const Parts& parts) override { Write("created", parts); }

  std::vector<std::string> entries;

private:
  void Write(const std::string& event, const Parts& parts)
  {
    std::string entry = event;
    for (const auto& part : parts)
      entry += " " + part->GetInstance()->GetIDPath().GetText();
    entries.push_back(entry);
  }
};

du::SmartPtr<tqk::Instance> MakeInstance(const char* idPath)
{
  return du::SmartPtr<tqk::Instance>(new tqk::Instance(du::Symbol(idPath)));
}

class ShapeSceneTest : public ::testing::Test
{
protected:
  ShapeSceneTest() : scene(new tqk::ShapeScene), a(MakeInstance("a")), b(MakeInstance("b"))
  {
    partA = scene->CreateShapeInstance(a, nullptr, dg::Location::IDENTITY);
    partB = scene->CreateShapeInstance(b, nullptr, dg::Location::IDENTITY);
    scene->AddListener(&log);
  }
  ~ShapeSceneTest() override { scene->Close(); }

  ReportLog log;
  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::Instance> a, b;
  du::SmartPtr<tqk::ShapeInstance> partA, partB;
};

TEST_F(ShapeSceneTest, PartsAreFoundByTheirInstanceAndNotByOthers)
{
  du::SmartPtr<tqk::ShapeInstance> found;
  EXPECT_TRUE(scene->GetShapeInstance(a, found));
  EXPECT_EQ(found, partA);
  EXPECT_FALSE(scene->GetShapeInstance(MakeInstance("c"), found));
  EXPECT_FALSE(found);
  EXPECT_FALSE(scene->GetShapeInstance(nullptr));
  du::SmartPtr<tqk::Instance> instance;
  EXPECT_TRUE(partB->GetInstance(instance));
  EXPECT_EQ(instance, b);
}

TEST_F(ShapeSceneTest, EachChangeIsSeenByTheSceneAndReportedOnce)
{
  const dg::Location moved(dg::FMat33::IDENTITY, dg::DPoint3D(5, 0, 0));
  EXPECT_TRUE(scene->SetShapeInstanceLocation(partA, moved));
  EXPECT_EQ(partA->GetLocation(), moved);
  scene->SetVisibility({b}, false, true);
  EXPECT_FALSE(partB->IsVisible());
  EXPECT_TRUE(scene->RemoveShapeInstance(partA));
  EXPECT_FALSE(scene->GetShapeInstance(a));
  const auto c = MakeInstance("c");
  const auto partC = scene->CreateShapeInstance(c, nullptr, dg::Location::IDENTITY);
  EXPECT_EQ(scene->GetShapeInstance(c), partC);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"moved a", "appearance b", "removed a", "created c"}));
}

TEST_F(ShapeSceneTest, VisibilityReportsOnlyPartsThatReallyChangedAndOnlyWhenAsked)
{
  scene->SetVisibility({a, b}, true, true); // both visible already
  scene->SetVisibility({a}, false, false);  // not asked to tell
  EXPECT_FALSE(partA->IsVisible());
  scene->SetVisibility({a, b}, false, true);
  scene->SetVisibility({a, b}, true, true);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"appearance b", "appearance a b"}));
}

TEST_F(ShapeSceneTest, RefusedChangesAreNotReported)
{
  EXPECT_FALSE(scene->CreateShapeInstance(a, nullptr, dg::Location::IDENTITY)); // shown already
  EXPECT_FALSE(scene->CreateShapeInstance(nullptr, nullptr, dg::Location::IDENTITY));
  EXPECT_TRUE(scene->RemoveShapeInstance(partA));
  EXPECT_FALSE(scene->RemoveShapeInstance(partA));
  EXPECT_FALSE(scene->SetShapeInstanceLocation(partA, dg::Location::IDENTITY));
  EXPECT_EQ(log.entries, (std::vector<std::string>{"removed a"}));
}

TEST_F(ShapeSceneTest, RemovedListenerHearsNothingMoreAndIsRegisteredOnlyOnce)
{
  EXPECT_FALSE(scene->AddListener(&log));
  EXPECT_FALSE(scene->AddListener(nullptr));
  EXPECT_TRUE(scene->RemoveListener(&log));
  EXPECT_FALSE(scene->RemoveListener(&log));
  scene->RemoveShapeInstance(partA);
  EXPECT_TRUE(log.entries.empty());
}

TEST_F(ShapeSceneTest, ListenerMayChangeTheSceneWhileItIsTold)
{
  struct ShowAgain : tqk::ShapeSceneListener
  {
    tqk::ShapeScene* scene = nullptr;
    int heard = 0;
    void OnShapeInstancesAppearanceModified(const Parts& parts) override
    {
      ++heard;
      scene->SetVisibility({parts[0]->GetInstance()}, true, true);
    }
  } showAgain;
  showAgain.scene = scene.Get();
  scene->AddListener(&showAgain);
  scene->SetVisibility({a}, false, true);
  EXPECT_TRUE(partA->IsVisible());
  EXPECT_EQ(showAgain.heard, 2); // the hide, then the show it asked for; no loop
  scene->RemoveListener(&showAgain);
}

TEST_F(ShapeSceneTest, ListenerRemovedDuringAReportIsNotToldOfIt)
{
  struct Remover : tqk::ShapeSceneListener
  {
    tqk::ShapeScene* scene = nullptr;
    tqk::ShapeSceneListener* other = nullptr;
    void OnShapeInstancesRemove(const Parts&) override { scene->RemoveListener(other); }
  } remover;
  ReportLog later;
  remover.scene = scene.Get();
  remover.other = &later;
  scene->RemoveListener(&log);
  scene->AddListener(&remover);
  scene->AddListener(&later);
  scene->RemoveShapeInstance(partA);
  EXPECT_TRUE(later.entries.empty());
  scene->RemoveListener(&remover);
}

//! Writes its name into a shared log at each report, and may change the listeners meanwhile.
class NamedListener : public tqk::ShapeSceneListener
{
public:
  NamedListener(std::vector<std::string>& heard, std::string name) : m_heard(heard), m_name(std::move(name))
  {}

  void OnShapeInstancesPositionModified(const Parts&) override
  {
    m_heard.push_back(m_name);
    if (onReport)
      onReport();
  }

  std::function<void()> onReport;

private:
  std::vector<std::string>& m_heard;
  std::string m_name;
};

class ListenerOrderTest : public ShapeSceneTest
{
protected:
  ListenerOrderTest()
  {
    scene->RemoveListener(&log);
    for (const char* name : {"first", "second", "third", "fourth"})
      listeners.push_back(std::make_unique<NamedListener>(heard, name));
  }
  ~ListenerOrderTest() override
  {
    for (const auto& listener : listeners)
      scene->RemoveListener(listener.get());
  }

  std::vector<std::string> Move()
  {
    heard.clear();
    scene->SetShapeInstanceLocation(partA, dg::Location::IDENTITY);
    return heard;
  }

  std::vector<std::string> heard;
  std::vector<std::unique_ptr<NamedListener>> listeners;
};

TEST_F(ListenerOrderTest, ListenersAreToldInTheOrderTheyWereAdded)
{
  for (const auto& listener : listeners)
    scene->AddListener(listener.get());
  EXPECT_EQ(Move(), (std::vector<std::string>{"first", "second", "third", "fourth"}));
  // Taken out of the middle and added again, a listener is told last.
  scene->RemoveListener(listeners[1].get());
  scene->AddListener(listeners[1].get());
  scene->RemoveListener(listeners[0].get());
  EXPECT_EQ(Move(), (std::vector<std::string>{"third", "fourth", "second"}));
}

TEST_F(ListenerOrderTest, ListenerAddedDuringAReportIsToldFromTheNextReportOn)
{
  scene->AddListener(listeners[0].get());
  scene->AddListener(listeners[1].get());
  listeners[0]->onReport = [&] {
    scene->AddListener(listeners[2].get());
    listeners[0]->onReport = nullptr;
  };
  EXPECT_EQ(Move(), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(Move(), (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(ListenerOrderTest, ListenerRemovedDuringAReportIsNotToldEvenWhenAddedAgainMeanwhile)
{
  for (const auto& listener : listeners)
    scene->AddListener(listener.get());
  // The second removes itself, the fourth and the third, then adds the third back: of those, only
  // the second was told, and the third now waits for the next report, at the end of the order.
  listeners[1]->onReport = [&] {
    scene->RemoveListener(listeners[1].get());
    scene->RemoveListener(listeners[3].get());
    scene->RemoveListener(listeners[2].get());
    scene->AddListener(listeners[2].get());
  };
  EXPECT_EQ(Move(), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(Move(), (std::vector<std::string>{"first", "third"}));
}

TEST(ShapeSceneTeardown, ClosingTheSceneLeavesNoPoolObjectAlive)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount();
  {
    du::SmartPtr<tqk::ShapeScene> scene(new tqk::ShapeScene);
    scene->AddView(du::SmartPtr<tqk::View>(new tqk::ShapeView));
    scene->CreateShapeInstance(MakeInstance("a"), nullptr, dg::Location::IDENTITY);
    scene->Close();
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), before);
}

TEST(Placement, PartToSceneAndBackIsExact)
{
  // Axis swaps and a power-of-two scale: every product is exact in float and double.
  const dg::FMat33 swapAndDouble(0, 2, 0, -2, 0, 0, 0, 0, 2);
  const dg::Location placement(swapAndDouble, dg::DPoint3D(10, -3, 0.5));
  const dg::DPoint3D local(1.25, -7, 3);
  const dg::DPoint3D inScene = local * placement;
  EXPECT_EQ(inScene.x, 10 + 14.0);
  dg::DMat44 inverse = placement.GetXform();
  ASSERT_TRUE(inverse.Invert());
  const dg::DPoint3D back = inScene * inverse;
  EXPECT_EQ(back.x, local.x);
  EXPECT_EQ(back.y, local.y);
  EXPECT_EQ(back.z, local.z);
  const dg::DPoint3D viaMatrix = local * placement.GetXform();
  EXPECT_EQ(viaMatrix.y, inScene.y);
  dg::Location undo;
  ASSERT_TRUE(placement.GetInverse(undo));
  const dg::DPoint3D backThroughPlacement = inScene * undo;
  EXPECT_EQ(backThroughPlacement.x, local.x);
  EXPECT_EQ(backThroughPlacement.y, local.y);
  EXPECT_EQ(backThroughPlacement.z, local.z);
}

TEST(Placement, ComposedPlacementsCarryLikeTheirMatrixProduct)
{
  const dg::Location first(dg::FMat33(0, 1, 0, -1, 0, 0, 0, 0, 1), dg::DPoint3D(1, 2, 3));
  const dg::Location second(dg::FMat33::IDENTITY, dg::DPoint3D(-4, 0, 8));
  const dg::DPoint3D p(2, 5, -1);
  const dg::DPoint3D stepwise = (p * first) * second;
  const dg::DPoint3D composed = p * (first.GetXform() * second.GetXform());
  EXPECT_EQ(stepwise.x, composed.x);
  EXPECT_EQ(stepwise.y, composed.y);
  EXPECT_EQ(stepwise.z, composed.z);
}

class DepthLog : public tqk::InstanceVisitor
{
public:
  bool Visit(const du::ConstSmartPtr<tqk::Instance>& instance, unsigned depth) override
  {
    seen.push_back(instance->GetIDPath().GetText() + ":" + std::to_string(depth));
    return instance->GetIDPath() != du::Symbol("skip");
  }
  std::vector<std::string> seen;
};

TEST(InstanceWalk, VisitsDepthFirstWithDepthsAndPassesOverRefusedBranches)
{
  const auto top = MakeInstance("top");
  const auto skip = MakeInstance("skip");
  const auto sub = MakeInstance("sub");
  sub->AddChild(MakeInstance("leaf"));
  skip->AddChild(MakeInstance("hidden"));
  top->AddChild(sub);
  top->AddChild(skip);
  EXPECT_FALSE(top->AddChild(sub));
  EXPECT_FALSE(top->AddChild(top));
  DepthLog log;
  top->Accept(log);
  EXPECT_EQ(log.seen, (std::vector<std::string>{"top:0", "sub:1", "leaf:2", "skip:1"}));
}

TEST(InstanceWalk, AnInstanceCannotBePutBelowItselfSoTheWalkEndsAndNothingLeaks)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount();
  {
    const auto top = MakeInstance("top");
    const auto sub = MakeInstance("sub");
    const auto leaf = MakeInstance("leaf");
    ASSERT_TRUE(top->AddChild(sub));
    ASSERT_TRUE(sub->AddChild(leaf));
    EXPECT_FALSE(sub->AddChild(top)) << "top holds sub";
    EXPECT_FALSE(leaf->AddChild(top)) << "top holds leaf through sub";
    EXPECT_TRUE(leaf->GetChildren().empty());
    DepthLog log;
    top->Accept(log);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"top:0", "sub:1", "leaf:2"}));
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(), before);
}

TEST(ShapeView, KeepsCameraColoursAndAtLeastOnePixel)
{
  tqk::ShapeView view;
  dg::DMat44 matrix;
  matrix(3, 0) = 7;
  view.SetCamera(dg::Camera3D(matrix));
  dg::Camera3D camera;
  view.GetCamera(camera);
  EXPECT_EQ(camera.GetTransformationMatrix()(3, 0), 7);
  view.SetBackgroundColors(dg::Color(1, 0, 0), dg::Color(0, 1, 0), dg::Color(0, 0, 1));
  dg::Color first, second, third;
  view.GetBackgroundColors(first, second, third);
  EXPECT_EQ(second.g, 1.0f);
  EXPECT_EQ(third.b, 1.0f);
  view.SetSize(0, -5);
  EXPECT_EQ(view.GetWidth(), 1);
  EXPECT_EQ(view.GetHeight(), 1);
}

} // namespace
