#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/SerializedContentElement.h>

#include "ContentRecorder.h"

#include <gtest/gtest.h>

namespace {

TEST(Annotation, BaseContentCarriesTheIdAsUnsigned64BitAndReadsItBack)
{
  du::SmartPtr<tqk::Annotation> saved(new tqk::Annotation(2));
  saved->SetId(0x1234567890ABCDEFull);
  tqk::SerializedContentElement element(du::Symbol("annotation"));
  saved->Visit(element);
  EXPECT_EQ(RecordWalk(element), std::vector<std::string>{"uint64 id = 1311768467294899695"});

  du::SmartPtr<tqk::Annotation> loaded(new tqk::Annotation(2));
  ASSERT_TRUE(loaded->InitializeFromSerializedContent(&element));
  EXPECT_EQ(loaded->GetId(), 0x1234567890ABCDEFull);
  EXPECT_TRUE(loaded->CreatedFromFile());
  EXPECT_FALSE(loaded->InitializeFromSerializedContent(nullptr));
}

//! Counts the host's show and hide callbacks.
class VisibilityCounter : public tqk::Annotation
{
public:
  VisibilityCounter() : tqk::Annotation(0x8000) {}
  void ShowAnnotation() override { ++shown; }
  void HideAnnotation() override { ++hidden; }
  int shown = 0;
  int hidden = 0;
};

TEST(Annotation, ShowAndHideCallBackOnlyOnAChange)
{
  du::SmartPtr<VisibilityCounter> annotation(new VisibilityCounter);
  du::SmartPtr<tqk::AnnoSet> annoSet(new tqk::AnnoSet);
  annoSet->AddAnnotation(annotation);
  annotation->Show(true);
  EXPECT_EQ(annotation->shown, 0) << "visible from the start";
  annotation->Hide(false);
  annotation->Hide(true);
  EXPECT_FALSE(annotation->IsVisible());
  EXPECT_EQ(annotation->hidden, 1);
  EXPECT_EQ(annoSet->GetModificationCount(), 0u) << "the set hears only of changes it was asked to hear of";
  annotation->Show(true);
  EXPECT_TRUE(annotation->IsVisible());
  EXPECT_EQ(annotation->shown, 1);
  EXPECT_EQ(annoSet->GetModificationCount(), 1u);
  EXPECT_TRUE(annoSet->IsModified());
}

TEST(Annotation, CopyKeepsTheLookButNotTheLinksOrTheLock)
{
  du::SmartPtr<tqk::Annotation> original(new tqk::Annotation(2));
  original->SetClass(du::Symbol("CalloutLabel"));
  original->SetPreselectionCursor(du::Symbol("cursor"));
  original->SetId(9);
  original->Hide(false);
  du::SmartPtr<tqk::AnnoSet> annoSet(new tqk::AnnoSet);
  annoSet->AddAnnotation(original);

  du::SmartPtr<tqk::Annotation> copy(new tqk::Annotation(*original));
  EXPECT_EQ(copy->GetClass(), original->GetClass());
  EXPECT_EQ(copy->GetPreselectionCursor(), original->GetPreselectionCursor());
  EXPECT_FALSE(copy->IsVisible());
  EXPECT_EQ(copy->GetId(), 0u);
  EXPECT_FALSE(copy->GetAnnoSet());
  EXPECT_EQ(copy->GetAnnotationConnectionId(), -1);
  ASSERT_NE(copy->GetLockOwner(), nullptr);
  EXPECT_NE(copy->GetLockOwner(), original->GetLockOwner());
  EXPECT_TRUE(copy->IsATypeOfId(tqk::Annotation::CLASS_TYPE));
  EXPECT_TRUE(copy->IsATypeOfId(tqk::Object::CLASS_TYPE));
}

} // namespace
