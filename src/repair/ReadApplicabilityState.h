// Reads the four repaired values in the 64-bit registry view, reading only.
#pragma once

#include "repair/ApplicabilityState.h"

enum class StateReadResult {
    Read,       // state filled in; a missing key reads as four absent values
    Unreadable, // the key or a value could not be read (access denied, ...)
};

StateReadResult ReadApplicabilityState(ApplicabilityState& state);
