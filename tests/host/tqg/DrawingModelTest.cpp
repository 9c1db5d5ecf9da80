#include <tqmu/MarkupData.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelLineStrip.h>
#include <tqmu/ModelNote.h>
#include <tqmu/ModelShadowPoint.h>
#include <tqmu/PrimitiveText2D.h>

#include <gtest/gtest.h>

namespace {

du::SmartPtr<tqmu::PrimitiveText2D> FirstText(const tqmu::Primitives& primitives)
{
  return du::SmartPtr<tqmu::PrimitiveText2D>::DynamicCast(primitives.Get(0));
}

TEST(PrimitiveText2D, SizeFollowsLongestLineLineCountAndFontSize)
{
  const tqmu::PrimitiveText2D oneLine("ABCD", 10.0f, dg::FPoint2D());
  EXPECT_FLOAT_EQ(oneLine.GetWidth(), 24.0f);
  EXPECT_FLOAT_EQ(oneLine.GetHeight(), 12.0f);
  const tqmu::PrimitiveText2D twoLines("ab\nlonger", 5.0f, dg::FPoint2D());
  EXPECT_FLOAT_EQ(twoLines.GetWidth(), 18.0f);
  EXPECT_FLOAT_EQ(twoLines.GetHeight(), 12.0f);
  const tqmu::PrimitiveText2D empty("", 10.0f, dg::FPoint2D());
  EXPECT_FLOAT_EQ(empty.GetWidth(), 0.0f);
  EXPECT_FLOAT_EQ(empty.GetHeight(), 12.0f);
}

TEST(PrimitiveText2D, CharactersAreCodePointsNotBytes)
{
  const tqmu::PrimitiveText2D accented("\xC3\xA9t\xC3\xA9", 10.0f, dg::FPoint2D()); // three letters
  EXPECT_FLOAT_EQ(accented.GetWidth(), 18.0f);
}

TEST(MarkupData, NoteContentYieldsOneTextPrimitiveOfTheNoteText)
{
  du::SmartPtr<tqmu::ModelNote> note(new tqmu::ModelNote);
  note->SetText("42");
  note->SetFontSize(20.0f);
  tqmu::MarkupData content;
  content.SetModelBase(note);
  tqmu::Primitives primitives;
  content.GetPrimitives(primitives, dg::Pipeline(), nullptr, 0, dg::Color(), 0, false);
  ASSERT_EQ(primitives.GetSize(), 1u);
  const auto text = FirstText(primitives);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->GetText(), "42");
  EXPECT_FLOAT_EQ(text->GetWidth(), 24.0f);
  EXPECT_FALSE(primitives.Get(1));
}

TEST(MarkupData, WithoutModelOrTextNothingIsDrawn)
{
  tqmu::MarkupData content;
  tqmu::Primitives primitives;
  content.GetPrimitives(primitives, dg::Pipeline(), nullptr, 0, dg::Color(), 0, false);
  EXPECT_EQ(primitives.GetSize(), 0u);
  content.SetModelBase(du::SmartPtr<tqmu::ModelBase>(new tqmu::ModelLineStrip(8)));
  content.GetPrimitives(primitives, dg::Pipeline(), nullptr, 0, dg::Color(), 0, false);
  EXPECT_EQ(primitives.GetSize(), 0u);
}

TEST(ModelContainer, AddHeadPutsChildrenFirstOnceAndRemoveTakesThemOut)
{
  tqmu::ModelContainer container;
  du::SmartPtr<tqmu::ModelBase> strip(new tqmu::ModelLineStrip(8));
  du::SmartPtr<tqmu::ModelBase> point(new tqmu::ModelShadowPoint(dg::DPoint3D(1, 2, 3), 2, 2, true));
  EXPECT_TRUE(container.AddHead(strip));
  EXPECT_TRUE(container.AddHead(point));
  EXPECT_FALSE(container.AddHead(point));
  EXPECT_FALSE(container.AddHead(nullptr));
  ASSERT_EQ(container.GetChildren().size(), 2u);
  EXPECT_EQ(container.GetChildren()[0], point);
  EXPECT_TRUE(container.Remove(point));
  EXPECT_FALSE(container.Remove(point));
  EXPECT_EQ(container.GetChildren().size(), 1u);
}

//! A container that says when it is freed.
class WatchedContainer : public tqmu::ModelContainer
{
public:
  explicit WatchedContainer(bool& freed) : m_freed(freed) {}
  ~WatchedContainer() override { m_freed = true; }

private:
  bool& m_freed;
};

TEST(ModelContainer, RefusesToHoldItselfSoDrawingEndsAndTheModelIsFreed)
{
  bool outerFreed = false;
  bool innerFreed = false;
  {
    du::SmartPtr<tqmu::ModelContainer> outer(new WatchedContainer(outerFreed));
    du::SmartPtr<tqmu::ModelContainer> inner(new WatchedContainer(innerFreed));
    du::SmartPtr<tqmu::ModelNote> note(new tqmu::ModelNote);
    note->SetText("A");
    ASSERT_TRUE(outer->AddHead(inner));
    ASSERT_TRUE(inner->AddHead(note));
    EXPECT_FALSE(outer->AddHead(outer));
    EXPECT_FALSE(inner->AddHead(outer)) << "outer holds inner";
    tqmu::Primitives primitives;
    outer->AppendPrimitives(primitives);
    EXPECT_EQ(primitives.GetSize(), 1u);
  }
  EXPECT_TRUE(outerFreed);
  EXPECT_TRUE(innerFreed);
}

TEST(ModelShadowPoint, IsPlacedAtItsPointAndStartsMovableOnly)
{
  const tqmu::ModelShadowPoint point(dg::DPoint3D(1, 2, 3), 2.0f, 2.0f, true);
  EXPECT_EQ(point.GetLocation().GetPosition().y, 2.0);
  EXPECT_TRUE(point.IsMovable());
  EXPECT_FALSE(point.IsEndPoint());
  EXPECT_FALSE(point.IsPickable());
}

} // namespace
