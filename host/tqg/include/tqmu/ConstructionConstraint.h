#pragma once

namespace tqmu {

//! How a constructed point or line is tied to the geometry it was made from.
class ConstructionConstraint
{
public:
  enum Type
  {
    NONE = 0,
    //! The point stays on the object it was picked on and follows it.
    ON_OBJECT = 8,
  };
};

} // namespace tqmu
