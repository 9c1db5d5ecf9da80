#pragma once

#include <du/SmartPtr.h>

#include <unordered_set>

namespace tqk {

class Markup;
class Operation;

//! What markups report to: the annotation that owns them.
//!
//! A markup refers to its controller by a plain pointer (tqk::Markup::SetController), so that an
//! annotation and its markups never keep each other alive. The controller remembers which markups
//! refer to it and clears their pointers when it is destroyed.
class MarkupController
{
public:
  MarkupController() = default;
  //! A copy controls no markup: the markups chose the original.
  MarkupController(const MarkupController&) {}
  MarkupController& operator=(const MarkupController&) { return *this; }
  virtual ~MarkupController();

  //! The user has dragged the changed markup (the shadow shows where to); edits that should be
  //! undoable go into the operation, which may be null. The base does nothing and returns false.
  virtual bool MarkupUpdated(const du::SmartPtr<Markup>& changed, const du::SmartPtr<Markup>& shadow,
                             const du::SmartPtr<Operation>& operation);
  //! The user has selected or deselected one of the markups; the base does nothing.
  virtual void MarkupSelected(const du::SmartPtr<Markup>& markup, bool selected);
  //! Whether the markups may be dragged together with others; false unless a controller agrees.
  virtual bool AllowGroupDrag() const;
  //! The shadow of the markup being dragged; the base has none and leaves shadow as it was.
  virtual void GetMarkupShadow(du::SmartPtr<Markup>& shadow) const;

private:
  friend class Markup; // keeps the list below in step with its controller pointer
  std::unordered_set<Markup*> m_controlledMarkups;
};

} // namespace tqk
