#pragma once

// Cells of the shared button pictures (bitmap resource 130, and its double-size strip), in
// the strip's order; both front ends' image lists index them directly.
namespace SharedImage {
constexpr int PinIn = 0;
constexpr int PinOut = 1;
constexpr int Help = 2;
constexpr int ArrowRight = 3;
constexpr int ArrowLeft = 4;
constexpr int Settings = 5;
constexpr int Ok = 6;
constexpr int Cancel = 7;
constexpr int About = 8;
} // namespace SharedImage
