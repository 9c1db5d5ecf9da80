#include "ThreadRounds.h"
#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CalloutLeaderShadow.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelNote.h>
#include <tqmu/Primitives.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

using namespace callout_test;
using test_threads::ThreadRounds;

// Writers only ever store grey colours and one of two texts, so a reader that sees anything else
// has seen a value torn between two writers.
const char* const kTexts[] = {"first text", "second, longer text"};

bool IsGrey(const dg::Color& color) { return color.r == color.g && color.g == color.b && color.a == 1.0f; }

//! A callout of the template showing the first text, and parts of its scene to put leaders on.
struct CalloutAndParts
{
  explicit CalloutAndParts(int partCount) : callout(new TestCallout)
  {
    for (int index = 0; index < partCount; ++index)
      parts.push_back(world.AddPart("p" + std::to_string(index)));
    callout->_Initialize(Template());
    callout->SetText(du::Symbol(kTexts[0]));
  }

  SceneWithView world;
  std::vector<du::SmartPtr<tqk::ShapeInstance>> parts;
  du::SmartPtr<TestCallout> callout;
};

TEST(CalloutConcurrency, GettersNeverSeeTornValuesWhileSettersAndLeadersChange)
{
  CalloutAndParts shared(8);
  const du::SmartPtr<TestCallout>& callout = shared.callout;
  const std::vector<du::SmartPtr<tqk::ShapeInstance>>& parts = shared.parts;
  const du::SmartPtr<CalloutLeader> firstLeader = callout->AddLeader(parts[0]);

  constexpr int kRounds = 400;
  std::atomic<int> tornValues{0};
  ThreadRounds threads;
  threads.AddMany(3, kRounds, [&](int writer, int round) {
    const float grey = float((round + writer) % 2);
    callout->SetFontColor(dg::Color(grey, grey, grey, 1));
    callout->SetBackgroundColor(dg::Color(grey, grey, grey, 1));
    callout->SetLineColor(dg::Color(grey, grey, grey, 1));
    callout->SetFontSize(10.0f + float(round % 3));
    callout->SetLineWidth(float(round % 4));
    callout->SetText(du::Symbol(kTexts[(round + writer) % 2]));
    callout->SetDimAtPos(round % 2 == 0, 0, dg::Color(1, 1, 1, 1));
    if (round % 50 == writer)
      callout->AddLeader(parts[std::size_t(round) % parts.size()]);
    if (round % 2)
      callout->SetItemId(unsigned(round));
    else
      callout->RemoveItemId();
  });
  threads.AddMany(3, kRounds, [&](int, int round) {
    if (!IsGrey(callout->GetFontColor()) || !IsGrey(callout->GetBackgroundColor()) ||
        !IsGrey(callout->GetLineColor()))
      ++tornValues;
    const std::string text = callout->GetText();
    if (text != kTexts[0] && text != kTexts[1])
      ++tornValues;
    if (callout->GetFontSize() < 10.0f)
      ++tornValues;
    const du::SmartPtr<TestCallout> copy(new TestCallout(*callout));
    if (!IsGrey(copy->GetFontColor()) || !IsGrey(copy->GetBackgroundColor()) || copy->GetFontSize() < 10.0f)
      ++tornValues;
    callout->IsDimAtPos(unsigned(round) % 4);
    callout->SetHiddenAsDashedAtPos(round % 2 == 0, unsigned(round) % 4);
    callout->UpdateLabelDim();
    callout->UpdateLeaderDim(firstLeader);
    callout->GetObjectDescription();
    callout->GetAssociatedObjects();
    unsigned id = 0;
    callout->GetItemId(id);
    callout->GetType();
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(tornValues.load(), 0);
  EXPECT_EQ(callout->GetLeaderLineCount(false), 1u + 3u * (kRounds / 50)) << "each writer added its leaders";
  EXPECT_EQ(callout->GetLeaderLineCount(false), callout->GetLeaderLineCount(true));
}

TEST(CalloutConcurrency, DrawingAFramelessLabelWhileLeadersAreAddedAndTheLabelMoves)
{
  CalloutAndParts shared(4);
  const du::SmartPtr<TestCallout>& callout = shared.callout;
  const std::vector<du::SmartPtr<tqk::ShapeInstance>>& parts = shared.parts;
  callout->SetShape(tqmu::ModelNote::NO_SHAPE);
  callout->AddLeader(parts[0], dg::DPoint3D(100, 0, 0));
  callout->SetLabelPosition(dg::DPoint3D::ORIGIN);
  callout->AttachScene(shared.world.scene);
  const du::SmartPtr<tqmk::CalloutLabel> label = LabelIn(*shared.world.scene);
  ASSERT_TRUE(label);
  const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(label->GetContent());

  constexpr int kRounds = 300;
  ThreadRounds threads;
  threads.Add(kRounds, [&](int) {
    tqmu::Primitives primitives;
    content->GetPrimitives(primitives, dg::Pipeline(), nullptr, 0, dg::Color(), 0, false);
  });
  threads.Add(kRounds, [&](int round) {
    callout->AddLeader(parts[std::size_t(round) % parts.size()], dg::DPoint3D(0, 100, 0));
    callout->SetLabelPosition(dg::DPoint3D(double(round % 3), 0, 0));
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(callout->GetLeaderLineCount(false), unsigned(kRounds + 1));
  callout->DetachScene();
}

// The host's thread drops a dragged leader while another thread adds leaders: the drop looks its
// leader up among the others while the list grows. Only a dragged anchor moves a leader, so a
// leader dragged as a whole stays where it was.
TEST(CalloutConcurrency, DroppingALeaderWhileLeadersAreAddedLeavesItWhereItWas)
{
  CalloutAndParts shared(4);
  const du::SmartPtr<TestCallout>& callout = shared.callout;
  const std::vector<du::SmartPtr<tqk::ShapeInstance>>& parts = shared.parts;
  const du::SmartPtr<CalloutLeader> dragged = callout->AddLeader(parts[0], dg::DPoint3D(100, 0, 0));
  callout->AttachScene(shared.world.scene);
  const du::SmartPtr<CalloutLeaderShadow> shadow(new CalloutLeaderShadow(shared.world.view, dragged.Get()));
  const dg::DPoint3D anchor = dragged->GetPoints().at(1);

  constexpr int kRounds = 200;
  std::atomic<int> moved{0};
  ThreadRounds threads;
  threads.Add(kRounds, [&](int round) {
    shadow->Translate(dg::DVec3(1 + round % 5, 0, 0));
    callout->MarkupUpdated(dragged, shadow, nullptr);
    const dg::DPoint3D now = dragged->GetPoints().at(1);
    if (now.x != anchor.x || now.y != anchor.y || now.z != anchor.z)
      ++moved;
  });
  threads.Add(kRounds, [&](int round) {
    callout->AddLeader(parts[std::size_t(round) % parts.size()], dg::DPoint3D(0, 100, 0));
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(moved.load(), 0);
  EXPECT_EQ(callout->GetLeaderLineCount(false), unsigned(kRounds + 1));
  callout->DetachScene();
}

// The host's thread attaches the callout again, showing the leaders added since, while other
// threads add leaders, connect leaders to the label and move the first anchor and the label:
// each reads the leaders, or the first leader's points, that another changes.
TEST(CalloutConcurrency, AttachingAndConnectingWhileLeadersAreAddedAndTheFirstAnchorMoves)
{
  CalloutAndParts shared(4);
  const du::SmartPtr<TestCallout>& callout = shared.callout;
  const std::vector<du::SmartPtr<tqk::ShapeInstance>>& parts = shared.parts;
  callout->AddLeader(parts[0], dg::DPoint3D(100, 0, 0));
  callout->SetLabelPosition(dg::DPoint3D(0, 5, 0));
  callout->AttachScene(shared.world.scene);

  constexpr int kRounds = 200;
  ThreadRounds threads;
  threads.Add(kRounds, [&](int) { callout->AttachScene(shared.world.scene); });
  threads.Add(kRounds, [&](int round) {
    callout->AddLeader(parts[std::size_t(round) % parts.size()], dg::DPoint3D(0, 100, 0));
  });
  threads.Add(kRounds, [&](int round) {
    callout->ConnectLeader(
        callout->CreateCalloutLeader(dg::DPoint3D(0, 0, 7), parts[1 + round % 3], nullptr));
    callout->SetLabelPosition(dg::DPoint3D(0, 5, 0));
  });
  threads.Add(kRounds, [&](int round) { callout->SetAnchor(dg::DPoint3D(100 + round % 3, 0, 0), 0); });
  EXPECT_EQ(threads.Run(), threads.Asked());
  const unsigned leaders = 2 * kRounds + 1;
  EXPECT_EQ(callout->GetLeaderLineCount(false), leaders);
  EXPECT_EQ(callout->GetLeaderLineCount(true), leaders);
  callout->AttachScene(shared.world.scene);
  unsigned shown = 0;
  for (const du::SmartPtr<tqk::Markup>& markup : shared.world.scene->GetMarkups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup)) {
      ++shown;
      const dg::DPoint3D labelEnd = leader->GetPoints().at(0);
      EXPECT_TRUE(labelEnd.x == 0 && labelEnd.y == 5 && labelEnd.z == 0)
          << "every leader starts at the label";
    }
  EXPECT_EQ(shown, leaders);
  callout->DetachScene();
}

} // namespace
