#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/SceneAnnotationListVisitor.h>

#include <vector>

//! Finds the other center lines of a scene whose first item has a given slot id: counts them, and
//! when collecting keeps them in visiting order. The center line that asks is never a match.
class MySceneAnnotationVisitor : public tqk::SceneAnnotationListVisitor
{
public:
  MySceneAnnotationVisitor(const du::SmartPtr<tqannotations::CenterLinesAnnotation>& owner,
                           const du::Symbol& slotId, bool collect);

  void Visit(du::SmartPtr<tqk::Annotation>& annotation) override;

  int GetCount() const { return m_count; }
  const std::vector<du::SmartPtr<tqannotations::Annotation>>& GetMatches() const { return m_matches; }

private:
  bool m_collect;
  int m_count = 0;
  std::vector<du::SmartPtr<tqannotations::Annotation>> m_matches;
  du::SmartPtr<tqannotations::CenterLinesAnnotation> m_owner;
  du::Symbol m_slotId;
};
