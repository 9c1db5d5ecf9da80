#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/Markup.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Operation.h>
#include <tqk/Scene.h>
#include <tqk/SceneAnnotationListVisitor.h>
#include <tqk/View.h>

#include <gtest/gtest.h>

namespace {

using tqk::MemoryPoolAllocated;

//! An annotation that owns a label and a leader markup and shows them while it is attached, the
//! way the plug-in's annotations do.
class MarkupOwner : public tqk::Annotation
{
public:
  MarkupOwner() : tqk::Annotation(2), label(new tqk::Markup), leader(new tqk::Markup) {}

  bool AttachScene(const du::SmartPtr<tqk::Scene>& scene) override
  {
    for (const du::SmartPtr<tqk::Markup>& markup : {label, leader}) {
      markup->SetController(this);
      scene->AddMarkup(markup);
    }
    return tqk::Annotation::AttachScene(scene);
  }
  bool DetachScene() override
  {
    if (const du::SmartPtr<tqk::Scene> scene = GetAttachedScene())
      for (const du::SmartPtr<tqk::Markup>& markup : {label, leader}) {
        markup->SetController(nullptr);
        scene->RemoveMarkup(markup);
      }
    return tqk::Annotation::DetachScene();
  }

  du::SmartPtr<tqk::Markup> label;
  du::SmartPtr<tqk::Markup> leader;
};

std::size_t LiveAnnotationsAndMarkups()
{
  return MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::ANNOTATIONS) +
         MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS);
}

TEST(Scene, MarkupsLeavingTheSceneLoseTheirControllerAndNothingLeaks)
{
  ASSERT_EQ(LiveAnnotationsAndMarkups(), 0u);
  {
    du::SmartPtr<tqk::Scene> scene(new tqk::Scene);
    scene->SetAnnoSet(new tqk::AnnoSet);
    scene->AddView(new tqk::View(new tqk::Window));
    du::SmartPtr<MarkupOwner> annotation(new MarkupOwner);
    scene->GetAnnoSet()->AddAnnotation(annotation);
    annotation->AttachScene(scene); // the annotation now holds the scene that holds its set
    ASSERT_EQ(scene->GetMarkupCount(), 2u);
    EXPECT_EQ(annotation->label->GetController(), annotation.Get());
    EXPECT_EQ(LiveAnnotationsAndMarkups(), 3u);

    EXPECT_TRUE(scene->RemoveMarkup(annotation->label));
    EXPECT_EQ(annotation->label->GetController(), nullptr);
    EXPECT_EQ(annotation->leader->GetController(), annotation.Get());
    EXPECT_FALSE(scene->RemoveMarkup(annotation->label)) << "not in the scene any more";
    EXPECT_FALSE(scene->AddMarkup(annotation->leader)) << "in the scene already";

    scene->Close();
    EXPECT_EQ(scene->GetMarkupCount(), 0u);
    EXPECT_EQ(scene->GetViewCount(), 0u);
    EXPECT_EQ(annotation->leader->GetController(), nullptr);
    EXPECT_FALSE(annotation->GetAttachedScene());
  }
  EXPECT_EQ(LiveAnnotationsAndMarkups(), 0u);
}

TEST(Scene, MarkupsKeepTheOrderTheyCameInAcrossRemovals)
{
  du::SmartPtr<tqk::Scene> scene(new tqk::Scene);
  const du::SmartPtr<tqk::Markup> first(new tqk::Markup);
  const du::SmartPtr<tqk::Markup> second(new tqk::Markup);
  const du::SmartPtr<tqk::Markup> third(new tqk::Markup);
  for (const auto& markup : {first, second, third})
    ASSERT_TRUE(scene->AddMarkup(markup));
  EXPECT_FALSE(scene->AddMarkup(second)) << "held already";
  EXPECT_TRUE(scene->RemoveMarkup(second));
  EXPECT_FALSE(scene->RemoveMarkup(second));
  EXPECT_FALSE(scene->HoldsMarkup(second));
  EXPECT_TRUE(scene->AddMarkup(second));
  const std::vector<du::SmartPtr<tqk::Markup>> markups = scene->GetMarkups();
  ASSERT_EQ(markups.size(), 3u);
  EXPECT_TRUE(markups[0] == first);
  EXPECT_TRUE(markups[1] == third);
  EXPECT_TRUE(markups[2] == second) << "a markup added again comes last";
  scene->Close();
}

TEST(Scene, RemovingTheLastMarkupReferenceReleasesIt)
{
  {
    du::SmartPtr<tqk::Scene> scene(new tqk::Scene);
    scene->AddMarkup(new tqk::Markup);
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS), 1u);
    EXPECT_TRUE(scene->RemoveMarkup(scene->GetMarkups().front()));
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS), 0u);
    scene->AddMarkup(new tqk::Markup);
  }
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS), 0u);
}

