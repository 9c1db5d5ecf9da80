#pragma once

#include <du/SmartPtr.h>
#include <tqmu/Primitive.h>

#include <vector>

namespace tqmu {

//! The primitives a markup's content produces for one drawing, in drawing order.
class Primitives
{
public:
  //! Appends the primitive; null is refused.
  bool Add(const du::SmartPtr<Primitive>& primitive);
  unsigned GetSize() const { return static_cast<unsigned>(m_primitives.size()); }
  //! The primitive at the index; null past the last one.
  du::SmartPtr<Primitive> Get(unsigned index) const;
  void Clear() { m_primitives.clear(); }

private:
  std::vector<du::SmartPtr<Primitive>> m_primitives;
};

} // namespace tqmu
