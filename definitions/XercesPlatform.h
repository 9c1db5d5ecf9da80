#pragma once

namespace tqannotations {

//! Prepares the XML parser library (XMLPlatformUtils::Initialize) for the plug-in's readers, once
//! in the process's life, and answers whether it is ready.
//!
//! Preparing the library while another thread parses with it, or prepares it too, corrupts it. So
//! the plug-in prepares it exactly once: when the plug-in is loaded, before the host can call it
//! from any thread, and otherwise on the first call, with any other thread that calls meanwhile
//! waiting for it. Later calls only answer. The library counts its preparations, so the host's
//! own preparation keeps its count undisturbed; the plug-in never ends the library, since other
//! users in the process may rely on it.
bool PrepareXercesPlatform();

} // namespace tqannotations
