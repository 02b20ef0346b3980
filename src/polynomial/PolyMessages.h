#pragma once
// Texts shared by the polynomial operations.

// A fit that cannot be made from the points (a singular system, or a NaN
// or infinity among the selected samples) is refused rather than writing
// NaN or infinity into the record.
constexpr const char* kSingularFit = "singular or degenerate fit, data left unchanged";
