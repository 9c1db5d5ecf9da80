#include "RayPick.h"

#include <tqg/Shape.h>

#include <algorithm>
#include <cmath>

namespace tqk {

namespace {

dg::DVec3 Sub(const dg::DPoint3D& a, const dg::DPoint3D& b)
{
  return dg::DVec3(a.x - b.x, a.y - b.y, a.z - b.z);
}

struct Ray
{
  dg::DPoint3D origin;
  dg::DVec3 direction; // one unit of view depth
};

// The depth along the ray at which it meets the triangle; false when it misses it or runs
// parallel to it. Hits on the triangle's edges count, with a margin for rounding: a ray through
// the diagonal that two triangles of a face share must not slip between them.
bool Intersect(const Ray& ray, const dg::DPoint3D& a, const dg::DPoint3D& b, const dg::DPoint3D& c,
               double& depth)
{
  const dg::DVec3 ab = Sub(b, a), ac = Sub(c, a);
  const dg::DVec3 p = ray.direction.Cross(ac);
  const double det = ab.Dot(p);
  if (det == 0.0 || !std::isfinite(det))
    return false;
  const dg::DVec3 s = Sub(ray.origin, a);
  const double margin = 1e-9;
  const double u = s.Dot(p) / det;
  if (u < -margin || u > 1.0 + margin)
    return false;
  const dg::DVec3 q = s.Cross(ab);
  const double v = ray.direction.Dot(q) / det;
  if (v < -margin || u + v > 1.0 + margin)
    return false;
  depth = ac.Dot(q) / det;
  // The ray starts at the viewer: what lies behind it is not seen, hence not picked.
  return std::isfinite(depth) && depth >= -margin;
}

} // namespace

std::vector<PickResult> CastPickRay(const ShapeScene& scene, const dg::Camera3D& camera, int x, int y,
                                    PickMode mode)
{
  dg::DMat44 viewToWorld = camera.GetTransformationMatrix();
  if (!viewToWorld.Invert())
    return {};
  const dg::DPoint3D near = dg::DPoint3D(x, y, 0.0) * viewToWorld;
  const dg::DPoint3D far = dg::DPoint3D(x, y, 1.0) * viewToWorld;
  const Ray ray{near, Sub(far, near)};

  struct Hit
  {
    double depth;
    PickResult result;
  };
  std::vector<Hit> hits;
  for (const du::SmartPtr<ShapeInstance>& part : scene.GetShapeInstances()) {
    const du::SmartPtr<Shape> shape = part->GetShape();
    if (!part->IsVisible() || !shape || !shape->GetShapeData())
      continue;
    const dg::DMat44 toScene = part->GetLocation().GetXform();
    bool hit = false;
    double nearest = 0.0;
    for (const du::SmartPtr<tqg::Face>& face : shape->GetShapeData()->GetFaces())
      for (const tqg::Face::Triangle& t : face->GetTriangles()) {
        double depth = 0.0;
        if (Intersect(ray, t[0] * toScene, t[1] * toScene, t[2] * toScene, depth) &&
            (!hit || depth < nearest)) {
          hit = true;
          nearest = depth;
        }
      }
    if (hit)
      hits.push_back({nearest, PickResult(part, dg::DPoint3D(ray.origin.x + ray.direction.x * nearest,
                                                             ray.origin.y + ray.direction.y * nearest,
                                                             ray.origin.z + ray.direction.z * nearest))});
  }
  std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.depth < b.depth; });
  if (mode == PICK_NEAREST && hits.size() > 1)
    hits.erase(hits.begin() + 1, hits.end());
  std::vector<PickResult> results;
  for (const Hit& hit : hits)
    results.push_back(hit.result);
  return results;
}

} // namespace tqk
