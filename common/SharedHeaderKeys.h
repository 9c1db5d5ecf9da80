#pragma once

#include <du/Symbol.h>

namespace tqannotations {
namespace {

// The header keys that the host's units share. Nothing in the plug-in reads them; every unit
// that includes this file interns them at load, as the host's own units do, so that the symbol
// table holds the same key set whichever unit is loaded first.
const du::Symbol kHeaderInstance("instance");
const du::Symbol kHeaderAnnotation("annotation");
const du::Symbol kHeaderPickPoint("pick_point");
const du::Symbol kHeaderParentInstance("parent_instance");
const du::Symbol kHeaderParentAnnotation("parent_annotation");
const du::Symbol kHeaderGeomId("geom_id");
const du::Symbol kHeaderPickPointAgain("pick_point");

} // namespace
} // namespace tqannotations
