#include "OverlayFlags.h"

#include "FFile.h"
#include "Tuning.h"

namespace cli {

const char* const kOverlayFlagsUsage =
    "overlay flags:\n"
    "  --no-scaling             put every operand on its sample index\n"
    "  --no-absolute-offsets    leave CRVAL1 and CRPIX1 out of X\n"
    "  --channel-offsets        apply the horn shifts (TIMEWSH + TIMEESH) / 2\n"
    "  --time-correction        apply the nutation shift NUT-RA\n"
    "  --keep-active-offsets    copy the offsets not applied from the active head\n"
    "  --check-declination      fail when the declinations differ\n"
    "  --equal-parameters-only  keep only header entries equal in all operands\n";

OverlayTuning readOverlayFlags(ArgReader& reader)
{
    OverlayTuning t;
    if (reader.flag("--no-scaling"))
        t.offsetFlags |= OffsetPixels;
    if (reader.flag("--no-absolute-offsets"))
        t.offsetFlags |= OffsetNoAbsolute;
    if (reader.flag("--channel-offsets"))
        t.offsetFlags &= ~OffsetNoHorns;
    if (reader.flag("--time-correction"))
        t.offsetFlags &= ~OffsetNoNutation;
    t.keepActiveOffsets = reader.flag("--keep-active-offsets");
    t.checkDeclination = reader.flag("--check-declination");
    if (reader.flag("--equal-parameters-only"))
        t.headMode = HeadMode::EqualOnly;
    t.quiet = true;
    return t;
}

OverlayTuning applyOverlayFlags(ArgReader& reader)
{
    OverlayTuning t = readOverlayFlags(reader);
    Tuning<OverlayTuning>::current() = t;
    return t;
}

}  // namespace cli
