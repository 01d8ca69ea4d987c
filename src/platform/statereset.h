#pragma once
// One registry of the resets of module state, so that a test (or anything else that wants a fresh
// run) brings every subsystem's state back with one call.
//
// How initial values are written once: module state (a subsystem's state header or labels struct
// in src/state/, the hidden data form) is declared without initial values, and the reset beside it assigns them. The
// header registers that reset right after the declarations:
//     inline const bool fooStateRegistered = RegisterStateReset(&ResetFooState);
// Registering runs the reset, so the state holds its initial values from static initialisation
// on, in every program that links it, and nothing has to remember a call at start-up. An inline
// variable is initialised once per program, after the inline variables declared before it in the
// same header; the registry still ignores a reset registered twice. Since resets run during static
// initialisation, they only assign values: no QCoreApplication, no files, no other state.
#include <vector>

using StateReset = void (*)();

// Adds the reset and runs it; a reset already registered is neither added nor run again. Always
// true, so the call can initialise the registration variable.
bool RegisterStateReset(StateReset reset);
// Runs every registered reset in registration order: all module state back to its initial values.
void ResetAllState();
// The registered resets, in registration order.
const std::vector<StateReset>& RegisteredStateResets();
