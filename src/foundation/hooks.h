#pragma once
// Windows of upper subsystems that the foundation has to open. The foundation may not include them,
// so src/app installs these at start; tests install their own. Each is a required hook
// (platform/hookcheck.h): checked where it is called.
#include <functional>

namespace hooks {

// Shows the network-error window frmNetError modally and returns when it is closed.
inline std::function<void()> showNetError;

}  // namespace hooks
