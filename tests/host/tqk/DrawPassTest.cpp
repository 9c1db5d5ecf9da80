#include <tqk/Markup.h>
#include <tqk/Scene.h>
#include <tqk/ShapeView.h>
#include <tqmu/MarkupData.h>
#include <tqmu/ModelNote.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

//! A markup that reaches its protected front stamp, as labels do.
class FrontableMarkup : public tqk::Markup
{
public:
  void BringToFront() { MoveToFront(); }
};

//! A drawing content that writes down each time the host asks it, with what it was given.
class CountingContent : public tqmu::MarkupData
{
public:
  CountingContent(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
  void GetPrimitives(tqmu::Primitives& primitives, dg::Pipeline pipeline, tqcontext::Context2D* context,
                     int page, dg::Color background, unsigned short pass, bool selected) override
  {
    tqmu::MarkupData::GetPrimitives(primitives, pipeline, context, page, background, pass, selected);
    m_log.push_back(m_name + (selected ? " selected" : "") + " page " + std::to_string(page) +
                    (context ? "" : " no surface"));
    if (onDraw)
      onDraw();
  }
  std::function<void()> onDraw;

private:
  std::string m_name;
  std::vector<std::string>& m_log;
};

class DrawPassTest : public ::testing::Test
{
protected:
  DrawPassTest() : scene(new tqk::Scene), view(new tqk::ShapeView) { scene->AddView(view); }
  ~DrawPassTest() override { scene->Close(); }

  du::SmartPtr<FrontableMarkup> Add(const std::string& name)
  {
    du::SmartPtr<FrontableMarkup> markup(new FrontableMarkup);
    markup->SetContent(du::SmartPtr<du::RefCounted>(new CountingContent(name, log)), false);
    scene->AddMarkup(markup);
    return markup;
  }

  std::vector<std::string> log;
  du::SmartPtr<tqk::Scene> scene;
  du::SmartPtr<tqk::ShapeView> view;
};

TEST_F(DrawPassTest, EachVisibleContentIsAskedOncePerRedrawWithTheViewsState)
{
  const auto label = Add("label");
  const auto leader = Add("leader");
  Add("hidden")->SetVisibility(false);
  leader->SetPageNum(2);
  label->SetSelected(true, view);
  tqmu::Primitives primitives;
  EXPECT_EQ(view->Redraw(primitives), 2u);
  EXPECT_EQ(log, (std::vector<std::string>{"label selected page 0", "leader page 2"}));
  log.clear();
  EXPECT_EQ(view->Redraw(primitives), 2u);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(DrawPassTest, FrontMarkupsComeLastChildrenAndShadowsFollowTheirMarkup)
{
  const auto label = Add("label");
  const auto leader = Add("leader");
  du::SmartPtr<tqk::Markup> child(new tqk::Markup);
  child->SetContent(du::SmartPtr<du::RefCounted>(new CountingContent("child", log)), false);
  leader->AddChild(child);
  Add("plain"); // no content: passed over
  label->BringToFront();
  tqmu::Primitives primitives;
  view->Redraw(primitives);
  EXPECT_EQ(log, (std::vector<std::string>{"leader page 0", "child page 0", "plain page 0", "label page 0"}));
}

TEST_F(DrawPassTest, NoteContentYieldsItsTextPrimitive)
{
  du::SmartPtr<tqk::Markup> markup(new tqk::Markup);
  du::SmartPtr<tqmu::ModelNote> note(new tqmu::ModelNote);
  note->SetText("7");
  du::SmartPtr<tqmu::MarkupData> content(new tqmu::MarkupData);
  content->SetModelBase(note);
  markup->SetContent(content, false);
  scene->AddMarkup(markup);
  tqmu::Primitives primitives;
  EXPECT_EQ(view->Redraw(primitives), 1u);
  EXPECT_EQ(primitives.GetSize(), 1u);
}

TEST_F(DrawPassTest, ContentMayChangeTheScenesMarkupsWhileItIsDrawn)
{
  const auto first = Add("first");
  const auto second = Add("second");
  auto* content = static_cast<CountingContent*>(first->GetContent().Get());
  content->onDraw = [&] { scene->RemoveMarkup(second); };
  tqmu::Primitives primitives;
  EXPECT_EQ(view->Redraw(primitives), 2u); // drawn from the list taken before the redraw
  EXPECT_EQ(view->Redraw(primitives), 1u);
}

TEST(DrawPass, ViewOutsideASceneDrawsNothing)
{
  du::SmartPtr<tqk::ShapeView> view(new tqk::ShapeView);
  tqmu::Primitives primitives;
  EXPECT_EQ(view->Redraw(primitives), 0u);
}

} // namespace
