#include "FFCompress.h"

#include "FiniteSamples.h"

#include "Messages.h"
#include "Progress.h"
#include "Tuning.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
constexpr const char* kClass = "FFCompress";
}

FFCompress::FFCompress(FFile* input, const CompressTuning* settings) : FFTransform(input, false)
{
    historyName_ = "COMPRESS";
    progressLabel_ = "Compress";
    if (settings) {
        settings_ = *settings;
        settings_.given = true;
    }
}

bool FFCompress::Prepare()
{
    if (!FFTransform::Prepare())
        return false;
    if (!settings_.given) {
        CompressTuning& shared = Tuning<CompressTuning>::current();
        if (!shared.quiet && !Tuning<CompressTuning>::edit())
            return false;
        settings_ = Tuning<CompressTuning>::current();
        settings_.given = false;
    }
    // The dialog's spin starts at 0; a factor below 1 has no blocks to average.
    if (settings_.factor < 1) {
        char text[64];
        std::snprintf(text, sizeof text, "invalid compression factor %d", settings_.factor);
        Messages::error(kClass, text);
        return false;
    }
    const int f = settings_.factor;
    outputN_ = n_ / f;
    if (outputN_ == 0) {
        Messages::error(kClass, "output FFile size is zero");
        return false;
    }
    outputStep_ = f * step_;
    headCopy_.SetInt("NAXIS1", outputN_);
    // Origin and step keep as many digits as place every output sample
    // within a millionth of a step of its true coordinate.
    const double tolerance = 1e-6 * std::fabs(outputStep_);
    headCopy_.SetText("CDELT1", HeadEntry::FormatRealWithin(outputStep_, tolerance / (outputN_ > 1 ? outputN_ : 1)));
    headCopy_.SetText("CRVAL1",
                      HeadEntry::FormatRealWithin(headCopy_.GetReal("CRVAL1") + (outputStep_ - step_) * 0.5, tolerance));
    CreateOutput(headCopy_, outputN_);
    return true;
}

bool FFCompress::Compute()
{
    if (settings_.method != CompressMethod::Mean && settings_.method != CompressMethod::Median) {
        Messages::error(kClass, "unknown method");
        return false;
    }
    // Every output comes from its own block: slices of whole blocks give the
    // same values, with a progress report between them.
    const int f = settings_.factor;
    const int outN = f >= 1 ? n_ / f : 0;
    constexpr int kSlice = 1 << 16;
    for (int k = 0; k < outN; k += kSlice) {
        if (!Progress::report(k, outN))
            return false;
        const int len = std::min(kSlice, outN - k);
        const float* in = samples_ + static_cast<long long>(k) * f;
        float* out = outputData_ + k;
        if (settings_.method == CompressMethod::Mean) {
            // A block mean is finite exactly when the block's samples are (a
            // double sum of floats cannot overflow), so only blocks with an
            // undefined mean need their defined samples averaged.
            BlockMeans(in, len * f, f, out);
            for (int i = 0; i < len; ++i)
                if (!std::isfinite(out[i]))
                    DefinedBlockMeans(in + static_cast<long long>(i) * f, f, f, out + i);
        } else {
            const bool defined = allFinite(in, static_cast<std::size_t>(len) * static_cast<std::size_t>(f));
            (defined ? BlockMedians : DefinedBlockMedians)(in, len * f, f, out);
        }
    }
    return true;
}
