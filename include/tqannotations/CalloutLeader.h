#pragma once

#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqk/BaseInstance.h>
#include <tqk/ShapeInstance.h>
#include <tqmk/LeaderLine.h>

#include <string>

namespace tqk {
class View;
}

namespace tqannotations {

//! One leader line of a callout: from the label (point 0) to its anchor on a part (point 1).
//!
//! The leader is bound to the part it points at and to the instance the part was picked in; its
//! anchor is kept in the part's own space, so it follows the part when the part moves. The
//! detached, hidden and dim flags are the callout's to set and read.
class TQANNOTATIONS_EXPORT CalloutLeader : public tqmk::LeaderLine
{
public:
  //! A detached, shown, undimmed leader with its anchor at the origin.
  CalloutLeader();
  CalloutLeader(du::SmartPtr<tqk::ShapeInstance> part, du::SmartPtr<tqk::BaseInstance> assembly);
  ~CalloutLeader() override;

  dg::DPoint3D GetAnchor() { return m_anchor; }
  //! Stores the anchor (in the part's space) and moves point 1 to it, carried into the scene by
  //! the part's placement.
  void SetAnchor(const dg::DPoint3D& anchor);

  bool IsDetached() { return m_detached; }
  bool IsHidden() { return m_hidden; }
  bool IsDim() { return m_dim; }
  void SetDetached(bool detached) { m_detached = detached; }
  void SetHidden(bool hidden) { m_hidden = hidden; }
  void SetDim(bool dim) { m_dim = dim; }
  //! Whether the line is drawn solid where parts hide it (false) or dashed (true is not).
  void SetHiddenAsDashed(bool dashed);

  du::SmartPtr<tqk::ShapeInstance> GetShapeInstance() { return m_part; }
  du::SmartPtr<tqk::BaseInstance> GetAssemblyInstance() { return m_assembly; }
  //! The id path of the part in the structure tree; empty when it has none.
  std::string GetShapeInstanceId();
  //! The id path of the assembly instance; empty without one.
  std::string GetAssemblyInstanceId();

  //! The shadow that follows a drag of the leader in the view; none for a hidden leader.
  tqk::Markup* ConstructShadow(const du::SmartPtr<tqk::View>& view) override;

private:
  friend class Callout; // binds a leader to a part created anew with the same id path

  dg::DPoint3D m_anchor;
  du::SmartPtr<tqk::ShapeInstance> m_part;
  du::SmartPtr<tqk::BaseInstance> m_assembly;
  bool m_detached = true;
  bool m_hidden = false;
  bool m_dim = false;
};

} // namespace tqannotations
