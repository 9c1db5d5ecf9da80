#pragma once

#include <du/Symbol.h>

namespace tqannotations {

//! The host's names for its annotation classes, cursors and icons.
//!
//! A class name is also the name of the element an annotation saves itself in, so its text is
//! part of the saved documents and must not change.
class ConstStrings
{
public:
  static const du::Symbol tqCalloutLabel; //!< class of callouts: "CalloutLabel"
  static const du::Symbol tqCenterLine;   //!< class of center lines: "Centerlines"
  static const du::Symbol tqLabelPreselectionCursor;
  static const du::Symbol tqExplodeLinePreselectionCursor;
  static const du::Symbol tqExplodeLineIcon;
};

} // namespace tqannotations
