#pragma once

#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqmk/CalloutLabel.h>
#include <tqmk/MarkupShadow.h>

namespace tqmk {

//! The shadow of a dragged tqmk::CalloutLabel: a position that starts on the label and follows
//! the drag offset, carried into the scene's space. The label itself does not move.
class CalloutLabelShadow : public MarkupShadow
{
public:
  static const du::Symbol CLASS_TYPE;

  CalloutLabelShadow(const du::SmartPtr<tqk::View>& view, const du::SmartPtr<CalloutLabel>& label);

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! The dragged position, in the scene's space.
  const dg::DPoint3D& GetPos() const { return m_position; }
  //! Puts the shadow back on the label, forgetting the drag so far.
  void MoveToLabel();

  du::SmartPtr<tqk::Markup> GetMarkup() override { return m_label; }
  //! The label follows the current drag offset.
  void HandleDragStep() override;
  void Translate(const dg::DVec3& offset) override;

private:
  du::SmartPtr<CalloutLabel> m_label;
  dg::DPoint3D m_position;
};

} // namespace tqmk
