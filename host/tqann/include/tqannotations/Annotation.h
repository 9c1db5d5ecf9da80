#pragma once

#include <dg/Location.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqk/Annotation.h>

#include <string>

namespace tqk {
class SelectionItem;
}

namespace tqannotations {

//! The base of the annotations that plug-ins supply: the host annotation with the part of the
//! annotation interface that concerns an annotation's markups, icon and display settings.
//!
//! Every operation has the host's plain behaviour until an annotation replaces it.
class Annotation : public tqk::Annotation
{
public:
  explicit Annotation(tqk::Annotation::AnnotationType type) : tqk::Annotation(type) {}
  Annotation(const Annotation& other) = default;

  //! Whether the item stands for this very annotation, so that an annotation can refuse to refer
  //! to itself.
  bool IsSelectionItemThisObject(const du::SmartPtr<tqk::SelectionItem>& item) const;

  //! How many markups the annotation draws; the base draws none.
  virtual unsigned NumberOfMarkups() const;
  //! The name of the markup at the index, to show to the user; empty in the base.
  virtual std::string GetMarkupName(unsigned index) const;
  //! The placement of the markup at the index; the base has none and leaves location as it was.
  virtual void GetMarkupLocation(unsigned index, dg::Location& location) const;
  //! Moves the markup at the index (undo and redo of markup moves come through here); the base
  //! has nothing to move.
  virtual void SetMarkupLocation(unsigned index, const dg::Location& location);
  //! Whether the annotation may take part in animations; true unless an annotation says no.
  virtual bool CanAnimate() const;
  //! The icon that stands for the annotation in lists; none in the base.
  virtual du::Symbol GetIconName() const;
  //! The host's length units changed; the base ignores it.
  virtual void OnSetActiveUnits(int units);
  //! The host's drawing scale changed; the base ignores it.
  virtual void OnSetScale(double scale);
  //! The number of decimals the host shows changed; the base ignores it.
  virtual void OnSetDisplayPrecision(int digits);
};

} // namespace tqannotations
