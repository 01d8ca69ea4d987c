#include "platform/statereset.h"

#include <algorithm>

namespace {
// Function-local, so it exists before the first registration whatever the order of static
// initialisation across files.
std::vector<StateReset>& registry() {
    static std::vector<StateReset> resets;
    return resets;
}
}  // namespace

bool RegisterStateReset(StateReset reset) {
    std::vector<StateReset>& resets = registry();
    if (std::find(resets.begin(), resets.end(), reset) != resets.end()) return true;
    resets.push_back(reset);
    reset();
    return true;
}

void ResetAllState() {
    for (StateReset reset : registry()) reset();
}

const std::vector<StateReset>& RegisteredStateResets() { return registry(); }
