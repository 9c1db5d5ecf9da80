#include "callouts/CalloutPicture.h"

#include <tqannotations/CalloutObserver.h>

#include <dg/Location.h>
#include <tqk/AnnoSet.h>
#include <tqk/Instance.h>
#include <tqk/MarkupController.h>
#include <tqk/SelectionItem.h>
#include <tqmk/CalloutLabel.h>
#include <tqmu/PrimitiveText2D.h>
#include <tqmu/Primitives.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>
#include <variant>
#include <vector>

namespace callout_test {
namespace {

using namespace tqannotations;

std::string Number(double value, const char* format = "%.6g")
{
  char text[40];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Colour(const dg::Color& colour)
{
  return "rgba(" + Number(colour.r) + " " + Number(colour.g) + " " + Number(colour.b) + " " +
         Number(colour.a) + ")";
}

const char* YesNo(bool value) { return value ? "yes" : "no"; }

std::string Numbers(const char* type, std::initializer_list<double> values, const char* format)
{
  std::string text = type;
  for (double value : values)
    text += " " + Number(value, format);
  return text;
}

//! Exact text of a stored value: floats to 9 digits, doubles to 17.
struct ValueText
{
  std::string operator()(bool value) const { return std::string("bool ") + YesNo(value); }
  std::string operator()(std::int32_t value) const { return "int " + std::to_string(value); }
  std::string operator()(std::uint32_t value) const { return "uint " + std::to_string(value); }
  std::string operator()(std::uint16_t value) const { return "ushort " + std::to_string(value); }
  std::string operator()(std::uint64_t value) const { return "uint64 " + std::to_string(value); }
  std::string operator()(float value) const { return "float " + Number(value, "%.9g"); }
  std::string operator()(const du::Symbol& value) const { return "symbol \"" + value.GetText() + "\""; }
  std::string operator()(const dg::DPoint3D& p) const { return Numbers("point", {p.x, p.y, p.z}, "%.17g"); }
  std::string operator()(const dg::Color& c) const { return Numbers("color", {c.r, c.g, c.b, c.a}, "%.9g"); }
  std::string operator()(const dg::Quat& q) const { return Numbers("quat", {q.x, q.y, q.z, q.w}, "%.17g"); }
};

std::string LineLook(const tqmk::LeaderLine& line)
{
  const tqmu::ModelLeaderLine& model = *line.GetModel();
  std::string look = " width " + std::to_string(line.GetLineWidth()) + " px, " + Colour(line.GetLineColor());
  look += ", stipple " + std::to_string(line.GetStipple()) + " scale " + Number(line.GetStippleScale());
  look += ", arrows " + std::to_string(line.GetArrowStyle()) + " size " + std::to_string(line.GetArrowSize());
  look += ", halo " + std::string(YesNo(line.HasHalo())) + ", hidden parts ";
  look += model.AreHiddenLinesShown() ? (model.AreHiddenLinesDashed() ? "dashed" : "shown") : "not drawn";
  look += ", model width " + Number(model.GetLineWidth()) + " scale " + Number(model.GetStippleScale());
  look += ", dim " + std::to_string(model.GetRenderAttrsVector().dim);
  return look;
}

} // namespace

std::string PointText(const dg::DPoint3D& point)
{
  return "(" + Number(point.x) + " " + Number(point.y) + " " + Number(point.z) + ")";
}

std::string ContentText(const tqk::SerializedContentElement& element, int depth)
{
  std::string text;
  const std::string indent(2 * depth, ' ');
  for (const auto& entry : element.GetEntries()) {
    if (entry.child)
      text += indent + "<" + entry.key.GetText() + ">\n" + ContentText(*entry.child, depth + 1);
    else
      text += indent + entry.key.GetText() + " = " + std::visit(ValueText(), entry.value) + "\n";
  }
  return text;
}

std::string SavedText(const Callout& annotation)
{
  tqk::SerializedContentElement root;
  annotation.Visit(root);
  return ContentText(root, 1);
}

class CalloutPicture::Counter : public CalloutObserver
{
public:
  void OnPositionSet() override { ++positionSets; }
  int positionSets = 0;
};

CalloutPicture::CalloutPicture(const du::SmartPtr<tqk::ShapeScene>& scene,
                               const du::SmartPtr<tqk::ShapeView>& view)
    : m_scene(scene), m_view(view), m_counter(new Counter)
{
  ForgetTold();
}

CalloutPicture::~CalloutPicture()
{
  if (m_listened) {
    du::SmartPtr<CalloutObserver> observer(m_counter);
    m_listened->UnregisterObserver(observer);
  }
}

void CalloutPicture::Listen(Callout& callout)
{
  du::SmartPtr<CalloutObserver> observer(m_counter);
  if (m_listened)
    m_listened->UnregisterObserver(observer);
  m_listened = &callout;
  callout.RegisterObserver(observer);
}

void CalloutPicture::ForgetTold()
{
  const du::SmartPtr<tqk::AnnoSet> set = m_scene->GetAnnoSet();
  m_setNoticesSeen = set ? set->GetModificationCount() : 0;
  m_positionSetsSeen = m_counter->positionSets;
}

std::string CalloutPicture::Of(Callout& callout)
{
  return "drawn:\n" + Drawn(callout) + "saved:\n" + SavedText(callout) + "told:\n" + Told() + "read:\n" +
         Read(callout);
}

std::string CalloutPicture::Drawn(const Callout& callout)
{
  tqmu::Primitives primitives;
  m_view->Redraw(primitives);
  std::ostringstream out;
  const tqk::MarkupController* controller = &callout;
  std::uint64_t frontmost = 0;
  // In drawing order: by rising front stamp, then in scene order.
  std::vector<du::SmartPtr<tqk::Markup>> markups = m_scene->GetMarkups();
  std::stable_sort(markups.begin(), markups.end(),
                   [](const auto& a, const auto& b) { return a->GetFrontStamp() < b->GetFrontStamp(); });
  for (const du::SmartPtr<tqk::Markup>& markup : markups)
    frontmost = std::max(frontmost, markup->GetFrontStamp());
  for (const du::SmartPtr<tqk::Markup>& markup : markups) {
    out << "  " << markup->GetClassType().GetText()
        << (markup->GetController() == controller ? "" : " (not ours)")
        << (markup->IsVisible() ? "" : " (invisible)") << (markup->IsSelected(m_view) ? " (selected)" : "")
        << ", page " << markup->GetPageNum() << "\n";
    if (!markup->IsVisible())
      continue;
    if (const auto line = du::SmartPtr<tqmk::LeaderLine>::DynamicCast(markup)) {
      out << "   ";
      for (const dg::DPoint3D& point : line->GetPoints())
        out << " " << PointText(point);
      out << "\n   " << LineLook(*line) << "\n";
    } else if (const auto label = du::SmartPtr<tqmk::Label>::DynamicCast(markup)) {
      out << "    at " << PointText(label->GetPos()) << ", \"" << label->GetText() << "\" size "
          << Number(label->GetFontSize()) << ", text " << Colour(label->GetTextColor()) << " on "
          << Colour(label->GetFillColor()) << ", shape " << label->GetShape() << ", dim "
          << label->GetNote()->GetRenderAttrsVector().dim
          << (markup->GetFrontStamp() == frontmost && frontmost ? ", in front" : "") << "\n";
    }
  }
  for (unsigned index = 0; index < primitives.GetSize(); ++index)
    if (const auto text = du::SmartPtr<tqmu::PrimitiveText2D>::DynamicCast(primitives.Get(index)))
      out << "  text \"" << text->GetText() << "\" " << Number(text->GetWidth()) << " x "
          << Number(text->GetHeight()) << " at (" << Number(text->GetPosition().x) << " "
          << Number(text->GetPosition().y) << ")\n";
  return out.str();
}

std::string CalloutPicture::Told()
{
  const du::SmartPtr<tqk::AnnoSet> set = m_scene->GetAnnoSet();
  const std::size_t setNotices = set ? set->GetModificationCount() : 0;
  std::string told = "  annotation set told " + std::to_string(setNotices - m_setNoticesSeen) +
                     " times, observer told " + std::to_string(m_counter->positionSets - m_positionSetsSeen) +
                     " times\n";
  ForgetTold();
  return told;
}

std::string CalloutPicture::Read(Callout& callout)
{
  std::ostringstream out;
  unsigned itemId = 0;
  const bool hasItemId = callout.GetItemId(itemId);
  out << "  kind " << callout.GetType() << ", item " << (hasItemId ? std::to_string(itemId) : "none")
      << ", kit " << YesNo(callout.IsKit()) << ", page " << callout.GetPageNum() << "\n";
  out << "  \"" << callout.GetText() << "\" at " << PointText(callout.GetPosition()) << ", described \""
      << callout.GetObjectDescription() << "\"\n";
  out << "  font " << callout.GetFontFace() << " " << Number(callout.GetFontSize()) << " unit "
      << callout.GetFontUnit() << " physical " << YesNo(callout.GetFontPhys()) << ", text "
      << Colour(callout.GetFontColor()) << " on " << Colour(callout.GetBackgroundColor()) << ", shape "
      << callout.GetShape() << "\n";
  out << "  line " << Number(callout.GetLineWidth()) << " pt " << Colour(callout.GetLineColor())
      << ", stipple " << callout.GetLineStipple() << ", arrows " << callout.GetArrowStyle() << ", halo "
      << YesNo(callout.GetHalo()) << "\n";
  if (const du::SmartPtr<TAnnotation> definition = callout.GetDefinition())
    out << "  definition \"" << definition->id << "\" \"" << definition->name << "\" dpi "
        << Number(definition->GetDPI()) << "\n";
  const unsigned records = callout.GetLeaderLineCount(true), leaders = callout.GetLeaderLineCount(false);
  out << "  " << records << " records, " << leaders << " leaders\n";
  for (unsigned index = 0; index < std::max(records, leaders); ++index) {
    std::string part, assembly;
    dg::DPoint3D anchor;
    bool attached = false;
    callout.GetLeaderInfoAtPos(index, part, assembly, anchor, attached);
    dg::DPoint3D recordAnchor;
    callout.GetAnchorAtPos(index, recordAnchor);
    out << "  leader " << index << ": record \"" << callout.GetShapeInstanceIdAtPos(index) << "\" anchor "
        << PointText(recordAnchor) << ", hidden " << YesNo(callout.IsHiddenAtPos(index)) << ", dim "
        << YesNo(callout.IsDimAtPos(index));
    if (index < leaders)
      out << "; markup on \"" << part << "\" in \"" << assembly << "\" anchor " << PointText(anchor)
          << ", attached " << YesNo(attached);
    out << "\n";
  }
  out << "  associated:";
  for (const du::SmartPtr<tqk::Object>& object : callout.GetAssociatedObjects()) {
    const auto item = du::SmartPtr<tqk::SelectionItem>::DynamicCast(object);
    const du::SmartPtr<tqk::Instance> instance = item ? item->GetPickedInstance() : nullptr;
    out << " " << object->GetClassType().GetText() << "(" << (instance ? instance->GetIDPath().GetText() : "")
        << ")";
  }
  out << "\n";
  if (auto* combined = dynamic_cast<CombinedCallout*>(&callout))
    for (const du::SmartPtr<Callout>& member : CombinedCallout::Members(combined->GetCalloutVec())) {
      std::istringstream lines(Read(*member));
      for (std::string line; std::getline(lines, line);)
        out << "  member" << line << "\n";
    }
  return out.str();
}

::testing::AssertionResult SamePicture(const std::string& expected, const std::string& actual)
{
  if (expected == actual)
    return ::testing::AssertionSuccess();
  std::istringstream was(expected), is(actual);
  std::string diff, left, right;
  for (int line = 1;; ++line) {
    const bool hasLeft = static_cast<bool>(std::getline(was, left));
    const bool hasRight = static_cast<bool>(std::getline(is, right));
    if (!hasLeft && !hasRight)
      break;
    if (!hasLeft || !hasRight || left != right)
      diff += "  line " + std::to_string(line) + "\n  - " + (hasLeft ? left : "") + "\n  + " +
              (hasRight ? right : "") + "\n";
  }
  return ::testing::AssertionFailure() << "the pictures differ:\n" << diff << "whole picture:\n" << actual;
}

std::string Without(const std::string& picture, std::initializer_list<const char*> words)
{
  std::istringstream lines(picture);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    bool drop = false;
    for (const char* word : words)
      drop = drop || line.find(word) != std::string::npos;
    if (!drop)
      kept += line + "\n";
  }
  return kept;
}

} // namespace callout_test
