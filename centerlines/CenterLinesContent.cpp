#include "common/ReadLockGuard.h"
#include "common/SharedHeaderKeys.h"
#include "common/ValueOperators.h"
#include "common/WriteLockGuard.h"

#include <tqannotations/AssocAnnotationSerializedContentVisitor.h>
#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/SerializedContentElement.h>

#include <cmath>
#include <cstdio>

namespace tqannotations {

namespace {

const du::Symbol kPoint1("point1");
const du::Symbol kPoint2("point2");
const du::Symbol kLocation1("location1");
const du::Symbol kLocation2("location2");
const du::Symbol kCsys("csys");
const du::Symbol kAnchorOffset("anchorOffset");
const du::Symbol kEndpointOffset("endpointOffset");
const du::Symbol kDragFactor("dragFactor");
const du::Symbol kLineExtent1("lineExtent1");
const du::Symbol kLineExtent2("lineExtent2");
const du::Symbol kAllwaysInFront("allwaysInFront");
const du::Symbol kAlongXYZ("alongXYZ");
const du::Symbol kAttached("attached");
const du::Symbol kIsHalo("isHalo");
const du::Symbol kLineWidth("lineWidth");
const du::Symbol kXyzFlag("xyzFlag");
const du::Symbol kLineStyle("lineStyle");
const du::Symbol kArrowType("arrowType");
const du::Symbol kStrokeColor("strokeColor");
const du::Symbol kCsysType("csysType");
const du::Symbol kJogs("jogs");
const du::Symbol kJogsCount("jogsCount");
// Keys of the format that no center line writes; nothing reads them, they are kept so that the
// unit interns the same key set.
const du::Symbol kDir1("dir1");
const du::Symbol kDir2("dir2");
const du::Symbol kSelectionSlots("selectionSlots");
const du::Symbol kSbomInstance("SbomInstance");

const dg::Quat kNoRotation(0.0, 0.0, 0.0, 1.0);

// A rotation that is no rotation at all (zero or not finite) reads as none.
bool IsUsableRotation(const dg::Quat& q)
{
  const double norm = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
  return std::isfinite(norm) && norm > 0.0;
}

dg::Quat RotationOf(const dg::Location& placement)
{
  dg::DPoint3D origin;
  dg::Quat rotation;
  double scale = 1.0;
  placement.Get(origin, rotation, scale);
  return rotation;
}

// The placement holds its rotation as a single-precision matrix, which gives back a rotation a
// little off the one it was made from, so the rotation loaded is written again for as long as the
// placement still turns as it did when loaded: saving never moves it.
dg::Quat RotationToSave(const dg::Location& csys, const dg::Quat& loaded)
{
  const dg::Quat turned = RotationOf(csys);
  if (!IsUsableRotation(loaded))
    return turned;
  dg::Location asLoaded;
  asLoaded.Set(dg::DPoint3D::ORIGIN, loaded, 1.0);
  const dg::Quat loadedTurned = RotationOf(asLoaded);
  const bool same = turned.x == loadedTurned.x && turned.y == loadedTurned.y && turned.z == loadedTurned.z &&
                    turned.w == loadedTurned.w;
  return same ? loaded : turned;
}

//! Reads a center line's own properties into a snapshot and hands the rest to the bases.
class CenterLinesSerializedContentVisitor : public AssocAnnotation::SerializedContentVisitor
{
public:
  explicit CenterLinesSerializedContentVisitor(const du::SmartPtr<CenterLinesAnnotation>& centerLine)
      : AssocAnnotation::SerializedContentVisitor(centerLine)
  {
    m_info.representationCount = 0;
  }

  const CenterLinesInfo& GetInfo() const { return m_info; }
  //! The "csys" rotation as the content gave it; zero when it gave none or none that turns.
  const dg::Quat& GetRotation() const { return m_rotation; }
  //! Whether the content gave both end points, each of finite coordinates.
  bool HasEndPoints() const { return m_hasPoint1 && m_hasPoint2; }

  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement* element) override
  {
    return name == "Centerlines" ? true
                                 : AssocAnnotation::SerializedContentVisitor::StartElement(name, element);
  }
  bool EndElement(const du::Symbol& name) override
  {
    return name == "Centerlines" ? true : AssocAnnotation::SerializedContentVisitor::EndElement(name);
  }

  using AssocAnnotation::SerializedContentVisitor::Visit;

  void Visit(const du::Symbol& key, const dg::Color& value) override
  {
    if (key == kStrokeColor) {
      // Taken as absent when not finite, as a point is.
      if (dg::IsFinite(value))
        m_info.style.strokeColor = value;
    } else
      std::printf("Unhandle dg::Color %s --------------------------------------\n", key.c_str());
  }

  void Visit(const du::Symbol& key, const dg::Quat& value) override
  {
    if (key == kCsys) {
      const bool usable = IsUsableRotation(value);
      m_rotation = usable ? value : dg::Quat(0.0, 0.0, 0.0, 0.0);
      m_info.csys.Set(dg::DPoint3D::ORIGIN, usable ? value : kNoRotation, 1.0);
    } else
      tqk::SerializedContentVisitor::Visit(key, value);
  }

