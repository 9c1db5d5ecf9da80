#include <tqannotations/AssocAnnotation.h>
#include <tqannotations/AssocAnnotationSerializedContentVisitor.h>
#include <tqg/Shape.h>
#include <tqk/AsyncEvent.h>
#include <tqk/Instance.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/Shape.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tqannotations::AssocAnnotation;
using tqannotations::SlotObject;

//! An associative annotation of three slots that writes down what reaches it.
class Probe : public AssocAnnotation
{
public:
  Probe() : AssocAnnotation(0x8000) { m_slots = {new SlotObject, new SlotObject, new SlotObject}; }

  std::vector<std::string> heard;
  std::size_t keptSelections = 1; // how many stored selections SlotsVerification keeps

  void OnShapeInstancesPositionModified(const ShapeInstances& parts) override { Hear("moved", parts); }
  void OnShapeInstancesAppearanceModified(const ShapeInstances& parts) override { Hear("appearance", parts); }
  void OnShapeInstancesRemove(const ShapeInstances& parts) override { Hear("removed", parts); }
  void OnShapeInstancesCreate(const ShapeInstances& parts) override { Hear("created", parts); }
  void OnViewBoundsReceived() override
  {
    heard.push_back("bounds");
    AssocAnnotation::OnViewBoundsReceived();
  }

  using AssocAnnotation::_ClearSlot;
  using AssocAnnotation::_PutSelectionObjectIntoSlot;
  using AssocAnnotation::ClearAsyncEvents;
  using AssocAnnotation::GetViewBounds;
  using AssocAnnotation::LoadGeometry;

protected:
  void OnAllGeometryLoaded() override
  {
    heard.push_back("geometry");
    AssocAnnotation::OnAllGeometryLoaded();
  }
  void SlotsVerification(StoredSelections& selections) override
  {
    if (selections.size() > keptSelections)
      selections.resize(keptSelections);
  }

private:
  void Hear(const std::string& event, const ShapeInstances& parts)
  {
    heard.push_back(event + " " + std::to_string(parts.size()));
  }
};

class AssocAnnotationTest : public ::testing::Test
{
protected:
  AssocAnnotationTest() : scene(new tqk::ShapeScene), plate(new tqk::Instance("plate")), probe(new Probe)
  {
    tqk::Kernel::GetKernel()->PumpQueue();
    const du::SmartPtr<tqg::Shape> box = tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(2, 1, 1));
    part = scene->CreateShapeInstance(plate, new tqk::Shape(box), dg::Location::IDENTITY);
  }
  ~AssocAnnotationTest() override
  {
    probe->DetachScene();
    tqk::Kernel::GetKernel()->PumpQueue();
    scene->Close();
  }

  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::Instance> plate;
  du::SmartPtr<tqk::ShapeInstance> part;
  du::SmartPtr<Probe> probe;
};

TEST_F(AssocAnnotationTest, GeometryAndViewBoundsAnswerOnlyWhenTheQueueIsPumpedOncePerBatch)
{
  probe->AttachScene(scene);
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  probe->SetObjects({new tqk::ObjectSelectionItem(plate)}, request, true);

  EXPECT_TRUE(probe->LoadGeometry(part, 1));
  EXPECT_TRUE(probe->LoadGeometry(part, 1)) << "a second request for the same part is allowed";
  EXPECT_FALSE(probe->LoadGeometry(nullptr, 1));
  EXPECT_TRUE(probe->heard.empty()) << "nothing is answered inside the request";

  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(probe->heard, (std::vector<std::string>{"geometry", "bounds"}));
  EXPECT_FALSE(request->IsPending()) << "the base answers the request with the bounds";
  const dg::DBox& bounds = probe->GetViewBoundsBox();
  EXPECT_EQ(bounds.min.x, 0.0);
  EXPECT_EQ(bounds.max.x, 2.0);

  // Answers still due are dropped by ClearAsyncEvents; a request after it is answered again.
  probe->heard.clear();
  probe->GetViewBounds();
  probe->ClearAsyncEvents();
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_TRUE(probe->heard.empty());
  probe->GetViewBounds();
  probe->GetViewBounds();
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(probe->heard, std::vector<std::string>{"bounds"});
}

