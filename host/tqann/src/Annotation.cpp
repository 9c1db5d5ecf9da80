#include <tqannotations/Annotation.h>
#include <tqk/ObjectSelectionItem.h>

namespace tqannotations {

bool Annotation::IsSelectionItemThisObject(const du::SmartPtr<tqk::SelectionItem>& item) const
{
  const auto objectItem = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(item);
  return objectItem && objectItem->GetObject().Get() == static_cast<const tqk::Object*>(this);
}

unsigned Annotation::NumberOfMarkups() const { return 0; }

std::string Annotation::GetMarkupName(unsigned) const { return std::string(); }

void Annotation::GetMarkupLocation(unsigned, dg::Location&) const {}

void Annotation::SetMarkupLocation(unsigned, const dg::Location&) {}

bool Annotation::CanAnimate() const { return true; }

du::Symbol Annotation::GetIconName() const { return du::Symbol::EMPTY; }

void Annotation::OnSetActiveUnits(int) {}

void Annotation::OnSetScale(double) {}

void Annotation::OnSetDisplayPrecision(int) {}

} // namespace tqannotations
