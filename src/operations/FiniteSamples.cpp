#include "FiniteSamples.h"

#include <cstdint>
#include <cstring>

namespace {

// Blocks short enough to stop soon after the first undefined sample, long
// enough for the vector unit to run without a branch per sample.
constexpr std::size_t kBlock = 1024;

__attribute__((target_clones("avx2", "default"))) bool blockFinite(const float* x, std::size_t n)
{
    // NaN and infinities, and only they, have every exponent bit set.
    std::uint32_t bad = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t u;
        std::memcpy(&u, &x[i], 4);
        bad |= (u & 0x7F800000u) == 0x7F800000u;
    }
    return bad == 0;
}

}  // namespace

bool allFinite(const float* x, std::size_t n)
{
    for (std::size_t at = 0; at < n; at += kBlock)
        if (!blockFinite(x + at, n - at < kBlock ? n - at : kBlock))
            return false;
    return true;
}
