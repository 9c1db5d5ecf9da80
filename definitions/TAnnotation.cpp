#include <tqannotations/TAnnotation.h>

namespace tqannotations {
namespace {

const char* const kSystemCategory = "System";
const char* const kItemNumberProperty = "tqITM";

dg::Color PackedColor(dg::Color color, std::uint32_t packed)
{
  color.Set(packed);
  return color;
}

} // namespace

TAnnotation::TAnnotation(const TAnnotation& other) : du::RefCounted() { *this = other; }

TAnnotation& TAnnotation::operator=(const TAnnotation& other)
{
  id = other.id;
  hasLeaders = other.hasLeaders;
  name = other.name;
  description = other.description;
  tooltip = other.tooltip;
  thumbnail = other.thumbnail;
  filePath = other.filePath;
  dpi = other.dpi;
  if (other.leaders) {
    du::SmartPtr<TLeaders> copy(new TLeaders);
    copy->styles = other.leaders->styles;
    leaders = copy;
  }
  if (other.label)
    label = new TLabel(*other.label);
  return *this;
}

TAnnotation::~TAnnotation() = default;

float TAnnotation::GetFontSize() const { return label ? label->text.size : 10.0f; }

int TAnnotation::GetFontSizeUnit() const { return label ? label->text.sizeUnit : 3; }

dg::Color TAnnotation::GetTextColor() const
{
  const dg::Color black(0.0f, 0.0f, 0.0f, 1.0f);
  return label ? PackedColor(black, label->text.color) : black;
}

dg::Color TAnnotation::GetFillColor() const
{
  const dg::Color white(1.0f, 1.0f, 1.0f, 1.0f);
  return label ? PackedColor(white, label->fillColor) : white;
}

int TAnnotation::GetShape() const { return label ? label->shape : 0; }

std::string TAnnotation::GetTextFace() const { return label ? label->text.font : "Arial"; }

const LineStyle* TAnnotation::_LastLineStyle() const
{
  if (!leaders || leaders->styles.empty())
    return nullptr;
  return leaders->styles.back().Get();
}

int TAnnotation::GetArrowStyle() const
{
  const LineStyle* style = _LastLineStyle();
  return style ? style->arrowStyle : 3;
}

float TAnnotation::GetLineWidth() const
{
  const LineStyle* style = _LastLineStyle();
  if (!style)
    return 1.0f;
  return style->weight < 0.0f ? 0.0f : style->weight;
}

int TAnnotation::GetLineWidthUnit() const
{
  const LineStyle* style = _LastLineStyle();
  return style ? style->weightUnit : 3;
}

int TAnnotation::GetLineStipple() const
{
  const LineStyle* style = _LastLineStyle();
  return style ? style->dashes : 3;
}

dg::Color TAnnotation::GetLineColor() const
{
  const dg::Color black(0.0f, 0.0f, 0.0f, 1.0f);
  const LineStyle* style = _LastLineStyle();
  return style ? PackedColor(black, style->color) : black;
}

bool TAnnotation::GetHalo() const
{
  const LineStyle* style = _LastLineStyle();
  return style ? style->halo : false;
}

dg::Color TAnnotation::GetHaloColor() const
{
  const dg::Color black(0.0f, 0.0f, 0.0f, 1.0f);
  const LineStyle* style = _LastLineStyle();
  return style ? PackedColor(black, style->haloColor) : black;
}

bool TAnnotation::GetTextContent(std::vector<du::SmartPtr<LabelContent>>& items)
{
  if (!label)
    return false;
  items = label->contents;
  return !items.empty();
}

bool TAnnotation::RequiresItemList()
{
  if (!label)
    return false;
  // A copy, so that the walk is not disturbed by whoever changes the label meanwhile.
  const std::vector<du::SmartPtr<LabelContent>> items = label->contents;
  for (const du::SmartPtr<LabelContent>& item : items) {
    if (item && item->isProperty == 1 && item->text == kSystemCategory &&
        item->propertyName == kItemNumberProperty)
      return true;
  }
  return false;
}

bool TAnnotation::RequiresPropertyVisitor()
{
  if (!label)
    return false;
  const std::vector<du::SmartPtr<LabelContent>> items = label->contents;
  for (const du::SmartPtr<LabelContent>& item : items) {
    if (item && item->isProperty == 1 && item->text != kSystemCategory)
      return true;
  }
  return false;
}

} // namespace tqannotations
