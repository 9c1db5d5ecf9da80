#include <tqannotations/CenterLinesMarkup.h>

namespace tqannotations {

void CenterLinesMarkup::OnApplyPreferences() {}

void CenterLinesMarkup::OnSetSelected(bool, const du::SmartPtr<tqk::View>&) {}

void CenterLinesMarkup::ExtraHook() {}

} // namespace tqannotations
