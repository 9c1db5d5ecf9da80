#include "DemoSteps.h"

#include <dlfcn.h>

#include <cstdio>

bool LoadPlugin(const char* path, LoadedPlugin& plugin)
{
  plugin.handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!plugin.handle) {
    std::printf("cannot load the plug-in: %s\n", dlerror());
    return false;
  }
  plugin.init = reinterpret_cast<TQDllInitFunction>(dlsym(plugin.handle, "TQDllInit"));
  plugin.terminate = reinterpret_cast<TQDllTerminateFunction>(dlsym(plugin.handle, "TQDllTerminate"));
  plugin.createComponent =
      reinterpret_cast<TQDllCreateComponentFunction>(dlsym(plugin.handle, "TQDllCreateComponent"));
  if (!plugin.init || !plugin.terminate || !plugin.createComponent) {
    std::printf("the plug-in lacks an entry point\n");
    UnloadPlugin(plugin);
    return false;
  }
  return true;
}

void UnloadPlugin(LoadedPlugin& plugin)
{
  if (plugin.handle)
    dlclose(plugin.handle);
  plugin = LoadedPlugin();
}

bool DemoComponentFactory(const LoadedPlugin& plugin)
{
  std::printf("== Component factory\n");
  const char* subtypes[] = {"calloutlabel", "combinedcallout", "centerline"};
  for (const char* subtype : subtypes) {
    du::SmartPtr<du::RefCounted> component;
    const bool created = plugin.createComponent("create", "annotation", subtype, component);
    std::fflush(stdout);
    std::printf("  %-16s %s\n", subtype,
                created && component ? "created" : "not made by this build of the plug-in");
  }
  du::SmartPtr<du::RefCounted> component;
  const bool refused = !plugin.createComponent("create", "annotation", "callout", component);
  std::printf("  %-16s %s\n", "callout", refused ? "refused, as it should be" : "UNEXPECTEDLY made");
  return refused;
}
