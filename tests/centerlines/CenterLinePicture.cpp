#include "tests/centerlines/CenterLinePicture.h"

#include "tests/centerlines/EventLog.h"

#include <tqk/Scene.h>
#include <tqk/SelectionItem.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/UndoHistory.h>
#include <tqk/World.h>
#include <tqmk/CenterLineXYZ.h>

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <vector>

namespace centerline_tests {

using tqannotations::CenterLinesAnnotation;
using tqannotations::CenterStyle;

namespace {

//! Writes values in the picture's one number format.
class Out
{
public:
  Out& operator<<(double value)
  {
    m_text << std::setprecision(6) << (value == 0.0 ? 0.0 : value); // no "-0"
    return *this;
  }
  Out& operator<<(const dg::DPoint3D& p) { return *this << "(" << p.x << " " << p.y << " " << p.z << ")"; }
  Out& operator<<(const dg::Color& c)
  {
    return *this << "rgba(" << c.r << " " << c.g << " " << c.b << " " << c.a << ")";
  }
  Out& operator<<(const dg::Quat& q)
  {
    return *this << "q(" << q.x << " " << q.y << " " << q.z << " " << q.w << ")";
  }
  Out& operator<<(const dg::Location& l)
  {
    return *this << l.GetPosition() << " " << l.GetQuat() << " scale " << l.GetScale();
  }
  template <class Points>
  Out& List(const Points& points)
  {
    for (const dg::DPoint3D& point : points)
      *this << " " << point;
    return *this;
  }
  Out& operator<<(const char* text) { return m_text << text, *this; }
  Out& operator<<(const std::string& text) { return m_text << text, *this; }
  Out& operator<<(const du::Symbol& text) { return m_text << "'" << text.GetText() << "'", *this; }
  Out& operator<<(bool value) { return m_text << (value ? "yes" : "no"), *this; }
  Out& operator<<(int value) { return m_text << value, *this; }
  Out& operator<<(unsigned value) { return m_text << value, *this; }
  Out& operator<<(unsigned long value) { return m_text << value, *this; }
  Out& operator<<(unsigned long long value) { return m_text << value, *this; }
  Out& operator<<(std::uint16_t value) { return m_text << value, *this; }
  Out& operator<<(float value) { return *this << static_cast<double>(value); }
  std::string Text() const { return m_text.str(); }

private:
  std::ostringstream m_text;
};

void Draw(Out& out, const CenterLinesAnnotation& line, const du::SmartPtr<tqk::View>& view)
{
  const du::SmartPtr<tqk::Scene> scene = line.GetAttachedScene();
  if (!scene)
    return;
  const auto* controller = static_cast<const tqk::MarkupController*>(&line);
  for (const du::SmartPtr<tqk::Markup>& holder : scene->GetMarkups()) {
    // A holder that lost its controller but stayed in the scene is drawn all the same.
    if (holder->GetController() != controller && holder->GetController())
      continue;
    out << "draw holder: " << (holder->GetController() ? "" : "without controller, ") << "page "
        << holder->GetPageNum() << " visible " << holder->IsVisible() << "\n";
    for (const du::SmartPtr<tqk::Markup>& representation : holder->GetChildren())
      for (const du::SmartPtr<tqk::Markup>& child : representation->GetChildren()) {
        const auto drawn = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(child);
        if (!drawn)
          continue;
        const auto& model = *drawn->GetModel();
        out << "draw points:";
        out.List(drawn->GetPoints()) << "\ndraw look: width " << drawn->GetLineWidth() << " colour "
                                     << drawn->GetLineColor() << " stipple " << int(drawn->GetStipple())
                                     << " scale " << drawn->GetStippleScale() << " arrows "
                                     << int(drawn->GetArrowStyle()) << " size " << drawn->GetArrowSize()
                                     << " halo " << drawn->HasHalo() << "\n";
        out << "draw hidden stretches: shown " << model.AreHiddenLinesShown() << " dashed "
            << model.AreHiddenLinesDashed() << " on top " << model.IsDrawnOnTop() << " model width "
            << model.GetLineWidth() << " model scale " << model.GetStippleScale() << "\n";
        out << "draw selected: " << drawn->IsSelected(view) << "\ndraw state: visible "
            << (representation->IsVisible() && drawn->IsVisible()) << " drag factor "
            << drawn->GetDragFactor() << " extensions " << drawn->GetStartExtension() << " "
            << drawn->GetEndExtension() << " kind " << drawn->GetAnnotationType() << " plane "
            << drawn->GetPlane() << "\ndraw part: " << drawn->GetObjectName() << "\n";
        out << "draw end attached: " << drawn->IsEndPointAttached() << "\n";
      }
  }
}

void Save(Out& out, const tqk::SerializedContentElement& element, const std::string& indent)
{
  for (const tqk::SerializedContentElement::Entry& entry : element.GetEntries()) {
    out << "save " << indent << entry.key.GetText();
    if (entry.child) {
      out << " {\n";
      Save(out, *entry.child, indent + "  ");
      out << "save " << indent << "}\n";
      continue;
    }
    out << ": ";
    std::visit([&](const auto& value) { out << value; }, entry.value);
    out << " #" << unsigned(entry.value.index()) << "\n";
  }
}

void Style(Out& out, const CenterStyle& s)
{
  out << "read style: colour " << s.strokeColor << " width " << s.lineWidth << " stipple " << s.lineStyle
      << " arrows " << s.arrowType << " halo " << s.isHalo << " hidden stretches " << s.allwaysInFront
      << "\n";
  out << "read routing: along axes " << s.alongXYZ << " order " << s.xyzFlag << " " << s.xyzOrder[0]
      << s.xyzOrder[1] << s.xyzOrder[2] << " csys " << int(s.csysType) << " id " << int(s.csysId)
      << " follows parts " << s.attached << "\n";
  out << "read ends: extensions " << s.lineExtent1 << " " << s.lineExtent2 << " drag factor " << s.dragFactor
      << " offsets " << s.endpointOffset << " " << s.anchorOffset << "\n";
}

void Read(Out& out, CenterLinesAnnotation& line)
{
  out << "identity: id " << line.GetId() << " set " << line.GetAnnotationConnectionId() << " from file "
      << line.CreatedFromFile() << " views " << line.GetViews().size() << "\n";
  out << "read kind: " << line.GetAnnotationType() << " " << line.GetClass() << " icon " << line.GetIconName()
      << " page " << line.GetPageNum() << " visible " << line.IsVisible() << " markups "
      << line.NumberOfMarkups() << "\n";
  out << "read names: " << line.GetObjectDescription() << " / " << line.GetMarkupName(1) << "\n";
  out << "read slots:";
  for (unsigned slot = 0; slot < 3; ++slot) {
    const auto item = du::SmartPtr<tqk::SelectionItem>::DynamicCast(line.GetObject(slot));
    out << " " << (item ? item->GetContentType() : du::Symbol("-")) << (line.ValidateObject(slot) ? "" : "!");
  }
  out << " active " << line.GetActiveSlot() << " first " << line.GetPrimarySlotID() << " part selected "
      << line.IsAttachedShapeSelected() << "\n";
  CenterStyle::CSYS_ID id = static_cast<CenterStyle::CSYS_ID>(-5);
  dg::Location placement(dg::DPoint3D(-9, -8, -7), dg::Quat(0.5, 0.5, 0.5, 0.5), 2.0);
  du::SmartPtr<tqk::SelectionItem> item;
  const CenterStyle::CSYS_TYPE type = line.GetCSys(id, placement, item);
  out << "read csys: " << int(type) << " id " << int(id) << " at " << placement
      << "\nread csys item: " << (item ? item->GetContentType() : du::Symbol("-")) << "\n";
  tqannotations::CenterLinesInfo info;
  line.GetCenterLinesInfo(info);
  out << "read info: " << info.representationCount << " ends " << info.point1 << " " << info.point2
      << " items at " << info.location1 << " " << info.location2 << "\nread info csys: " << info.csys
      << "\nread info jogs:";
  out.List(info.jogs) << "\n";
  tqannotations::CenterStyle style;
  line.GetLineStyle(style);
  Style(out, style);
  std::vector<du::SmartPtr<tqannotations::CenterLinesRepresentation>> representations;
  line.GetRepresentations(representations);
  for (const auto& representation : representations) {
    std::deque<dg::DPoint3D> jogs;
    representation->GetJogs(jogs);
    out << "read representation: part " << representation->GetPartID() << "\nread representation jogs:";
    out.List(jogs) << "\n";
  }
  out << "read associated:";
  for (const du::SmartPtr<tqk::Object>& object : line.GetAssociatedObjects())
    out << " " << (object ? object->GetClassType() : du::Symbol("-"));
  out << "\n";
}

std::string Filtered(const std::string& picture, std::initializer_list<const char*> prefixes, bool keep)
{
  std::istringstream lines(picture);
  std::string kept;
  for (std::string each; std::getline(lines, each);) {
    bool matches = false;
    for (const char* prefix : prefixes)
      matches = matches || each.rfind(prefix, 0) == 0;
    if (matches == keep)
      kept += each + "\n";
  }
  return kept;
}

} // namespace

std::string Saved(const CenterLinesAnnotation& line)
{
  tqk::SerializedContentElement root(du::Symbol("document"));
  line.Visit(root);
  return Saved(root);
}

std::string Saved(const tqk::SerializedContentElement& root)
{
  Out out;
  Save(out, root, "");
  return out.Text();
}

std::string Picture(CenterLinesAnnotation& line, const du::SmartPtr<tqk::View>& view, EventLog* log)
{
  Out out;
  Draw(out, line, view);
  out << Saved(line);
  if (const du::SmartPtr<tqk::AnnoSet> set = line.GetAnnoSet()) {
    out << "told set: notices " << set->GetModificationCount() << " document modified " << set->IsModified()
        << "\n";
    set->MarkSaved();
  }
  if (log) {
    out << "told observers:";
    for (const std::string& event : log->events)
      out << " " << event << ";";
    out << "\n";
    log->events.clear();
  }
  const tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  out << "told history: undo " << history.GetUndoCount() << " redo " << history.GetRedoCount() << "\n";
  Read(out, line);
  return out.Text();
}

std::string Without(const std::string& picture, std::initializer_list<const char*> prefixes)
{
  return Filtered(picture, prefixes, false);
}

std::string Only(const std::string& picture, std::initializer_list<const char*> prefixes)
{
  return Filtered(picture, prefixes, true);
}

std::string ChangedKeys(const std::string& before, const std::string& after)
{
  const auto lines = [](const std::string& picture) {
    std::multiset<std::string> all;
    std::istringstream in(picture);
    for (std::string each; std::getline(in, each);)
      all.insert(each);
    return all;
  };
  const std::multiset<std::string> was = lines(before), is = lines(after);
  // Each section once, followed by the keys changed in it: "draw points jogs; save picks point1".
  std::vector<std::pair<std::string, std::string>> sections;
  std::istringstream in(before + after);
  for (std::string each; std::getline(in, each);) {
    if (was.count(each) == is.count(each))
      continue;
    std::istringstream words(each.substr(0, each.find(':')));
    std::string section, key, word;
    words >> section;
    while (words >> word && word != "{" && word != "}")
      key += (key.empty() ? "" : "-") + word;
    if (section == "save" && each.rfind("save    ", 0) == 0)
      key = "picks"; // the lines of the saved picks
    auto at =
        std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.first == section; });
    if (at == sections.end())
      at = sections.insert(sections.end(), {section, ""});
    if (!key.empty() && (" " + at->second + " ").find(" " + key + " ") == std::string::npos)
      at->second += (at->second.empty() ? "" : " ") + key;
  }
  std::string text;
  for (const auto& [section, keys] : sections)
    text += (text.empty() ? "" : "; ") + section + (keys.empty() ? "" : " " + keys);
  return text;
}

} // namespace centerline_tests
