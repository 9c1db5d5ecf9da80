#include <tqmk/CalloutLabel.h>
#include <tqmk/CalloutLabelShadow.h>

namespace tqmk {

const du::Symbol CalloutLabel::CLASS_TYPE("tqmk::CalloutLabel");
const du::Symbol CalloutLabelShadow::CLASS_TYPE("tqmk::CalloutLabelShadow");

void CalloutLabel::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Label::GetClassTypes(types);
}

tqk::Markup* CalloutLabel::ConstructShadow(const du::SmartPtr<tqk::View>& view)
{
  return new CalloutLabelShadow(view, du::SmartPtr<CalloutLabel>(this));
}

CalloutLabelShadow::CalloutLabelShadow(const du::SmartPtr<tqk::View>& view,
                                       const du::SmartPtr<CalloutLabel>& label)
    : MarkupShadow(view, true), m_label(label)
{
  MoveToLabel();
}

void CalloutLabelShadow::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  MarkupShadow::GetClassTypes(types);
}

void CalloutLabelShadow::MoveToLabel()
{
  if (m_label)
    m_position = m_label->GetPos();
  SetRefPoint(m_position);
  NotifyContentChanged();
}

void CalloutLabelShadow::HandleDragStep()
{
  const dg::DVec3 delta = GetDeltaInObjectSpace(GetDragOffset());
  const dg::DPoint3D start = m_label ? m_label->GetPos() : GetRefPoint();
  m_position = dg::DPoint3D(start.x + delta.x, start.y + delta.y, start.z + delta.z);
  NotifyContentChanged();
}

void CalloutLabelShadow::Translate(const dg::DVec3& offset)
{
  m_position = dg::DPoint3D(m_position.x + offset.x, m_position.y + offset.y, m_position.z + offset.z);
  NotifyContentChanged();
}

} // namespace tqmk
