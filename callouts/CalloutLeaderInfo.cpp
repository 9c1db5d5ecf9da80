#include <tqannotations/CalloutLeaderInfo.h>

namespace tqannotations {

CalloutLeaderInfo::CalloutLeaderInfo() = default;
CalloutLeaderInfo::CalloutLeaderInfo(const CalloutLeaderInfo& other) = default;
CalloutLeaderInfo& CalloutLeaderInfo::operator=(const CalloutLeaderInfo& other) = default;
CalloutLeaderInfo::~CalloutLeaderInfo() = default;

} // namespace tqannotations
