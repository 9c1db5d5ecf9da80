#include <tqannotations/PluginEntryPoints.h>

#include "plugin/ComponentFactory.h"

void TQDllInit() {}

void TQDllTerminate() {}

bool TQDllCreateComponent(const std::string& verb, const std::string& kind, const std::string& subtype,
                          du::SmartPtr<du::RefCounted>& out)
{
  return tqannotations::ComponentFactory::Create(verb, kind, subtype, out);
}
