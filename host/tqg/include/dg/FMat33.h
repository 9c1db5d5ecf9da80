#pragma once

#include <dg/DPoint3D.h>

namespace dg {

//! A 3x3 matrix in single precision, for row vectors: p' = p * m. Row i is the image of axis i.
class FMat33
{
public:
  static const FMat33 IDENTITY;

  FMat33(); //!< the zero matrix
  FMat33(float m00, float m01, float m02, float m10, float m11, float m12, float m20, float m21, float m22);

  float operator()(int row, int column) const { return m_m[row][column]; }
  float& operator()(int row, int column) { return m_m[row][column]; }

  //! The inverse; false, leaving out as it was, when the matrix is singular.
  bool GetInverse(FMat33& out) const;
  FMat33 operator*(const FMat33& other) const;
  FMat33 operator*(float factor) const;
  DPoint3D Transform(const DPoint3D& point) const;

  bool operator==(const FMat33& other) const;
  bool operator!=(const FMat33& other) const { return !(*this == other); }

private:
  float m_m[3][3];
};

} // namespace dg
