#pragma once

#include <dg/DPoint3D.h>

namespace dg {

//! A 4x4 matrix in double precision for row vectors: [x y z 1] * m, translation in row 3.
class DMat44
{
public:
  static const DMat44 IDENTITY;

  DMat44(); //!< the identity

  double operator()(int row, int column) const { return m_m[row][column]; }
  double& operator()(int row, int column) { return m_m[row][column]; }

  //! Inverts in place; false, leaving the matrix unchanged, when it is singular.
  bool Invert();
  DMat44 operator*(const DMat44& other) const;

private:
  bool InvertAffine();

  double m_m[4][4];
};

//! The point carried by the matrix (divided by w when the matrix is projective).
DPoint3D operator*(const DPoint3D& point, const DMat44& matrix);

} // namespace dg
