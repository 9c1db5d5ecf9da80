#include "centerlines/FiniteCenterLineValues.h"
#include "common/SharedHeaderKeys.h"

#include <tqannotations/CenterStyle.h>
#include <tqk/Preferences.h>
#include <tqk/World.h>

#include <cmath>
#include <cstring>
#include <string>

namespace tqannotations {

namespace {

const std::string kKeys = "Annotations/Centerline/";

// Colours compare as stored, word by word: a NaN component equals the same NaN.
bool SameColor(const dg::Color& a, const dg::Color& b)
{
  const float first[4] = {a.r, a.g, a.b, a.a};
  const float second[4] = {b.r, b.g, b.b, b.a};
  return std::memcmp(first, second, sizeof first) == 0;
}

bool NearlyEqual(float a, float b) { return std::fabs(a - b) < 1e-5f; }

// The arrow heads for the pair (start, end) of "none", "point" and "round"; -1 outside the lists.
int ArrowTypeOf(const std::string& start, const std::string& end)
{
  static const char* const kinds[3] = {"none", "point", "round"};
  static const int table[3][3] = {{0, 2, 4}, {3, 1, 8}, {5, 6, 7}};
  int row = -1;
  int column = -1;
  for (int i = 0; i < 3; ++i) {
    if (start == kinds[i])
      row = i;
    if (end == kinds[i])
      column = i;
  }
  return row < 0 || column < 0 ? -1 : table[row][column];
}

// A width or an extent that is not finite is a value outside the key's list.
void ReadFinite(tqk::Preferences& preferences, const std::string& key, float& field)
{
  float value = 0.0f;
  if (preferences.GetFloat(key, value, nullptr) && std::isfinite(value))
    field = value;
}

} // namespace

CenterStyle::CenterStyle() { LoadDefaultFromPreference(); }

bool CenterStyle::operator==(const CenterStyle& other) const
{
  return lineWidth == other.lineWidth && SameColor(strokeColor, other.strokeColor) &&
         lineStyle == other.lineStyle && allwaysInFront == other.allwaysInFront &&
         arrowType == other.arrowType && NearlyEqual(lineExtent1, other.lineExtent1) &&
         NearlyEqual(lineExtent2, other.lineExtent2);
}

bool CenterStyle::Compare(CenterStyle other, std::uint16_t mask)
{
  const auto selected = [mask](std::uint16_t bit) { return (mask & bit) != 0; };
  return (!selected(STROKE_COLOR) || SameColor(strokeColor, other.strokeColor)) &&
         (!selected(LINE_STYLE) || lineStyle == other.lineStyle) &&
         (!selected(LINE_WIDTH) || lineWidth == other.lineWidth) &&
         (!selected(ARROW_TYPE) || arrowType == other.arrowType) &&
         (!selected(ALWAYS_IN_FRONT) || allwaysInFront == other.allwaysInFront) &&
         (!selected(ATTACHED) || attached == other.attached) &&
         (!selected(ALONG_XYZ) || alongXYZ == other.alongXYZ) &&
         (!selected(XYZ_FLAG) || xyzFlag == other.xyzFlag) &&
         (!selected(LINE_EXTENT_1) || lineExtent1 == other.lineExtent1) &&
         (!selected(LINE_EXTENT_2) || lineExtent2 == other.lineExtent2) &&
         (!selected(CSYS) || (csysType == other.csysType && csysId == other.csysId)) &&
         (!selected(HALO) || isHalo == other.isHalo);
}

void CenterStyle::Sync(CenterStyle other, std::uint16_t mask)
{
  if (!IsFiniteUnder(other, mask))
    return;
  if (mask & STROKE_COLOR)
    strokeColor = other.strokeColor;
  if (mask & LINE_STYLE)
    lineStyle = other.lineStyle;
  if (mask & LINE_WIDTH)
    lineWidth = other.lineWidth;
  if (mask & ARROW_TYPE)
    arrowType = other.arrowType;
  if (mask & ALWAYS_IN_FRONT)
    allwaysInFront = other.allwaysInFront;
  if (mask & ATTACHED)
    attached = other.attached;
  if (mask & ALONG_XYZ)
    alongXYZ = other.alongXYZ;
  if (mask & XYZ_FLAG) {
    xyzFlag = other.xyzFlag;
    MapXYZOrder();
  }
  if (mask & LINE_EXTENT_1)
    lineExtent1 = other.lineExtent1;
  if (mask & LINE_EXTENT_2)
    lineExtent2 = other.lineExtent2;
  if (mask & CSYS) {
    csysType = other.csysType;
    csysId = other.csysId;
  }
  if (mask & HALO)
    isHalo = other.isHalo;
}

void CenterStyle::MapXYZOrder()
{
  static const std::uint16_t orders[6][3] = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2},
                                             {0, 2, 1}, {2, 0, 1}, {1, 2, 0}};
  if (xyzFlag < 1 || xyzFlag > 6)
    return;
  for (int i = 0; i < 3; ++i)
    xyzOrder[i] = orders[xyzFlag - 1][i];
}

void CenterStyle::LoadDefaultFromPreference()
{
  const du::SmartPtr<tqk::World> world = tqk::World::GetWorld();
  const du::SmartPtr<tqk::Preferences> preferences = world ? world->GetPreferences() : nullptr;
  if (!preferences)
    return;

  // The getter may leave the pre-set colour as it is; what it leaves is taken either way.
  dg::Color color = dg::Color::YELLOW;
  preferences->GetIntUIAsColor(kKeys + "line_color_button", color, nullptr);
  strokeColor = color;

  std::string text;
  if (preferences->GetString(kKeys + "style_option", text, nullptr) && text.size() == 2 && text[0] == 's' &&
      text[1] >= '0' && text[1] <= '7')
    lineStyle = text[1] - '0';
  preferences->GetBool(kKeys + "Halo", isHalo, nullptr);
  ReadFinite(*preferences, kKeys + "weight", lineWidth);
  preferences->GetBool(kKeys + "show_hidden", allwaysInFront, nullptr);
  preferences->GetBool(kKeys + "associative_check", attached, nullptr);
  ReadFinite(*preferences, kKeys + "extent_start_spin", lineExtent1);
  ReadFinite(*preferences, kKeys + "extent_end_spin", lineExtent2);

  if (preferences->GetString(kKeys + "path_menu", text, nullptr)) {
    if (text == "1") {
      alongXYZ = false;
      csysType = CSYS_NONE;
    } else if (text == "2") {
      csysType = CSYS_WORLD;
      alongXYZ = true;
    } else if (text == "3") {
      csysType = CSYS_PART;
      alongXYZ = true;
    }
  }

  if (preferences->GetString(kKeys + "axis_menu", text, nullptr)) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '6')
      xyzFlag = static_cast<std::uint16_t>(text[0] - '0');
    MapXYZOrder();
  }

  std::string start;
  std::string end;
  if (preferences->GetString(kKeys + "start_option", start, nullptr) &&
      preferences->GetString(kKeys + "end_option", end, nullptr)) {
    const int arrows = ArrowTypeOf(start, end);
    if (arrows >= 0)
      arrowType = arrows;
  }
}

} // namespace tqannotations
