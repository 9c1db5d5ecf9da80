#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqannotations/LineStyle.h>

#include <vector>

namespace tqannotations {

//! The leader lines' part of a template: its line styles in document order. Only the last one
//! takes effect (see TAnnotation's line getters); the earlier ones are kept as they were read.
class TQANNOTATIONS_EXPORT TLeaders : public du::RefCounted
{
public:
  TLeaders() = default;
  ~TLeaders() override;

  std::vector<du::SmartPtr<LineStyle>> styles;
};

} // namespace tqannotations
