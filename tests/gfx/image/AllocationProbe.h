// Remembers the largest single memory request a test program makes, so a test can show that a
// reader reserved nothing large for a file that claims to be large.
#pragma once

#include <cstddef>

// Forgets the requests made so far.
void ResetLargestAllocation();
// The largest request through operator new since the last reset.
std::size_t LargestAllocation();
