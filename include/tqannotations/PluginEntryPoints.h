#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>

#include <string>

//! The plug-in's entry points, which the host finds by their unmangled names.
extern "C" {

//! Initialisation and termination: the plug-in needs neither, so both do nothing.
TQANNOTATIONS_EXPORT void TQDllInit();
TQANNOTATIONS_EXPORT void TQDllTerminate();

//! Creates a component: for the verb "create" and the kind "annotation", a new annotation of the
//! subtype ("calloutlabel", "combinedcallout", "centerline"). Prints a creation line, stores the
//! new object in out and returns true; any other request returns false and leaves out as it was.
TQANNOTATIONS_EXPORT bool TQDllCreateComponent(const std::string& verb, const std::string& kind,
                                               const std::string& subtype, du::SmartPtr<du::RefCounted>& out);

using TQDllInitFunction = void (*)();
using TQDllTerminateFunction = void (*)();
using TQDllCreateComponentFunction = bool (*)(const std::string&, const std::string&, const std::string&,
                                              du::SmartPtr<du::RefCounted>&);
}
