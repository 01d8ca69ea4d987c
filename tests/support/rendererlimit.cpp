#include "support/rendererlimit.h"

#include "platform/browserenvironment.h"

namespace testsupport {

bool LimitRendererProcesses() {
    ::LimitRendererProcesses();
    return true;
}

}  // namespace testsupport
