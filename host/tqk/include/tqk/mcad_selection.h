#pragma once

#include <du/Symbol.h>

namespace tqk {

//! The content types of selection items picked in a 3-D model (tqk::SelectionItem::GetContentType).
//! Their texts are stored in saved selections, so they must not change.
namespace mcad_selection {

extern const du::Symbol Instance;          //!< "MCAD_Instance": a part
extern const du::Symbol Collection;        //!< "MCAD_Collection": a structure-tree instance
extern const du::Symbol Assembly;          //!< "MCAD_Assembly"
extern const du::Symbol Annotation;        //!< "MCAD_Annotation"
extern const du::Symbol Datum3D;           //!< "MCAD_Datum3D"
extern const du::Symbol Edge3D;            //!< "MCAD_Edge3D"
extern const du::Symbol Point3D;           //!< "MCAD_Point3D"
extern const du::Symbol Face3D;            //!< "MCAD_Face3D"
extern const du::Symbol ModelAnnotation3D; //!< "MCAD_ModelAnnotation3D"
extern const du::Symbol Feature3D;         //!< "MCAD_Feature3D"

} // namespace mcad_selection
} // namespace tqk
