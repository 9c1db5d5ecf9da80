#pragma once

#include <dg/DVec3.h>
#include <du/SmartPtr.h>
#include <tqk/Markup.h>
#include <tqk/View.h>

namespace tqmk {

//! Base of the host's drawn markups (labels, leader lines, drag shadows): a tqk::Markup that can
//! be moved by an offset and hears of selection and preference changes.
class Markup : public tqk::Markup
{
public:
  static const du::Symbol CLASS_TYPE;

  //! Its content (a tqmk::MarkupData), should someone else still hold it, forgets the markup.
  ~Markup() override;

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! Moves the markup by the offset, in the scene's space. The base moves its children.
  virtual void Translate(const dg::DVec3& offset);
  //! The user selected or deselected the markup in the view; the base records it.
  virtual void OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view);
  //! The host's preferences changed; the base has no look that follows them.
  virtual void OnApplyPreferences() {}
};

} // namespace tqmk
