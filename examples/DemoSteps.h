#pragma once

#include <tqannotations/Callout.h>
#include <tqannotations/PluginEntryPoints.h>
#include <tqk/illustration/IllustrationBuilder.h>

// The steps of the demonstration, each driving one part of the plug-in as the host would.
// Each returns whether everything it tried behaved as expected.

struct LoadedPlugin
{
  void* handle = nullptr;
  TQDllInitFunction init = nullptr;
  TQDllTerminateFunction terminate = nullptr;
  TQDllCreateComponentFunction createComponent = nullptr;
};

//! Loads the plug-in with dlopen and finds its entry points by their plain names.
bool LoadPlugin(const char* path, LoadedPlugin& plugin);
void UnloadPlugin(LoadedPlugin& plugin);

//! Asks the factory for the annotations that the host knows and reports what it got.
bool DemoComponentFactory(const LoadedPlugin& plugin);

//! Reads the style list at path as the host reads its drawing styles and prints each style.
bool DemoStyleList(const char* path);

//! Reads the template document at path as the host reads its annotation templates and prints
//! each template's look.
bool DemoTemplates(const char* path);

//! Creates a callout through the factory, prints its defaults, gives it the first template of the
//! document at templatesPath and prints its look.
bool DemoCallout(const LoadedPlugin& plugin, const char* templatesPath);

//! Without load: builds the sample illustration, places a callout from the factory on two of its
//! parts with the first template that has leaders, shows it, prints the scene and saves it to
//! documentPath. With load: builds the same illustration, loads the callout from documentPath
//! into a new one from the factory, shows it and prints the scene.
bool DemoCalloutRoad(const LoadedPlugin& plugin, const char* templatesPath, const char* documentPath,
                     bool load);

//! Drags the shown callout's label and then the anchor of its leader on its first part onto
//! another point of that part, with the host's drag driver in the illustration's view; undoes
//! both edits through the world's undo history and redoes them, printing the positions at each
//! step. The callout ends dragged.
bool DemoCalloutDrags(const du::SmartPtr<tqannotations::Callout>& callout,
                      tqk::illustration::IllustrationBuilder& illustration);

//! Without load: builds the sample illustration, places two callouts from the factory on its parts,
//! combines them in a combined callout from the factory, shows it and saves it to a document next
//! to documentPath ("-combined" before ".xml"). With load: loads the combined callout from that
//! document into a new one from the factory, shows it and prints its members' rebuilt leaders.
bool DemoCombinedCallout(const LoadedPlugin& plugin, const char* templatesPath, const char* documentPath,
                         bool load);

//! Picks two parts of a sample illustration for a center line, lets the host's queue complete its
//! measurement, prints the drawn line, then saves it, loads it back and prints it again.
bool DemoCenterLines(const LoadedPlugin& plugin);

//! Drags a measured center line's second end onto another part, undoes and redoes the drag, then
//! moves, hides and removes parts under the line and prints what the line does each time.
bool DemoCenterLineEdits(const LoadedPlugin& plugin);
