#include <tqannotations/TLeaders.h>

namespace tqannotations {

// Defined here so that the class's virtual table and type information have one home, which
// the host and the plug-in share.
TLeaders::~TLeaders() = default;

} // namespace tqannotations
