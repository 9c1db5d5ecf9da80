#include <tqannotations/Annotation.h>
#include <tqannotations/ConstStrings.h>
#include <tqk/ObjectSelectionItem.h>

#include <gtest/gtest.h>

namespace {

TEST(TqannotationsAnnotation, RecognisesOnlySelectionItemsOfItself)
{
  du::SmartPtr<tqannotations::Annotation> annotation(new tqannotations::Annotation(0x8000));
  du::SmartPtr<tqannotations::Annotation> other(new tqannotations::Annotation(0x8000));

  EXPECT_TRUE(annotation->IsSelectionItemThisObject(new tqk::ObjectSelectionItem(annotation)));
  EXPECT_FALSE(annotation->IsSelectionItemThisObject(new tqk::ObjectSelectionItem(other)));
  EXPECT_FALSE(annotation->IsSelectionItemThisObject(new tqk::ObjectSelectionItem(nullptr)));
  EXPECT_FALSE(annotation->IsSelectionItemThisObject(new tqk::SelectionItem));
  EXPECT_FALSE(annotation->IsSelectionItemThisObject(nullptr));
}

TEST(ConstStrings, CenterLineClassIsTheNameItsContentIsReadUnder)
{
  EXPECT_EQ(tqannotations::ConstStrings::tqCenterLine, std::string("Centerlines"));
  EXPECT_NE(tqannotations::ConstStrings::tqCalloutLabel, tqannotations::ConstStrings::tqCenterLine);
  EXPECT_FALSE(tqannotations::ConstStrings::tqCalloutLabel.IsEmpty());
}

} // namespace
