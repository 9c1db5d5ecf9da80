#include <tqannotations/CalloutInfo.h>

#include "callouts/CalloutUnits.h"
#include "common/SharedHeaderKeys.h"
#include "common/ValueOperators.h"

#include <tqk/Preferences.h>
#include <tqk/World.h>

namespace tqannotations {
namespace {

const dg::Color kOpaqueBlack(0.0f, 0.0f, 0.0f, 1.0f);

} // namespace

CalloutInfo::CalloutInfo()
    : position(dg::DPoint3D::ORIGIN), text(" "), textColor(kOpaqueBlack), fillColor(kOpaqueBlack),
      lineColor(kOpaqueBlack), fontFace("Arial")
{}

CalloutInfo::CalloutInfo(const CalloutInfo& other)
    : position(other.position), text(other.text), physicalFontSize(other.physicalFontSize),
      textUnit(other.textUnit), textColor(kOpaqueBlack), fillColor(kOpaqueBlack),
      pageNumber(other.pageNumber), shape(other.shape), arrowStyle(other.arrowStyle),
      lineWeight(other.lineWeight), lineStipple(other.lineStipple), lineColor(other.lineColor),
      halo(other.halo), fontFace(other.fontFace), validFields(other.validFields)
{
  if (other.validFields & TEXT_COLOR_VALID)
    textColor = other.textColor;
  if (other.validFields & FILL_COLOR_VALID)
    fillColor = other.fillColor;
  if (other.validFields & FONT_SIZE_VALID) {
    fontSize = ToPoints(textUnit, other.fontSize);
    textUnit = 3;
  }
  leaderRecords.reserve(other.leaderRecords.size());
  for (const du::SmartPtr<CalloutLeaderInfo>& record : other.leaderRecords)
    if (record)
      leaderRecords.push_back(new CalloutLeaderInfo(*record));
}

CalloutInfo& CalloutInfo::operator=(const CalloutInfo& other) = default;

CalloutInfo::~CalloutInfo() = default;

bool CalloutInfo::SetLeaderLineAnchor(const dg::DPoint3D& anchor, unsigned int index)
{
  if (index >= leaderRecords.size() || !leaderRecords[index] || !dg::IsFinite(anchor))
    return false;
  leaderRecords[index]->anchor = anchor;
  return true;
}

void CalloutInfo::ApplyPreferenceValues()
{
  const du::SmartPtr<tqk::World> world = tqk::World::GetWorld();
  if (!world)
    return;
  const du::SmartPtr<tqk::Preferences>& preferences = world->GetPreferences();
  if (!preferences)
    return;
  int size = 0;
  const bool sizeFound = preferences->GetInt("Annotations/Text/g_Font/font_size", size, nullptr);
  preferences->GetIntUIAsColor("Annotations/Text/g_Color/text_color", textColor, nullptr);
  preferences->GetIntUIAsColor("Annotations/Text/g_Color/text_background_color", fillColor, nullptr);
  if (sizeFound && size > 0)
    fontSize = float(size);
}

} // namespace tqannotations
