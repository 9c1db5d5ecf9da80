#pragma once

namespace dg {

//! Prepares the XML parser library (Xerces-C) for this process, once, for every reader in it.
//!
//! The library must be prepared before anything parses with it, and preparing it while another
//! thread parses corrupts it; so every reader of ours, host and plug-in alike, calls this first
//! instead of preparing the library itself. The first call prepares it and any thread that calls
//! meanwhile waits; later calls only answer. True when the library is ready. The library is
//! released when this one is unloaded.
bool PrepareXmlParser();

} // namespace dg
