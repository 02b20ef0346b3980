#include "SampleChange.h"

#include <cstring>

void SampleChange::keep(const float* samples, int first, int count)
{
    const std::size_t at = bits_.size();
    bits_.resize(at + static_cast<std::size_t>(count));
    std::memcpy(bits_.data() + at, samples + first, static_cast<std::size_t>(count) * sizeof(float));
    runs_.push_back({first, count});
}

bool SampleChange::exchange(float* samples, int count)
{
    for (const Run& r : runs_)
        if (r.first < 0 || r.first > count - r.count)
            return false;
    std::uint32_t* kept = bits_.data();
    for (const Run& r : runs_) {
        float* s = samples + r.first;
        // Through integers, never through float registers, so every bit pattern
        // comes back as it was.
        for (int i = 0; i < r.count; ++i) {
            std::uint32_t now;
            std::memcpy(&now, s + i, sizeof now);
            std::memcpy(s + i, kept + i, sizeof now);
            kept[i] = now;
        }
        kept += r.count;
    }
    return true;
}

long long SampleChange::bytes() const
{
    return static_cast<long long>(bits_.size() * sizeof(std::uint32_t));
}
