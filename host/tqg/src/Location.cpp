#include <dg/Location.h>

#include <cmath>

namespace dg {

const Location Location::IDENTITY;

Quat Quat::FromAxisAngle(const DVec3& axis, double angle)
{
  const double length = axis.Norm();
  if (length == 0.0)
    return Quat();
  const double s = std::sin(angle / 2) / length;
  return Quat(axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2));
}

Quat Quat::Normalized() const
{
  const double length = std::sqrt(x * x + y * y + z * z + w * w);
  if (length == 0.0 || !std::isfinite(length))
    return Quat();
  return Quat(x / length, y / length, z / length, w / length);
}

FMat33 Quat::ToMatrix() const
{
  const Quat q = Normalized();
  const double xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  const double xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  const double wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
  // The usual column-vector rotation matrix, transposed for row vectors.
  return FMat33(float(1 - 2 * (yy + zz)), float(2 * (xy + wz)), float(2 * (xz - wy)), float(2 * (xy - wz)),
                float(1 - 2 * (xx + zz)), float(2 * (yz + wx)), float(2 * (xz + wy)), float(2 * (yz - wx)),
                float(1 - 2 * (xx + yy)));
}

Quat Quat::FromMatrix(const FMat33& rt)
{
  // rt is the transpose of the column-vector matrix m: m(i, j) = rt(j, i).
  const auto m = [&rt](int i, int j) { return static_cast<double>(rt(j, i)); };
  const double trace = m(0, 0) + m(1, 1) + m(2, 2);
  Quat q;
  if (trace > 0) {
    const double s = std::sqrt(trace + 1.0) * 2;
    q = Quat((m(2, 1) - m(1, 2)) / s, (m(0, 2) - m(2, 0)) / s, (m(1, 0) - m(0, 1)) / s, s / 4);
  } else if (m(0, 0) > m(1, 1) && m(0, 0) > m(2, 2)) {
    const double s = std::sqrt(1.0 + m(0, 0) - m(1, 1) - m(2, 2)) * 2;
    q = Quat(s / 4, (m(0, 1) + m(1, 0)) / s, (m(0, 2) + m(2, 0)) / s, (m(2, 1) - m(1, 2)) / s);
  } else if (m(1, 1) > m(2, 2)) {
    const double s = std::sqrt(1.0 + m(1, 1) - m(0, 0) - m(2, 2)) * 2;
    q = Quat((m(0, 1) + m(1, 0)) / s, s / 4, (m(1, 2) + m(2, 1)) / s, (m(0, 2) - m(2, 0)) / s);
  } else {
    const double s = std::sqrt(1.0 + m(2, 2) - m(0, 0) - m(1, 1)) * 2;
    q = Quat((m(0, 2) + m(2, 0)) / s, (m(1, 2) + m(2, 1)) / s, s / 4, (m(1, 0) - m(0, 1)) / s);
  }
  return q.Normalized();
}

// Spelled out rather than copied from FMat33::IDENTITY: Location::IDENTITY is built at load, and
// another file's constant may not be built yet then.
Location::Location() : m_orientation(1, 0, 0, 0, 1, 0, 0, 0, 1) {}

Location::Location(const FMat33& orientation, const DPoint3D& position)
    : m_orientation(orientation), m_origin(position)
{}

Location::Location(const DPoint3D& origin, const Quat& rotation, double scale)
{
  Set(origin, rotation, scale);
}

void Location::Set(const DPoint3D& origin, const Quat& rotation, double scale)
{
  m_orientation = rotation.ToMatrix() * static_cast<float>(scale);
  m_origin = origin;
}

void Location::Get(DPoint3D& origin, Quat& rotation, double& scale) const
{
  origin = m_origin;
  rotation = GetQuat();
  scale = GetScale();
}

double Location::GetScale() const
{
  const double x = m_orientation(0, 0), y = m_orientation(0, 1), z = m_orientation(0, 2);
  return std::sqrt(x * x + y * y + z * z);
}

Quat Location::GetQuat() const
{
  const double scale = GetScale();
  if (scale == 0.0)
    return Quat();
  return Quat::FromMatrix(m_orientation * static_cast<float>(1.0 / scale));
}

DMat44 Location::GetXform() const
{
  DMat44 m;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      m(r, c) = m_orientation(r, c);
  m(3, 0) = m_origin.x;
  m(3, 1) = m_origin.y;
  m(3, 2) = m_origin.z;
  return m;
}

bool Location::GetInverse(Location& out) const
{
  FMat33 inverse;
  if (!m_orientation.GetInverse(inverse))
    return false;
  const DPoint3D moved = inverse.Transform(m_origin);
  out = Location(inverse, DPoint3D(-moved.x, -moved.y, -moved.z));
  return true;
}

bool Location::operator==(const Location& other) const
{
  return m_orientation == other.m_orientation && m_origin.x == other.m_origin.x &&
         m_origin.y == other.m_origin.y && m_origin.z == other.m_origin.z;
}

DPoint3D operator*(const DPoint3D& point, const Location& location)
{
  const DPoint3D turned = location.GetOrientation().Transform(point);
  const DPoint3D& origin = location.GetPosition();
  return DPoint3D(turned.x + origin.x, turned.y + origin.y, turned.z + origin.z);
}

} // namespace dg
