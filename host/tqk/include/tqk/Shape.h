#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqg/Shape.h>

namespace tqk {

//! The host's handle on a part's geometry; the geometry itself may be missing (not loaded).
class Shape : public du::RefCounted
{
public:
  explicit Shape(const du::SmartPtr<tqg::Shape>& data = nullptr) : m_data(data) {}

  //! The geometry; null when it is not there.
  const du::SmartPtr<tqg::Shape>& GetShapeData() const { return m_data; }

private:
  du::SmartPtr<tqg::Shape> m_data;
};

} // namespace tqk