  void Visit(const du::Symbol& key, const dg::DPoint3D& value) override
  {
    // A point that is not finite would be drawn and saved again as it is: it is taken as absent.
    if (!dg::IsFinite(value))
      return;
    if (key == kPoint1) {
      m_info.point1 = value;
      m_hasPoint1 = true;
    } else if (key == kPoint2) {
      m_info.point2 = value;
      m_hasPoint2 = true;
    } else if (key == kLocation1)
      m_info.location1 = value;
    else if (key == kLocation2)
      m_info.location2 = value;
    else if (key == kAnchorOffset)
      m_info.style.anchorOffset = value;
    else if (key == kEndpointOffset)
      m_info.style.endpointOffset = value;
    else
      tqk::SerializedContentVisitor::Visit(key, value);
  }

  void Visit(const du::Symbol& key, std::int32_t value) override
  {
    if (key == kLineStyle)
      m_info.style.lineStyle = value;
    else if (key == kArrowType)
      m_info.style.arrowType = value;
    else if (key == kCsysType)
      m_info.style.csysType = static_cast<CenterStyle::CSYS_TYPE>(value);
    else
      tqk::SerializedContentVisitor::Visit(key, value);
  }

  void Visit(const du::Symbol& key, std::uint16_t value) override
  {
    if (key == kXyzFlag) {
      m_info.style.xyzFlag = value;
      m_info.style.MapXYZOrder();
    } else
      tqk::SerializedContentVisitor::Visit(key, value);
  }

  void Visit(const du::Symbol& key, float value) override
  {
    float* const field = key == kLineWidth     ? &m_info.style.lineWidth
                         : key == kDragFactor  ? &m_info.style.dragFactor
                         : key == kLineExtent1 ? &m_info.style.lineExtent1
                         : key == kLineExtent2 ? &m_info.style.lineExtent2
                                               : nullptr;
    if (!field)
      tqk::SerializedContentVisitor::Visit(key, value);
    else if (std::isfinite(value)) // taken as absent when not, as a point is
      *field = value;
  }

  void Visit(const du::Symbol& key, bool value) override
  {
    if (key == kAllwaysInFront)
      m_info.style.allwaysInFront = value;
    else if (key == kAlongXYZ)
      m_info.style.alongXYZ = value;
    else if (key == kAttached)
      m_info.style.attached = value;
    else if (key == kIsHalo)
      m_info.style.isHalo = value;
    else
      tqk::Annotation::SerializedContentVisitor::Visit(key, value);
  }

private:
  CenterLinesInfo m_info;
  dg::Quat m_rotation{0.0, 0.0, 0.0, 0.0};
  bool m_hasPoint1 = false;
  bool m_hasPoint2 = false;
};

} // namespace

void CenterLinesAnnotation::Visit(tqk::SerializedContentElement& element) const
{
  ReadLockGuard lock(*this);
  tqk::SerializedContentElement& content = element.StartContent(GetClassStatic());
  AssocAnnotation::Visit(content);
  CenterLinesInfo info;
  GetCenterLinesInfo(info);
  const dg::Quat rotation = RotationToSave(info.csys, m_loadedCsysRotation);
  content.AddProperty(kPoint1, info.point1);
  content.AddProperty(kPoint2, info.point2);
  content.AddProperty(kLocation1, info.location1);
  content.AddProperty(kLocation2, info.location2);
  content.AddProperty(kCsys, rotation);
  content.AddProperty(kJogsCount, static_cast<std::uint32_t>(info.jogs.size()));
  for (const dg::DPoint3D& jog : info.jogs)
    content.AddProperty(kJogs, jog);
  const CenterStyle& style = info.style;
  content.AddProperty(kAnchorOffset, style.anchorOffset);
  content.AddProperty(kEndpointOffset, style.endpointOffset);
  content.AddProperty(kDragFactor, style.dragFactor);
  content.AddProperty(kLineExtent1, style.lineExtent1);
  content.AddProperty(kLineExtent2, style.lineExtent2);
  content.AddProperty(kAllwaysInFront, style.allwaysInFront);
  content.AddProperty(kAlongXYZ, style.alongXYZ);
  content.AddProperty(kAttached, style.attached);
  content.AddProperty(kIsHalo, style.isHalo);
  content.AddProperty(kLineWidth, style.lineWidth);
  content.AddProperty(kXyzFlag, style.xyzFlag);
  content.AddProperty(kLineStyle, static_cast<std::int32_t>(style.lineStyle));
  content.AddProperty(kArrowType, static_cast<std::int32_t>(style.arrowType));
  content.AddProperty(kStrokeColor, style.strokeColor);
  content.AddProperty(kCsysType, static_cast<std::int32_t>(style.csysType));
  content.EndContent();
}

bool CenterLinesAnnotation::InitializeFromSerializedContent(const tqk::SerializedContentElement* element)
{
  if (!element)
    return false;
  WriteLockGuard lock(*this);
  CenterLinesInfo info;
  bool hasEndPoints = false;
  {
    CenterLinesSerializedContentVisitor reader(du::SmartPtr<CenterLinesAnnotation>(this));
    element->Visit(reader);
    info = reader.GetInfo();
    hasEndPoints = reader.HasEndPoints();
    m_loadedCsysRotation = reader.GetRotation();
  }
  SetCenterLinesInfo(info);
  if (!hasEndPoints) {
    // Nothing to draw until the next measurement gives the line its end points.
    m_measured = false;
    m_hasEndPoints = false;
  }
  SetCreatedFromFile(true);
  return !m_storedSelections.empty();
}

} // namespace tqannotations
