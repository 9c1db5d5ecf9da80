#pragma once

#include <du/HashMap.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqk/MarkupController.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Observable.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tqk {

class AnnoSet;
class Object;
class Scene;
class SerializedContentElement;
class View;

//! The host's annotation: what the host attaches to scenes, shows and hides, saves and loads, and
//! whose markups report to it.
//!
//! Besides the state that every annotation has (type, class, preselection cursor, id, visibility,
//! created-from-file mark, scene, annotation set, views, highlighting), it declares the virtual
//! annotation interface that the host drives; each operation has the host's plain behaviour until
//! an annotation replaces it.
//!
//! An annotation carries a read/write lock of its own (tqk::ObjectWithRWLock). It holds its scene
//! by counted reference while attached; its annotation set holds it.
class Annotation : public MarkupController, public Observable, public MemoryPoolAllocated
{
public:
  //! The kind of annotation (callouts are 2, center lines 0x8000); the numbers are the host's.
  using AnnotationType = int;
  //! Construction geometry that the user builds in a scene to measure and route against; other
  //! kinds have their numbers with their classes (a construction curve is 8, a construction
  //! coordinate system 0x100).
  static constexpr AnnotationType CONSTRUCTION_AXIS = 4;
  static constexpr AnnotationType CONSTRUCTION_PLANE = 16;
  //! A point alone: it has no direction.
  static constexpr AnnotationType CONSTRUCTION_POINT = 32;
  static constexpr AnnotationType CONSTRUCTION_CIRCLE = 64;
  static constexpr AnnotationType CONSTRUCTION_ARC = 128;
  //! The reader of the base properties that Visit writes (tqk/AnnotationSerializedContentVisitor.h).
  class SerializedContentVisitor;

  static const du::Symbol CLASS_TYPE;
  static const du::Symbol ID_KEY; //!< "id", the annotation id in saved content

  explicit Annotation(AnnotationType type);
  //! The same kind, class, cursor and visibility, as a new annotation: no id, scene, set or views.
  Annotation(const Annotation& other);
  Annotation& operator=(const Annotation&) = delete;
  ~Annotation() override;

  static void* operator new(std::size_t size) { return Allocate(size, ANNOTATIONS); }
  static void operator delete(void* memory) noexcept { Release(memory, ANNOTATIONS); }

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  AnnotationType GetAnnotationType() const { return m_type; }
  void SetClass(const du::Symbol& className) { m_class = className; }
  const du::Symbol& GetClass() const { return m_class; }
  void SetPreselectionCursor(const du::Symbol& cursor) { m_preselectionCursor = cursor; }
  const du::Symbol& GetPreselectionCursor() const { return m_preselectionCursor; }
  void SetId(std::uint64_t id) { m_id = id; }
  std::uint64_t GetId() const { return m_id; }
  void SetCreatedFromFile(bool createdFromFile) { m_createdFromFile = createdFromFile; }
  bool CreatedFromFile() const { return m_createdFromFile; }

  bool IsVisible() const { return m_visible; }
  //! Makes a hidden annotation visible and calls ShowAnnotation; nothing when it is visible.
  //! With notifySet, its annotation set also hears that it changed.
  void Show(bool notifySet);
  //! Hides a visible annotation and calls HideAnnotation; nothing when it is hidden.
  void Hide(bool notifySet);

  //! The scene the annotation is attached to; null when detached.
  du::SmartPtr<Scene> GetAttachedScene() const;
  //! The annotation set that holds the annotation; null when none does.
  du::SmartPtr<AnnoSet> GetAnnoSet() const;
  //! The annotation's number in its annotation set; -1 while no set holds it.
  int GetAnnotationConnectionId() const { return m_connectionId; }
  //! Gives the annotation its number in a set (-1: none). Called by tqk::AnnoSet.
  virtual void ConnectAnnotation(int connectionId);
  std::vector<du::SmartPtr<View>> GetViews() const;
  bool IsHighlighted() const { return m_highlighted; }

  // The annotation interface.

  //! An independent copy; the base cannot copy what it does not know and gives null.
  virtual du::SmartPtr<Annotation> Clone() const;
  //! Attaches the annotation to the scene (null: to none); true.
  virtual bool AttachScene(const du::SmartPtr<Scene>& scene);
  //! Rewrites ids that the map remaps in the annotation's saved element; the base has none.
  virtual void FixReferences(SerializedContentElement* element,
                             const du::HashMap<du::Symbol, du::Symbol>& ids);
  //! Reads the base properties back and marks the annotation created from a file; false for a
  //! null element.
  virtual bool InitializeFromSerializedContent(const SerializedContentElement* element);
  //! Detaches the annotation from its scene; true.
  virtual bool DetachScene();
  //! Whether the other annotation stands for the same thing; the base knows only identity.
  virtual bool IsEqual(const du::SmartPtr<Annotation>& other) const;
  //! The objects the annotation refers to; the base refers to none.
  virtual std::vector<du::SmartPtr<Object>> GetAssociatedObjects() const;
  //! Writes the base properties ("id", unsigned 64-bit) into the element.
  virtual void Visit(SerializedContentElement& element) const;
  //! Called after the annotation was hidden (Hide); the base does nothing.
  virtual void HideAnnotation();
  //! Called after the annotation was shown (Show); the base does nothing.
  virtual void ShowAnnotation();
  //! The user selected or deselected the annotation in the view; the base does nothing.
  virtual void OnSetSelected(bool selected, const du::SmartPtr<View>& view);
  //! The page the annotation is drawn on; the base draws on page 0.
  virtual int GetPageNum() const;
  //! Lets the annotation show in the view too; false for null and for a view it has already.
  virtual bool AddView(const du::SmartPtr<View>& view);
  //! False when the annotation does not show in the view.
  virtual bool RemoveView(const du::SmartPtr<View>& view);
  //! Highlights the associated objects in the scene, as the host does while the user edits.
  virtual void HighlightAssociatedObjects(const du::SmartPtr<Scene>& scene);
  virtual void UnHighlightAssociatedObjects(const du::SmartPtr<Scene>& scene);

private:
  friend class AnnoSet; // keeps the back pointer below in step with its membership

  // Not AttachScene: a derived class's AttachScene must not run when the base detaches.
  void SetAttachedScene(const du::SmartPtr<Scene>& scene);

  AnnotationType m_type;
  du::Symbol m_class;
  du::Symbol m_preselectionCursor;
  std::uint64_t m_id = 0;
  bool m_createdFromFile = false;
  std::atomic<bool> m_visible{true};
  std::atomic<bool> m_highlighted{false};
  std::atomic<int> m_connectionId{-1};

  mutable std::mutex m_linksMutex; // guards the links below
  du::SmartPtr<Scene> m_scene;
  AnnoSet* m_annoSet = nullptr; // the set holds the annotation, so the annotation must not hold it
  std::vector<du::SmartPtr<View>> m_views;
};

} // namespace tqk
