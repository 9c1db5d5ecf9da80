#pragma once

namespace tqg {

class Face;

//! Visits the faces of a tqg::Shape; see tqg::Shape::Accept.
//!
//! Each visit answers how the walk goes on: CONTINUE to the next face, or STOP when the visitor
//! has what it came for.
class ShapeVisitor
{
public:
  enum State
  {
    CONTINUE = 0,
    STOP = 2
  };

  virtual ~ShapeVisitor() = default;

  //! The base passes every face by.
  virtual State Visit(const Face* face);
};

} // namespace tqg
