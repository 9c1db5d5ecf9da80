#pragma once

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/CalloutLeaderInfo.h>
#include <tqannotations/Export.h>

#include <cstdint>
#include <vector>

namespace tqannotations {

//! A callout's values: label position and text, look, page, and one record per leader.
//!
//! Copied by value. The copy constructor is a masked copy: it takes the text colour, font size
//! and fill colour only where the source's mask allows, brings the font size to points, and
//! makes new leader records. Assignment copies everything as it stands and shares the records.
class TQANNOTATIONS_EXPORT CalloutInfo
{
public:
  //! Bits of validFields: which optional values the copy constructor takes over.
  enum ValidField : std::uint8_t
  {
    TEXT_COLOR_VALID = 1,
    FONT_SIZE_VALID = 2,
    FILL_COLOR_VALID = 4,
  };

  CalloutInfo();
  CalloutInfo(const CalloutInfo& other);
  CalloutInfo& operator=(const CalloutInfo& other);
  ~CalloutInfo();

  //! Sets the anchor of the record at index; false, changing nothing, when there is no record
  //! there or the anchor is not finite.
  bool SetLeaderLineAnchor(const dg::DPoint3D& anchor, unsigned int index);

  //! Label position: in the space of leader 0's part for a callout with leaders, in the scene's
  //! space for a note.
  dg::DPoint3D position;
  du::Symbol text;
  //! In points once taken from a definition.
  float fontSize = 10.0f;
  //! Carried and saved; the callout does not interpret it.
  bool physicalFontSize = true;
  //! Unit of fontSize: 0 millimetre, 1 centimetre, 2 inch; any other is taken as it stands.
  int textUnit = 3;
  dg::Color textColor;
  dg::Color fillColor;
  int pageNumber = 0;
  //! The label shape code as the definition gives it (see Callout::GetShape).
  int shape = 0;
  int arrowStyle = 3;
  //! Leader line width in points.
  float lineWeight = 1.0f;
  int lineStipple = 0;
  dg::Color lineColor;
  bool halo = false;
  du::Symbol fontFace;
  std::uint8_t validFields = 0xFF;
  std::vector<du::SmartPtr<CalloutLeaderInfo>> leaderRecords;

protected:
  //! Takes the font size and the text and fill colours from the host's text preferences. A font
  //! size is taken only when its key is found and it is above 0; colours only when found.
  void ApplyPreferenceValues();
};

} // namespace tqannotations
