#pragma once
// How several F-files are brought onto one X grid, kept process-wide as
// Tuning<OverlayTuning> (fixed initial values, never saved) and copied into
// each multi-file operation when it prepares.

// Bits of offsetFlags: each set bit leaves one correction out of the
// operation coordinates (the same values as OffsetFlag in FFile.h).
//   1  absolute offsets (CRVAL1, CRPIX1)
//   2  channel-specific offsets ((TIMEWSH + TIMEESH) / 2)
//   4  time correction offsets (NUT-RA)
//   8  scaling: the coordinate of a sample is its index

// Values of OverlayTuning::headMode: how the non-critical entries of the
// output head are chosen.
namespace HeadMode {
enum Value : int {
    ActiveValues = 0,  // "Use active f-file head values"
    EqualOnly = 1,     // "Leave equal parameters only"
};
}

struct OverlayTuning {
    // No "F-files overlaying control" dialog before an operation runs.
    bool quiet = false;
    // Declinations that differ by more than 0.0006 fail the operation.
    bool checkDeclination = false;
    // Offsets left out of X are copied from the active head into the output.
    bool keepActiveOffsets = false;
    // Initially scaling and absolute offsets on, horn and nutation shifts off.
    int offsetFlags = 6;
    int headMode = HeadMode::ActiveValues;
    // Set when an operation was handed the record explicitly.
    bool given = false;
};