TEST_F(AssocAnnotationTest, SlotListsAreCopiedNotShared)
{
  du::SmartPtr<tqk::SelectionItem> item(new tqk::ObjectSelectionItem(plate));
  probe->AttachScene(scene);
  ASSERT_TRUE(probe->_PutSelectionObjectIntoSlot(1, item));
  EXPECT_FALSE(probe->_PutSelectionObjectIntoSlot(3, item));
  EXPECT_TRUE(probe->IsSlotValid(1));
  EXPECT_FALSE(probe->IsSlotValid(0));
  EXPECT_FALSE(probe->IsSlotValid(-1));

  AssocAnnotation::Slots taken = probe->GetSlots();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[1]->GetSelectionItem(), item);
  EXPECT_EQ(taken[1]->GetShapeInstance(), part);
  probe->_ClearSlot(1);
  EXPECT_EQ(taken[1]->GetSelectionItem(), item) << "the copy does not follow the slot";

  probe->SetSlots(taken);
  taken[1] = new SlotObject;
  EXPECT_TRUE(probe->IsSlotValid(1)) << "the annotation keeps its own copy";
  EXPECT_EQ(probe->GetSlots()[1]->GetShapeInstance(), part);

  du::SmartPtr<Probe> copy(new Probe(*probe));
  copy->_ClearSlot(1);
  EXPECT_TRUE(probe->IsSlotValid(1)) << "a copy's slots are its own";
  EXPECT_TRUE(copy->IsEqual(copy));
  EXPECT_FALSE(copy->IsEqual(probe));
  EXPECT_TRUE(probe->IsEqual(new Probe(*probe)));
}

TEST_F(AssocAnnotationTest, PartChangesReachEachAttachedAnnotationOnceAndNoneAfterDetaching)
{
  du::SmartPtr<Probe> second(new Probe);
  du::SmartPtr<Probe> detached(new Probe);
  probe->AttachScene(scene);
  second->AttachScene(scene);
  detached->AttachScene(scene);
  detached->DetachScene();

  scene->SetShapeInstanceLocation(part, dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(1, 0, 0)));
  scene->SetVisibility({plate}, false, true);
  const du::SmartPtr<tqk::Instance> added(new tqk::Instance("added"));
  scene->CreateShapeInstance(added, nullptr, dg::Location::IDENTITY);
  scene->RemoveShapeInstance(part);

  const std::vector<std::string> expected = {"moved 1", "appearance 1", "created 1", "removed 1"};
  EXPECT_EQ(probe->heard, expected);
  EXPECT_EQ(second->heard, expected);
  EXPECT_TRUE(detached->heard.empty());
  second->DetachScene();
}

TEST_F(AssocAnnotationTest, SlotSelectionsAreSavedInTypesOthersPassOnAndComeBackVerified)
{
  du::SmartPtr<tqk::ObjectSelectionItem> first(new tqk::ObjectSelectionItem(plate));
  first->SetContentType(tqk::mcad_selection::Instance);
  du::SmartPtr<tqk::ObjectSelectionItem> second(new tqk::ObjectSelectionItem(plate));
  second->SetContentType(tqk::mcad_selection::Assembly);
  probe->SetObjects({first, nullptr, second}, nullptr, false);

  tqk::SerializedContentElement saved("annotation");
  probe->Visit(saved);

  //! Fails on any property type besides symbols and unsigned numbers.
  class TypeGuard : public tqk::SerializedContentVisitor
  {
  public:
    using tqk::SerializedContentVisitor::Visit;
    void Visit(const du::Symbol& key, bool) override { ADD_FAILURE() << key; }
    void Visit(const du::Symbol& key, std::int32_t) override { ADD_FAILURE() << key; }
    void Visit(const du::Symbol& key, std::uint16_t) override { ADD_FAILURE() << key; }
    void Visit(const du::Symbol& key, float) override { ADD_FAILURE() << key; }
    void Visit(const du::Symbol& key, const dg::DPoint3D&) override { ADD_FAILURE() << key; }
    void Visit(const du::Symbol& key, const dg::Color&) override { ADD_FAILURE() << key; }
    void Visit(const du::Symbol& key, const dg::Quat&) override { ADD_FAILURE() << key; }
  } guard;
  saved.Visit(guard);

  du::SmartPtr<Probe> loaded(new Probe);
  loaded->keptSelections = 5;
  {
    AssocAnnotation::SerializedContentVisitor reader(loaded);
    saved.Visit(reader);
  }
  ASSERT_EQ(loaded->GetStoredSelections().size(), 2u) << "the empty slot has nothing to store";
  EXPECT_EQ(loaded->GetStoredSelections()[0]->GetContentType(), tqk::mcad_selection::Instance);
  EXPECT_EQ(loaded->GetStoredSelections()[1]->GetContentType(), tqk::mcad_selection::Assembly);

  du::SmartPtr<Probe> verified(new Probe);
  verified->keptSelections = 1;
  AssocAnnotation::SerializedContentVisitor reader(verified);
  saved.Visit(reader);
  EXPECT_EQ(verified->GetStoredSelections().size(), 1u) << "what SlotsVerification drops is gone";
}

} // namespace
