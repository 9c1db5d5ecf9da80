#include <tqannotations/StyleItem.h>

namespace tqannotations {

// Defined here rather than in the header so that the class's table and type information live in
// the plug-in, where the host finds them.
StyleItem::StyleItem() = default;

StyleItem::~StyleItem() = default;

} // namespace tqannotations
