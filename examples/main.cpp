// Plays the host: loads the annotation plug-in as the host application does and drives it.
//
// Usage: tqhost-demo [--save DOCUMENT | --load DOCUMENT] [PLUGIN]
// Without --load it runs every demonstration and saves the callout document (by default to
// callout-document.xml in the current folder); with --load it only loads that document in a new
// process and shows the callout again.

#include "DemoSteps.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
  const char* pluginPath = TQ_PLUGIN_PATH;
  const char* documentPath = "callout-document.xml";
  bool load = false;
  for (int index = 1; index < argc; ++index) {
    const bool save = std::strcmp(argv[index], "--save") == 0;
    if ((save || std::strcmp(argv[index], "--load") == 0) && index + 1 < argc) {
      load = !save;
      documentPath = argv[++index];
    } else {
      pluginPath = argv[index];
    }
  }

  LoadedPlugin plugin;
  if (!LoadPlugin(pluginPath, plugin))
    return 1;
  plugin.init();

  bool ok = true;
  if (!load) {
    ok = DemoComponentFactory(plugin) && ok;
    ok = DemoStyleList(TQ_EXAMPLE_DATA "/styles.xml") && ok;
    ok = DemoTemplates(TQ_EXAMPLE_DATA "/templates.xml") && ok;
    ok = DemoCallout(plugin, TQ_EXAMPLE_DATA "/templates.xml") && ok;
    ok = DemoCenterLines(plugin) && ok;
    ok = DemoCenterLineEdits(plugin) && ok;
  }
  ok = DemoCalloutRoad(plugin, TQ_EXAMPLE_DATA "/templates.xml", documentPath, load) && ok;
  ok = DemoCombinedCallout(plugin, TQ_EXAMPLE_DATA "/templates.xml", documentPath, load) && ok;

  plugin.terminate();
  UnloadPlugin(plugin);
  std::printf("%s\n", ok ? "Demonstration complete." : "Demonstration FAILED.");
  return ok ? 0 : 1;
}
