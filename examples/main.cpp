// Plays the host: loads the annotation plug-in as the host application does and drives it.

#include "DemoSteps.h"

#include <cstdio>

int main(int argc, char** argv)
{
  const char* pluginPath = argc > 1 ? argv[1] : TQ_PLUGIN_PATH;

  LoadedPlugin plugin;
  if (!LoadPlugin(pluginPath, plugin))
    return 1;
  plugin.init();

  bool ok = DemoComponentFactory(plugin);
  ok = DemoStyleList(TQ_EXAMPLE_DATA "/styles.xml") && ok;
  ok = DemoTemplates(TQ_EXAMPLE_DATA "/templates.xml") && ok;
  ok = DemoCenterLines(plugin) && ok;
  ok = DemoCenterLineEdits(plugin) && ok;

  plugin.terminate();
  UnloadPlugin(plugin);
  std::printf("%s\n", ok ? "Demonstration complete." : "Demonstration FAILED.");
  return ok ? 0 : 1;
}
