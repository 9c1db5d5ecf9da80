#pragma once

#include <tqk/Annotation.h>
#include <tqk/SerializedContentVisitor.h>

namespace tqk {

//! Reads back the base properties that tqk::Annotation::Visit writes ("id") into the annotation.
//!
//! Annotation readers derive from it and hand it the properties they do not handle themselves.
class Annotation::SerializedContentVisitor : public tqk::SerializedContentVisitor
{
public:
  //! A reader for the annotation, which must outlive it (readers live for one walk).
  explicit SerializedContentVisitor(Annotation& annotation) : m_annotation(annotation) {}

  using tqk::SerializedContentVisitor::Visit;
  void Visit(const du::Symbol& key, std::uint64_t value) override;

protected:
  Annotation& GetAnnotation() const { return m_annotation; }

private:
  Annotation& m_annotation;
};

} // namespace tqk
