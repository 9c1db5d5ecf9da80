#pragma once

//! Marks what the plug-in exports: its entry points and the classes of namespace tqannotations.
//! Everything else is hidden, so the host sees only what it may call.
#define TQANNOTATIONS_EXPORT __attribute__((visibility("default")))
