// What only the tests and benchmarks of the SDL audio back end need to see of it.
#pragma once

#include <cstdint>

// The SDL id of the open device, 0 when none: lets a test pause the device or announce that it
// was removed.
std::uint32_t SdlAudioDeviceId();

// One run of the device callback into `out` (`bytes` of 16-bit stereo), exactly as the device
// thread makes it: for measuring the callback's cost without waiting for the device's clock.
void SdlAudioMixForTest(std::uint8_t* out, int bytes);
