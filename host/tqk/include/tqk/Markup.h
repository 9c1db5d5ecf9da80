#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ObjectWithRWLock.h>

#include <cstdint>
#include <vector>

namespace tqk {

class MarkupController;
class View;

//! A drawable annotation element that the host shows in the views of a scene.
//!
//! A markup has a controller (the annotation that owns it, held by a plain pointer), a visibility,
//! a selection state per view, a page number, a content (the drawing data, held counted) and child
//! markups (held counted). While the user drags it, the host keeps the shadow markup that
//! ConstructShadow made, and GetShadow returns it.
//!
//! Markups are identities: they are not copied.
//!
//! Threads: a markup is not synchronised itself. The thread that drives its scene draws and
//! drags it; other threads change it only through its controller, under the write side of the
//! controller's lock (tqk::ObjectWithRWLock), and the host's thread holds that same side while it
//! draws or drags the markup (GetControllerLock). A markup that has no controller and never had
//! one belongs to the scene's thread alone.
class Markup : public ObjectWithRWLock, public MemoryPoolAllocated
{
public:
  static const du::Symbol CLASS_TYPE;

  //! A visible markup on page 0 with a lock of its own and no controller, content or children.
  Markup();
  Markup(const Markup&) = delete;
  Markup& operator=(const Markup&) = delete;
  ~Markup() override;

  static void* operator new(std::size_t size) { return Allocate(size, MARKUPS); }
  static void operator delete(void* memory) noexcept { Release(memory, MARKUPS); }

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! Makes the controller (null for none) the one the markup reports to. A controller with a
  //! lock (tqk::ObjectWithRWLock) also lends the markup its lock, see GetControllerLock.
  void SetController(MarkupController* controller);
  MarkupController* GetController() const;
  //! The lock of the controller that controls the markup, or controlled it last: the lock under
  //! which the controller changes it, also while it takes it out of its scene. Null when no
  //! controller with a lock ever controlled it.
  du::SmartPtr<LockOwner> GetControllerLock() const;

  void SetVisibility(bool visible) { m_visible = visible; }
  bool IsVisible() const { return m_visible; }

  //! Selects or deselects the markup in the view (a null view stands for no particular view).
  void SetSelected(bool selected, const du::SmartPtr<View>& view);
  bool IsSelected(const du::SmartPtr<View>& view) const;

  void SetPageNum(int page) { m_pageNum = page; }
  int GetPageNum() const { return m_pageNum; }

  //! Replaces the drawing content; with notify, tells the host that the content changed.
  void SetContent(const du::SmartPtr<du::RefCounted>& content, bool notify);
  const du::SmartPtr<du::RefCounted>& GetContent() const { return m_content; }
  //! Tells the host that the content changed and the markup must be drawn again.
  void NotifyContentChanged() { ++m_contentRevision; }
  //! How many times the content was reported changed; the host redraws when it moves.
  unsigned GetContentRevision() const { return m_contentRevision; }

  //! Adds a child; false for null, for a child it has already, and for a markup that would
  //! contain itself (this markup or one of its ancestors).
  bool AddChild(const du::SmartPtr<Markup>& child);
  //! False when the markup is not a child of this one.
  bool RemoveChild(const du::SmartPtr<Markup>& child);
  const std::vector<du::SmartPtr<Markup>>& GetChildren() const { return m_children; }

  //! A new shadow that follows a drag of this markup in the view; null when the markup cannot be
  //! dragged, which is the base's answer. The caller takes the first reference.
  virtual Markup* ConstructShadow(const du::SmartPtr<View>& view);
  //! The shadow of the drag in progress; null when no drag is in progress.
  virtual du::SmartPtr<Markup> GetShadow() const { return m_shadow; }

  //! Called by a markup holder after it has taken the markup out; the base does nothing.
  virtual void OnRemovedFromHolder() {}

  //! Where the markup stands in the drawing order: markups are drawn by rising stamp (stable),
  //! so the latest one brought to the front is drawn last. 0 until it is brought to the front.
  std::uint64_t GetFrontStamp() const { return m_frontStamp; }

  //! Starts a drag in the view: the shadow made by ConstructShadow is kept until EndShadowDrag.
  //! False when a drag is in progress already or the markup makes no shadow.
  bool BeginShadowDrag(const du::SmartPtr<View>& view);
  //! Ends the drag in progress and lets its shadow go.
  void EndShadowDrag() { m_shadow.Reset(); }

protected:
  //! Puts the markup in front of every other markup of the process.
  void MoveToFront();

private:
  friend class MarkupController; // clears the pointer below when the controller goes

  bool Contains(const Markup* markup) const;

  MarkupController* m_controller = nullptr;
  du::SmartPtr<LockOwner> m_controllerLock; // kept when the controller lets go
  bool m_visible = true;
  int m_pageNum = 0;
  unsigned m_contentRevision = 0;
  std::uint64_t m_frontStamp = 0;
  std::vector<std::uint64_t> m_selectedInViews;
  du::SmartPtr<du::RefCounted> m_content;
  std::vector<du::SmartPtr<Markup>> m_children;
  du::SmartPtr<Markup> m_shadow;
};

} // namespace tqk
