#include <tqannotations/DrawingToolsRW.h>

#include "definitions/RegularFileReader.h"

#include <dg/XmlTree.h>
#include <du/Symbol.h>

#include <memory>
#include <utility>

namespace tqannotations {
namespace {

// Element and attribute names of a style list.
const du::Symbol kLumbraStyles("lumbra-styles");
const du::Symbol kStyles("styles");
const du::Symbol kStyle("style");
const du::Symbol kId("id");
const du::Symbol kName("name");
const du::Symbol kDescription("description");
const du::Symbol kTooltip("tooltip");
const du::Symbol kLineStyle("line-style");
const du::Symbol kWeight("weight");
const du::Symbol kColor("color");
const du::Symbol kHalo("halo");
const du::Symbol kHaloColor("halo-color");
const du::Symbol kDashes("dashes");
const du::Symbol kShapeStyle("shape-style");
const du::Symbol kBorder("border");
const du::Symbol kFillColor("fill-color");
const du::Symbol kTextStyle("text-style");
const du::Symbol kFont("font");
const du::Symbol kSize("size");
const du::Symbol kDecoration("decoration");

const std::string kDeclaration = "<?xml ";

struct FreeTree
{
  void operator()(dg::XmlElem* root) const { dg::FreeXml(root); }
};
using Tree = std::unique_ptr<dg::XmlElem, FreeTree>;

// Attributes the element lacks, and values that do not convert, leave the field as it was.
void CopyText(const dg::XmlElem& element, const du::Symbol& key, std::string& field)
{
  const std::size_t index = element.FindAttribute(key);
  if (index != dg::XmlElem::npos)
    field = element.GetAttributeText(index);
}

void CopyInt(const dg::XmlElem& element, const du::Symbol& key, int& field)
{
  const std::size_t index = element.FindAttribute(key);
  if (index != dg::XmlElem::npos)
    element.GetAttributeInt(index, field);
}

void CopyBool(const dg::XmlElem& element, const du::Symbol& key, bool& field)
{
  const std::size_t index = element.FindAttribute(key);
  if (index != dg::XmlElem::npos)
    element.GetAttributeBool(index, field);
}

//! The longest style list that is read, as text or from a file; style lists are a few kilobytes.
//! The host's XML reader bounds what entities make of a document by the document's size, so
//! bounding the size bounds the rest.
constexpr std::size_t kMaxStyleListSize = std::size_t(64) << 20;

//! Reads the style file that a UTF-8 path names into text, each line ending in "\n" (a last line
//! without one gets one). False when the path names no regular file that can be read, or one
//! longer than kMaxStyleListSize: a directory, a device or a pipe is refused as a missing file is.
bool ReadStyleFile(const std::string& path, std::string& text)
{
  if (!ReadRegularFile(path, kMaxStyleListSize, text))
    return false;
  if (!text.empty() && text.back() != '\n')
    text += '\n';
  return true;
}

} // namespace

DrawingToolsRW::DrawingToolsRW() = default;

DrawingToolsRW::DrawingToolsRW(const DrawingToolsRW& other) = default;

DrawingToolsRW& DrawingToolsRW::operator=(const DrawingToolsRW& other) = default;

DrawingToolsRW::~DrawingToolsRW() = default;

void DrawingToolsRW::ParseStyleXML(const std::string& input)
{
  Tree root;
  if (input.compare(0, kDeclaration.size(), kDeclaration) == 0) {
    if (input.size() > kMaxStyleListSize)
      return;
    root.reset(dg::ParseXml(input));
  } else {
    std::string text;
    if (!ReadStyleFile(input, text))
      return;
    root.reset(dg::ParseXml(text));
  }
  if (root)
    CreateListFromXml(root.get(), std::string());
}

void DrawingToolsRW::CreateListFromXml(dg::XmlElem* root, std::string /*text*/)
{
  if (!root || root->GetName() != kLumbraStyles || root->GetChildCount() != 1)
    return;
  const dg::XmlElem* styles = root->GetChild(0);
  if (styles->GetName() != kStyles)
    return;

  for (std::size_t i = 0; i < styles->GetChildCount(); ++i) {
    dg::XmlElem* child = styles->GetChild(i);
    du::SmartPtr<StyleItem> item(new StyleItem);
    // Every child gives an item, so that item positions follow the children's; only a "style"
    // fills it.
    if (child->GetName() == kStyle) {
      CopyInt(*child, kId, item->id);
      for (std::size_t j = 0; j < child->GetChildCount(); ++j) {
        dg::XmlElem* part = child->GetChild(j);
        const du::Symbol& partName = part->GetName();
        if (partName == kName)
          item->name = part->GetText();
        else if (partName == kDescription)
          item->description = part->GetText();
        else if (partName == kTooltip)
          item->tooltip = part->GetText();
        else if (partName == kLineStyle)
          AddLineStyleAtts(part, item);
        else if (partName == kShapeStyle)
          AddShapeStyleAtts(part, item);
        else if (partName == kTextStyle)
          AddTextStyleAtts(part, item);
      }
    }
    AddStyleItem(std::move(item));
  }
}

void DrawingToolsRW::AddLineStyleAtts(dg::XmlElem* element, du::SmartPtr<StyleItem> item)
{
  if (!element || !item)
    return;
  CopyText(*element, kWeight, item->lineWeight);
  CopyText(*element, kColor, item->lineColor);
  CopyBool(*element, kHalo, item->lineHalo);
  CopyText(*element, kHaloColor, item->lineHaloColor);
  CopyText(*element, kDashes, item->lineDashes);
}

void DrawingToolsRW::AddShapeStyleAtts(dg::XmlElem* element, du::SmartPtr<StyleItem> item)
{
  if (!element || !item)
    return;
  CopyBool(*element, kBorder, item->shapeBorder);
  CopyText(*element, kWeight, item->shapeWeight);
  CopyText(*element, kColor, item->shapeColor);
  CopyText(*element, kFillColor, item->shapeFillColor);
}

void DrawingToolsRW::AddTextStyleAtts(dg::XmlElem* element, du::SmartPtr<StyleItem> item)
{
  if (!element || !item)
    return;
  CopyText(*element, kFont, item->textFont);
  CopyInt(*element, kSize, item->textSize);
  CopyText(*element, kColor, item->textColor);
  CopyText(*element, kDecoration, item->textDecoration);
}

void DrawingToolsRW::AddStyleItem(du::SmartPtr<StyleItem> item)
{
  // The host dereferences every item of the list, so a null one is kept out of it.
  if (item)
    m_styles.push_back(std::move(item));
}

std::vector<du::SmartPtr<StyleItem>> DrawingToolsRW::GetStyleList() { return m_styles; }

} // namespace tqannotations
