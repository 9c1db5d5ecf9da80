#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqk/Operation.h>

#include <cstddef>
#include <mutex>
#include <vector>

namespace tqk {

class Annotation;

//! The annotations of a document (a scene's annotation set), held by counted reference.
//!
//! Each member gets a connection number (tqk::Annotation::GetAnnotationConnectionId) that is -1
//! outside a set. The set also hears when a member changed, and remembers that the document has
//! changes to save.
class AnnoSet : public du::RefCounted
{
public:
  AnnoSet() = default;
  AnnoSet(const AnnoSet&) = delete;
  AnnoSet& operator=(const AnnoSet&) = delete;
  //! Members left in the set lose their link to it.
  ~AnnoSet() override;

  //! False for null and for an annotation that a set holds already.
  bool AddAnnotation(const du::SmartPtr<Annotation>& annotation);
  //! Takes the annotation out of the set: it leaves the scene it is attached to (DetachScene) and
  //! loses its connection number. With an operation, a step that puts it back on undo is added
  //! to the operation. False, changing nothing, when the set does not hold the annotation.
  bool RemoveAnnotationFromSet(const du::SmartPtr<Annotation>& annotation,
                               const du::SmartPtr<Operation>& operation);

  bool Contains(const du::SmartPtr<Annotation>& annotation) const;
  std::vector<du::SmartPtr<Annotation>> GetAnnotations() const;

  //! The annotation changed (whether or not the set holds it); with documentChanged, the
  //! document now has changes to save.
  void AnnotationModified(const du::SmartPtr<Annotation>& annotation, bool documentChanged);
  //! How many change notices the set has heard.
  std::size_t GetModificationCount() const;
  bool IsModified() const;
  //! The document was saved: it has no changes to save until the next change notice says so.
  void MarkSaved();

private:
  mutable std::mutex m_mutex;
  std::vector<du::SmartPtr<Annotation>> m_annotations;
  int m_nextConnectionId = 0;
  std::size_t m_modificationCount = 0;
  bool m_modified = false;
};

} // namespace tqk
