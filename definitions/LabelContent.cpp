#include <tqannotations/LabelContent.h>

namespace tqannotations {

LabelContent::LabelContent(const std::string& fixedText, TextProperties& attributes)
    : isProperty(0), properties(attributes), text(fixedText)
{}

LabelContent::LabelContent(const std::string& category, const std::string& nameInCategory,
                           TextProperties& attributes)
    : isProperty(1), properties(attributes), text(category), propertyName(nameInCategory)
{}

// Defined here so that the class's virtual table and type information have one home, which
// the host and the plug-in share.
LabelContent::~LabelContent() = default;

} // namespace tqannotations
