#include <dg/DMat44.h>
#include <dg/FMat33.h>

#include <cmath>
#include <utility>

namespace dg {

const FMat33 FMat33::IDENTITY(1, 0, 0, 0, 1, 0, 0, 0, 1);

FMat33::FMat33() : m_m{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}} {}

FMat33::FMat33(float m00, float m01, float m02, float m10, float m11, float m12, float m20, float m21,
               float m22)
    : m_m{{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}}
{}

bool FMat33::GetInverse(FMat33& out) const
{
  // Cofactors in double: placements are composed and undone many times over.
  const auto m = [this](int r, int c) { return static_cast<double>(m_m[r][c]); };
  const double c00 = m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1);
  const double c01 = m(1, 2) * m(2, 0) - m(1, 0) * m(2, 2);
  const double c02 = m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0);
  const double det = m(0, 0) * c00 + m(0, 1) * c01 + m(0, 2) * c02;
  if (det == 0.0 || !std::isfinite(det))
    return false;
  const double k = 1.0 / det;
  out = FMat33(float(c00 * k), float((m(0, 2) * m(2, 1) - m(0, 1) * m(2, 2)) * k),
               float((m(0, 1) * m(1, 2) - m(0, 2) * m(1, 1)) * k), float(c01 * k),
               float((m(0, 0) * m(2, 2) - m(0, 2) * m(2, 0)) * k),
               float((m(0, 2) * m(1, 0) - m(0, 0) * m(1, 2)) * k), float(c02 * k),
               float((m(0, 1) * m(2, 0) - m(0, 0) * m(2, 1)) * k),
               float((m(0, 0) * m(1, 1) - m(0, 1) * m(1, 0)) * k));
  return true;
}

FMat33 FMat33::operator*(const FMat33& other) const
{
  FMat33 product;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      product.m_m[r][c] =
          m_m[r][0] * other.m_m[0][c] + m_m[r][1] * other.m_m[1][c] + m_m[r][2] * other.m_m[2][c];
  return product;
}

FMat33 FMat33::operator*(float factor) const
{
  FMat33 scaled = *this;
  for (auto& row : scaled.m_m)
    for (float& value : row)
      value *= factor;
  return scaled;
}

DPoint3D FMat33::Transform(const DPoint3D& p) const
{
  return DPoint3D(p.x * m_m[0][0] + p.y * m_m[1][0] + p.z * m_m[2][0],
                  p.x * m_m[0][1] + p.y * m_m[1][1] + p.z * m_m[2][1],
                  p.x * m_m[0][2] + p.y * m_m[1][2] + p.z * m_m[2][2]);
}

bool FMat33::operator==(const FMat33& other) const
{
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      if (m_m[r][c] != other.m_m[r][c])
        return false;
  return true;
}

const DMat44 DMat44::IDENTITY;

DMat44::DMat44() : m_m{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}} {}

bool DMat44::InvertAffine()
{
  // Cofactors of the 3x3 part and the translation carried back: for the placements of parts
  // (axis swaps, power-of-two scales, round offsets) every step is exact, so a point carried
  // into a scene and back lands where it started.
  const auto& m = m_m;
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  if (det == 0.0 || !std::isfinite(det))
    return false;
  double r[3][3] = {{c00, m[0][2] * m[2][1] - m[0][1] * m[2][2], m[0][1] * m[1][2] - m[0][2] * m[1][1]},
                    {c01, m[0][0] * m[2][2] - m[0][2] * m[2][0], m[0][2] * m[1][0] - m[0][0] * m[1][2]},
                    {c02, m[0][1] * m[2][0] - m[0][0] * m[2][1], m[0][0] * m[1][1] - m[0][1] * m[1][0]}};
  for (auto& row : r)
    for (double& value : row)
      value /= det;
  double t[3];
  for (int c = 0; c < 3; ++c)
    t[c] = -(m[3][0] * r[0][c] + m[3][1] * r[1][c] + m[3][2] * r[2][c]);
  for (int row = 0; row < 3; ++row)
    for (int c = 0; c < 3; ++c)
      m_m[row][c] = r[row][c];
  for (int c = 0; c < 3; ++c)
    m_m[3][c] = t[c];
  return true;
}

bool DMat44::Invert()
{
  if (m_m[0][3] == 0.0 && m_m[1][3] == 0.0 && m_m[2][3] == 0.0 && m_m[3][3] == 1.0)
    return InvertAffine();
  // Gauss-Jordan elimination with partial pivoting on a copy, so that a singular matrix is
  // left untouched.
  double a[4][4];
  double inverse[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      a[r][c] = m_m[r][c];

  for (int column = 0; column < 4; ++column) {
    int pivot = column;
    for (int r = column + 1; r < 4; ++r)
      if (std::fabs(a[r][column]) > std::fabs(a[pivot][column]))
        pivot = r;
    if (a[pivot][column] == 0.0 || !std::isfinite(a[pivot][column]))
      return false;
    std::swap(a[pivot], a[column]);
    std::swap(inverse[pivot], inverse[column]);
    const double k = 1.0 / a[column][column];
    for (int c = 0; c < 4; ++c) {
      a[column][c] *= k;
      inverse[column][c] *= k;
    }
    for (int r = 0; r < 4; ++r) {
      if (r == column)
        continue;
      const double factor = a[r][column];
      for (int c = 0; c < 4; ++c) {
        a[r][c] -= factor * a[column][c];
        inverse[r][c] -= factor * inverse[column][c];
      }
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      m_m[r][c] = inverse[r][c];
  return true;
}

DMat44 DMat44::operator*(const DMat44& other) const
{
  DMat44 product;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += m_m[r][k] * other.m_m[k][c];
      product.m_m[r][c] = sum;
    }
  return product;
}

DPoint3D operator*(const DPoint3D& p, const DMat44& m)
{
  double out[4];
  for (int c = 0; c < 4; ++c)
    out[c] = p.x * m(0, c) + p.y * m(1, c) + p.z * m(2, c) + m(3, c);
  if (out[3] != 1.0 && out[3] != 0.0)
    return DPoint3D(out[0] / out[3], out[1] / out[3], out[2] / out[3]);
  return DPoint3D(out[0], out[1], out[2]);
}

} // namespace dg
