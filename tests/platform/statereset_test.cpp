// The state-reset registry: registering gives the state its initial values at once, a reset is
// kept once however often it is registered, and ResetAllState runs every one.
#include "platform/statereset.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>

namespace {

// Two pieces of state registered the way the state headers do it, at static initialisation.
QString probeText;
int probeResets = 0;
void resetProbeText() {
    probeText = QStringLiteral("initial");
    ++probeResets;
}
const bool probeTextRegistered = RegisterStateReset(&resetProbeText);

int probeNumber;
void resetProbeNumber() { probeNumber = 7; }
const bool probeNumberRegistered = RegisterStateReset(&resetProbeNumber);

long timesRegistered(StateReset reset) {
    const std::vector<StateReset>& all = RegisteredStateResets();
    return std::count(all.begin(), all.end(), reset);
}

TEST(StateResetRegistry, StateHoldsItsInitialValuesFromStaticInitialisation) {
    EXPECT_TRUE(probeTextRegistered);
    EXPECT_TRUE(probeNumberRegistered);
    // No test reset these: the registration did.
    EXPECT_EQ(probeText, QStringLiteral("initial"));
    EXPECT_EQ(probeNumber, 7);
}

TEST(StateResetRegistry, RegisteringAgainNeitherAddsNorRuns) {
    probeText = QStringLiteral("changed");
    const int before = probeResets;
    EXPECT_TRUE(RegisterStateReset(&resetProbeText));
    EXPECT_EQ(probeResets, before);
    EXPECT_EQ(probeText, QStringLiteral("changed"));
    EXPECT_EQ(timesRegistered(&resetProbeText), 1);
    // A header included by many files registers from each; still one entry, one run per reset.
    ResetAllState();
    EXPECT_EQ(probeResets, before + 1);
}

TEST(StateResetRegistry, ResetAllStateRunsEveryRegisteredReset) {
    probeText = QStringLiteral("changed");
    probeNumber = 0;
    ResetAllState();
    EXPECT_EQ(probeText, QStringLiteral("initial"));
    EXPECT_EQ(probeNumber, 7);
}

}  // namespace
