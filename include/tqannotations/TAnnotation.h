#pragma once

#include <dg/Color.h>
#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Export.h>
#include <tqannotations/LabelContent.h>
#include <tqannotations/TLabel.h>
#include <tqannotations/TLeaders.h>

#include <string>
#include <vector>

namespace tqannotations {

//! An annotation template: how a callout looks and what its label says.
//!
//! The label and the leaders are optional. Every getter answers without failing: where the part
//! that it reads is missing it gives a default, so a template with neither still yields a whole
//! look. The line getters read only the last line style of the leaders.
//!
//! Copies share the line styles and content items with their source, so a change made to one
//! of those objects shows in every copy; labels and leaders themselves are not shared.
class TQANNOTATIONS_EXPORT TAnnotation : public du::RefCounted
{
public:
  TAnnotation() = default;
  TAnnotation(const TAnnotation& other);
  //! Copies the texts, the file path and the resolution. Gives this template new leaders over
  //! the source's line styles and a copy of the source's label, each only when the source has
  //! one; otherwise this template keeps its own.
  TAnnotation& operator=(const TAnnotation& other);
  ~TAnnotation() override;

  //! 10 without a label.
  float GetFontSize() const;
  //! 3 (pixel) without a label.
  int GetFontSizeUnit() const;
  //! Opaque black without a label.
  dg::Color GetTextColor() const;
  //! Opaque white without a label.
  dg::Color GetFillColor() const;
  //! 0 (circle) without a label.
  int GetShape() const;
  //! "Arial" without a label.
  std::string GetTextFace() const;

  //! 3 (arrow at the start only) without a line style.
  int GetArrowStyle() const;
  //! 1 without a line style; a negative width reads as 0.
  float GetLineWidth() const;
  //! 3 (pixel) without a line style.
  int GetLineWidthUnit() const;
  //! The dash pattern; 3 without a line style.
  int GetLineStipple() const;
  //! Opaque black without a line style.
  dg::Color GetLineColor() const;
  //! False without a line style.
  bool GetHalo() const;
  //! Opaque black without a line style.
  dg::Color GetHaloColor() const;

  float GetDPI() const { return dpi; }
  const du::Symbol& GetFilePath() const { return filePath; }
  void SetFilePath(const du::Symbol& path) { filePath = path; }

  //! Replaces items by the label's content list (the very items, in order) and tells whether
  //! there is any. False without a label, leaving items as it was.
  bool GetTextContent(std::vector<du::SmartPtr<LabelContent>>& items);
  //! Whether the label refers to the item number property ("System"/"tqITM", exactly).
  bool RequiresItemList();
  //! Whether the label refers to a property outside the "System" category.
  bool RequiresPropertyVisitor();

  std::string id;
  //! Whether a callout made from this template has leader lines (otherwise it is a note).
  bool hasLeaders = false;
  std::string name;
  std::string description;
  std::string tooltip;
  //! URL of the thumbnail image.
  std::string thumbnail;
  //! Where the host found the template.
  du::Symbol filePath;
  //! Resolution for unit conversions.
  float dpi = 96.0f;
  du::SmartPtr<TLeaders> leaders;
  du::SmartPtr<TLabel> label;

private:
  //! The style that the line getters read, or null when there is none.
  const LineStyle* _LastLineStyle() const;
};

} // namespace tqannotations
