#pragma once
// The overlaying flags shared by every subcommand that combines several
// F-files. Without flags the initial settings apply (scaling and absolute
// offsets on, horn and nutation shifts off, active head values kept).
//
//   --no-scaling            operands on their sample index
//   --no-absolute-offsets   CRVAL1 and CRPIX1 left out
//   --channel-offsets       (TIMEWSH + TIMEESH) / 2 applied
//   --time-correction       NUT-RA applied
//   --keep-active-offsets   offsets not applied copied from the active head
//   --check-declination     unequal declinations fail the operation
//   --equal-parameters-only non-critical entries kept only when all agree

#include "CliSupport.h"
#include "OverlayTuning.h"

namespace cli {

// Lines for a subcommand's usage text.
extern const char* const kOverlayFlagsUsage;

// Consumes the overlay flags; the result starts from the initial values and
// has quiet set, as a batch run shows no dialog.
OverlayTuning readOverlayFlags(ArgReader& reader);

// The same, installed as the process-wide overlaying record, which every
// multi-file operation constructed without settings then uses.
OverlayTuning applyOverlayFlags(ArgReader& reader);

}  // namespace cli
