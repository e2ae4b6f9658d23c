#pragma once
#include <cstddef>

// Counts the bytes the program holds through operator new, for tests that
// check what an input costs in memory rather than in time.
namespace mascot::testing {

// Starts a new measurement from what is held now.
void StartAllocationMeter();
// The most bytes held at once since the start, beyond those held then.
std::size_t PeakAllocationSinceStart();

}  // namespace mascot::testing
