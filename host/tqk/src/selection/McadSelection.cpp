#include <tqk/mcad_selection.h>

namespace tqk::mcad_selection {

const du::Symbol Instance("MCAD_Instance");
const du::Symbol Collection("MCAD_Collection");
const du::Symbol Assembly("MCAD_Assembly");
const du::Symbol Annotation("MCAD_Annotation");
const du::Symbol Datum3D("MCAD_Datum3D");
const du::Symbol Edge3D("MCAD_Edge3D");
const du::Symbol Point3D("MCAD_Point3D");
const du::Symbol Face3D("MCAD_Face3D");
const du::Symbol ModelAnnotation3D("MCAD_ModelAnnotation3D");
const du::Symbol Feature3D("MCAD_Feature3D");

} // namespace tqk::mcad_selection
