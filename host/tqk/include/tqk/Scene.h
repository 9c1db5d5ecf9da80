#pragma once

#include <du/SmartPtr.h>
#include <tqk/MarkupHolder.h>
#include <tqk/Object.h>

#include <mutex>
#include <vector>

namespace tqk {

class AnnoSet;
class Markup;
class SceneAnnotationListVisitor;
class View;

//! A scene of the host: the markups drawn in it, its views and its annotation set.
//!
//! Annotations hold their scene by counted reference while they are attached to it, and the scene
//! holds its annotation set, which holds its annotations: to tear a scene down, Close it, which
//! detaches its annotations and lets its markups and views go, so that nothing keeps another
//! alive.
class Scene : public Object, public MarkupHolder
{
public:
  Scene();
  ~Scene() override;

  //! Adds the markup to the scene; the counterpart of RemoveMarkup. False for null and for a
  //! markup in the scene already.
  virtual bool AddMarkup(const du::SmartPtr<Markup>& markup);

  //! Shows the scene in the view; false for null and for a view that shows a scene already.
  bool AddView(const du::SmartPtr<View>& view);
  //! False when the view does not show this scene.
  bool RemoveView(const du::SmartPtr<View>& view);
  //! The view at the index; null past the last one.
  du::SmartPtr<View> GetView(unsigned index) const;
  unsigned GetViewCount() const;

  //! The scene's annotation set; null when it has none.
  du::SmartPtr<AnnoSet> GetAnnoSet() const;
  void SetAnnoSet(const du::SmartPtr<AnnoSet>& annoSet);

  //! Calls the visitor once for each annotation of the scene's annotation set, in set order, on
  //! the calling thread. The visitor may change the set; the visit covers the set as it was.
  void Accept(SceneAnnotationListVisitor& visitor);

  //! Tears the scene down: detaches the annotations of its set that are attached to it, takes out
  //! every markup and lets its views go.
  virtual void Close();

private:
  void ReleaseViews();

  mutable std::mutex m_mutex;
  std::vector<du::SmartPtr<View>> m_views;
  du::SmartPtr<AnnoSet> m_annoSet;
};

} // namespace tqk
