#pragma once

#include <tqannotations/PluginEntryPoints.h>

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

//! Picks two parts of a sample illustration for a center line, lets the host's queue complete its
//! measurement, prints the drawn line, then saves it, loads it back and prints it again.
bool DemoCenterLines(const LoadedPlugin& plugin);

//! Drags a measured center line's second end onto another part, undoes and redoes the drag, then
//! moves, hides and removes parts under the line and prints what the line does each time.
bool DemoCenterLineEdits(const LoadedPlugin& plugin);
