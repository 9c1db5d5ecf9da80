#include "../async/RayPick.h"

#include <tqcontext/Context2D.h>
#include <tqk/Kernel.h>
#include <tqk/LockOwner.h>
#include <tqk/Markup.h>
#include <tqk/WriteLockScope.h>
#include <tqmu/MarkupData.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>

namespace tqk {

ShapeView::ShapeView(const du::SmartPtr<Window>& window)
    : View(window), m_background{dg::Color(1, 1, 1, 1), dg::Color(1, 1, 1, 1), dg::Color(1, 1, 1, 1)}
{}

void ShapeView::GetBackgroundColors(dg::Color& first, dg::Color& second, dg::Color& third) const
{
  first = m_background[0];
  second = m_background[1];
  third = m_background[2];
}

void ShapeView::SetBackgroundColors(const dg::Color& first, const dg::Color& second, const dg::Color& third)
{
  m_background[0] = first;
  m_background[1] = second;
  m_background[2] = third;
}

void ShapeView::SetSize(int width, int height)
{
  // The drawing surface handed to drawing models always has an area.
  m_width = width > 0 ? width : 1;
  m_height = height > 0 ? height : 1;
}

void ShapeView::PickAsync(int x, int y, PickMode mode, const du::SmartPtr<PickEvent>& event)
{
  if (!event)
    return;
  const du::SmartPtr<Kernel> kernel = Kernel::GetKernel();
  // An answered event takes no second answer; the requester may still have handed it over.
  if (!event->IsPending()) {
    kernel->ReleaseManagedObject(event);
    return;
  }
  kernel->ManageObject(event);
  const std::shared_ptr<std::vector<PickResult>> prepared = std::move(m_nextPickAnswer);
  const bool cancel = std::exchange(m_cancelNextPick, false);
  const du::SmartPtr<ShapeView> view(this);
  // The ray is cast when the answer runs: the host answers from the scene as it is then.
  kernel->Post([kernel, view, event, x, y, mode, prepared, cancel] {
    const auto scene = du::SmartPtr<ShapeScene>::DynamicCast(view->GetScene());
    if (cancel)
      event->Cancel();
    else if (prepared)
      event->Deliver(*prepared);
    else if (!scene)
      event->DeliverNoAnswer();
    else
      event->Deliver(CastPickRay(*scene, view->m_camera, x, y, mode));
    kernel->ReleaseManagedObject(event);
  });
}

void ShapeView::SetNextPickAnswer(const std::vector<PickResult>& results)
{
  m_nextPickAnswer = std::make_unique<std::vector<PickResult>>(results);
}

namespace {

void CollectDrawn(const du::SmartPtr<Markup>& markup, std::vector<du::SmartPtr<Markup>>& drawn)
{
  if (!markup->IsVisible())
    return;
  drawn.push_back(markup);
  for (const du::SmartPtr<Markup>& child : markup->GetChildren())
    CollectDrawn(child, drawn);
  if (const du::SmartPtr<Markup> shadow = markup->GetShadow())
    CollectDrawn(shadow, drawn);
}

//! A markup of the scene with the lock under which it is read and its place in drawing order.
struct TopLevelMarkup
{
  du::SmartPtr<Markup> markup;
  du::SmartPtr<LockOwner> lock;
  std::uint64_t frontStamp = 0;
};

//! The scene's markups as they are now, held, each with its stamp read under its lock.
std::vector<TopLevelMarkup> TakeTopLevel(const Scene& scene)
{
  std::vector<TopLevelMarkup> topLevel;
  for (const du::SmartPtr<Markup>& markup : scene.GetMarkups()) {
    TopLevelMarkup entry{markup, markup->GetControllerLock()};
    const WriteLockScope locked(entry.lock);
    entry.frontStamp = markup->GetFrontStamp();
    topLevel.push_back(std::move(entry));
  }
  return topLevel;
}

} // namespace

unsigned ShapeView::Redraw(tqmu::Primitives& primitives)
{
  const du::SmartPtr<Scene> scene = GetScene();
  if (!scene)
    return 0;
  std::vector<TopLevelMarkup> topLevel = TakeTopLevel(*scene);
  std::stable_sort(topLevel.begin(), topLevel.end(), [](const TopLevelMarkup& a, const TopLevelMarkup& b) {
    return a.frontStamp < b.frontStamp;
  });

  const dg::Pipeline pipeline{m_camera.GetTransformationMatrix()};
  tqcontext::Context2D surface(m_width, m_height);
  const du::SmartPtr<View> self(this);
  unsigned asked = 0;
  std::vector<du::SmartPtr<Markup>> drawn;
  for (const TopLevelMarkup& entry : topLevel) {
    // The write side: a content may call back into its controller, which changes its markups
    // under that lock (a frameless callout label ends the leaders at its text).
    const WriteLockScope locked(entry.lock);
    drawn.clear();
    CollectDrawn(entry.markup, drawn);
    for (const du::SmartPtr<Markup>& markup : drawn) {
      const auto content = du::SmartPtr<tqmu::MarkupData>::DynamicCast(markup->GetContent());
      if (!content)
        continue;
      content->GetPrimitives(primitives, pipeline, &surface, markup->GetPageNum(), m_background[0], 0,
                             markup->IsSelected(self));
      ++asked;
    }
  }
  return asked;
}

} // namespace tqk
