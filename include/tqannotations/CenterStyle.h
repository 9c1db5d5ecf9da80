#pragma once

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <dg/Location.h>
#include <tqannotations/Export.h>

#include <cstdint>

namespace tqannotations {

//! The look and routing of one center line: colour, stipple, width, arrow heads, halo,
//! extensions beyond the two ends, hidden stretches, and whether and how the line follows the
//! axes of a coordinate system.
//!
//! A plain value, copied into the center line, its representations, its snapshot and its undo
//! step. Every new style takes its defaults from the host's preferences under
//! "Annotations/Centerline/"; without a world or a preference store it keeps the defaults of
//! its constructor.
class TQANNOTATIONS_EXPORT CenterStyle
{
public:
  //! Which coordinate system a routed line follows.
  enum CSYS_TYPE : std::int32_t
  {
    CSYS_NONE = 0,   //!< none: the world's axes
    CSYS_PART = 1,   //!< the placement of the part picked first
    CSYS_WORLD = 2,  //!< the world's axes, chosen as such
    CSYS_PICKED = 3, //!< the coordinate system picked into the center line's last slot
  };
  //! The identity of the coordinate system, as the center line hands it in; 0 for none.
  enum CSYS_ID : std::int32_t
  {
    CSYS_ID_NONE = 0,
  };

  //! Bits of the masks of Compare and Sync, one per field group.
  enum FieldMask : std::uint16_t
  {
    STROKE_COLOR = 0x1,
    LINE_STYLE = 0x2,
    LINE_WIDTH = 0x4,
    ARROW_TYPE = 0x8,
    ALWAYS_IN_FRONT = 0x10,
    ATTACHED = 0x20,
    ALONG_XYZ = 0x40,
    XYZ_FLAG = 0x80,
    LINE_EXTENT_1 = 0x100,
    LINE_EXTENT_2 = 0x200,
    CSYS = 0x400, //!< csysType and csysId together
    HALO = 0x800,
  };

  //! The defaults below, then those of the preferences (LoadDefaultFromPreference).
  CenterStyle();

  //! Equal in width (as floats), colour (as stored, bit for bit), stipple, hidden stretches, arrow
  //! heads and, within 1e-5, both extents. The other fields take no part.
  bool operator==(const CenterStyle& other) const;
  bool operator!=(const CenterStyle& other) const { return !(*this == other); }
  //! Whether every field group the mask selects equals the other's, extents exactly; true for 0.
  bool Compare(CenterStyle other, std::uint16_t mask);
  //! Copies the field groups the mask selects from the other style; the axis order follows a
  //! copied flag. Nothing is copied when the mask selects a colour that is not finite.
  void Sync(CenterStyle other, std::uint16_t mask);
  //! Derives xyzOrder from xyzFlag (1 to 6); any other flag leaves the order as it was.
  void MapXYZOrder();
  //! Overwrites the fields that the preferences under "Annotations/Centerline/" give.
  void LoadDefaultFromPreference();

  float lineExtent1 = 0.0f;                           //!< extension beyond the first end
  float lineExtent2 = 0.0f;                           //!< extension beyond the second end
  float dragFactor = 0.5f;                            //!< share of the first axis leg before the first corner
  bool allwaysInFront = false;                        //!< show stretches hidden behind parts, dashed
  bool alongXYZ = false;                              //!< routed along the axes instead of straight
  bool attached = true;                               //!< follows its picked parts
  float lineWidth = 1.0f;                             //!< in points
  std::uint16_t xyzFlag = 1;                          //!< axis order choice, 1 to 6
  std::uint16_t xyzOrder[3] = {0, 1, 2};              //!< axis indices (0 = X, 1 = Y, 2 = Z)
  dg::Location csysLocation = dg::Location::IDENTITY; //!< copied along, used by nothing
  dg::Color strokeColor = dg::Color::BLACK;
  int lineStyle = 0; //!< stipple pattern 0 to 7
  int arrowType = 0; //!< arrow heads at the two ends, 0 to 8
  CSYS_TYPE csysType = CSYS_NONE;
  CSYS_ID csysId = CSYS_ID_NONE;
  dg::DPoint3D anchorOffset;   //!< added to the second end where the line is drawn
  dg::DPoint3D endpointOffset; //!< added to the first end where the line is drawn
  bool isHalo = false;
};

} // namespace tqannotations
