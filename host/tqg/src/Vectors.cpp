#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <dg/FVec2.h>
#include <dg/Location.h>

#include <cfloat>
#include <cmath>

namespace dg {

const DPoint3D DPoint3D::ORIGIN;
const DPoint3D DPoint3D::BAD(DBL_MAX, DBL_MAX, DBL_MAX);
const DVec3 DVec3::ZERO;

DPoint3D& DPoint3D::operator*=(const Location& location)
{
  *this = *this * location;
  return *this;
}

double DVec3::Norm() const { return std::sqrt(x * x + y * y + z * z); }

float FVec2::Norm() const { return std::sqrt(x * x + y * y); }

} // namespace dg
