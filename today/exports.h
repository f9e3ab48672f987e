#pragma once
// The shell finds the library's entry points by name: they have C linkage and stay visible,
// while the library hides everything else.
#define KALMENOTP_EXPORT extern "C" __attribute__((visibility("default")))