TEST(Markup, ControllerThatGoesFirstLeavesNoDanglingPointer)
{
  du::SmartPtr<tqk::Markup> markup(new tqk::Markup);
  du::SmartPtr<tqk::Markup> other(new tqk::Markup);
  {
    du::SmartPtr<tqk::Annotation> first(new tqk::Annotation(2));
    du::SmartPtr<tqk::Annotation> second(new tqk::Annotation(2));
    markup->SetController(first.Get());
    other->SetController(first.Get());
    markup->SetController(second.Get()); // first must forget it
    first.Reset();
    EXPECT_EQ(markup->GetController(), second.Get());
    EXPECT_EQ(other->GetController(), nullptr);
  }
  EXPECT_EQ(markup->GetController(), nullptr);
}

TEST(Markup, ChildrenThatWouldHoldTheirAncestorAreRefused)
{
  {
    du::SmartPtr<tqk::Markup> holder(new tqk::Markup);
    du::SmartPtr<tqk::Markup> child(new tqk::Markup);
    du::SmartPtr<tqk::Markup> grandchild(new tqk::Markup);
    EXPECT_TRUE(holder->AddChild(child));
    EXPECT_TRUE(child->AddChild(grandchild));
    EXPECT_FALSE(holder->AddChild(child));
    EXPECT_FALSE(grandchild->AddChild(holder));
    EXPECT_FALSE(holder->AddChild(holder));
    EXPECT_FALSE(holder->AddChild(nullptr));
    EXPECT_TRUE(holder->RemoveChild(child));
    EXPECT_FALSE(holder->RemoveChild(child));
  }
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS), 0u);
}

TEST(AnnoSet, RemovalDetachesAndItsStepPutsTheAnnotationBack)
{
  {
    du::SmartPtr<tqk::Scene> scene(new tqk::Scene);
    du::SmartPtr<tqk::AnnoSet> annoSet(new tqk::AnnoSet);
    scene->SetAnnoSet(annoSet);
    du::SmartPtr<MarkupOwner> annotation(new MarkupOwner);
    ASSERT_TRUE(annoSet->AddAnnotation(annotation));
    EXPECT_FALSE(annoSet->AddAnnotation(annotation));
    EXPECT_EQ(annotation->GetAnnoSet(), annoSet);
    EXPECT_NE(annotation->GetAnnotationConnectionId(), -1);
    annotation->AttachScene(scene);

    du::SmartPtr<tqk::Operation> operation(new tqk::Operation("remove", scene, true));
    ASSERT_TRUE(annoSet->RemoveAnnotationFromSet(annotation, operation));
    EXPECT_FALSE(annoSet->RemoveAnnotationFromSet(annotation, nullptr));
    EXPECT_FALSE(annotation->GetAnnoSet());
    EXPECT_EQ(annotation->GetAnnotationConnectionId(), -1);
    EXPECT_FALSE(annotation->GetAttachedScene());
    EXPECT_EQ(scene->GetMarkupCount(), 0u);

    operation->UndoSteps();
    EXPECT_TRUE(annoSet->Contains(annotation));
    EXPECT_EQ(annotation->GetAttachedScene(), scene);
    EXPECT_EQ(scene->GetMarkupCount(), 2u);
    operation->RedoSteps();
    EXPECT_FALSE(annoSet->Contains(annotation));
    EXPECT_EQ(scene->GetMarkupCount(), 0u);
  }
  EXPECT_EQ(LiveAnnotationsAndMarkups(), 0u);
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(), 0u);
}

TEST(Scene, AcceptVisitsTheAnnotationsOfItsSetInOrder)
{
  struct Collector : tqk::SceneAnnotationListVisitor
  {
    void Visit(du::SmartPtr<tqk::Annotation>& annotation) override { seen.push_back(annotation); }
    std::vector<du::SmartPtr<tqk::Annotation>> seen;
  } collector;
  du::SmartPtr<tqk::Scene> scene(new tqk::Scene);
  scene->Accept(collector);
  EXPECT_TRUE(collector.seen.empty()) << "a scene without a set has no annotations";

  scene->SetAnnoSet(new tqk::AnnoSet);
  du::SmartPtr<tqk::Annotation> first(new tqk::Annotation(2));
  du::SmartPtr<tqk::Annotation> second(new tqk::Annotation(0x8000));
  scene->GetAnnoSet()->AddAnnotation(first);
  scene->GetAnnoSet()->AddAnnotation(second);
  scene->Accept(collector);
  ASSERT_EQ(collector.seen.size(), 2u);
  EXPECT_EQ(collector.seen[0], first);
  EXPECT_EQ(collector.seen[1], second);
}

TEST(View, KnowsItsSceneOnlyWhileTheSceneShowsInIt)
{
  du::SmartPtr<tqk::View> view(new tqk::View);
  {
    du::SmartPtr<tqk::Scene> scene(new tqk::Scene);
    ASSERT_TRUE(scene->AddView(view));
    EXPECT_EQ(view->GetScene(), scene);
    EXPECT_EQ(scene->GetView(0), view);
    EXPECT_FALSE(scene->GetView(1));
    du::SmartPtr<tqk::Scene> other(new tqk::Scene);
    EXPECT_FALSE(other->AddView(view)) << "a view shows one scene";
  }
  EXPECT_FALSE(view->GetScene()) << "the scene is gone";
}

} // namespace
