#include <tqannotations/ConstStrings.h>

namespace tqannotations {

const du::Symbol ConstStrings::tqCalloutLabel("CalloutLabel");
const du::Symbol ConstStrings::tqCenterLine("Centerlines");
const du::Symbol ConstStrings::tqLabelPreselectionCursor("LabelPreselectionCursor");
const du::Symbol ConstStrings::tqExplodeLinePreselectionCursor("ExplodeLinePreselectionCursor");
const du::Symbol ConstStrings::tqExplodeLineIcon("ExplodeLineIcon");

} // namespace tqannotations
