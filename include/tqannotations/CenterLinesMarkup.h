#pragma once

#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqk/View.h>
#include <tqmk/Markup.h>

namespace tqannotations {

//! The markup that holds a center line's representations while the line is in a scene; the
//! center line is its controller. It has no look of its own, so preferences and selection leave
//! it as it is.
class TQANNOTATIONS_EXPORT CenterLinesMarkup : public tqmk::Markup
{
public:
  void OnApplyPreferences() override;
  void OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view) override;
  //! A hook for the host's drawing; nothing to do.
  virtual void ExtraHook();
};

} // namespace tqannotations
