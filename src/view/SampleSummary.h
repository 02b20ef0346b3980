#pragma once
// A min/max summary of a record's samples for painting at coarse scales:
// the smallest and largest finite sample of every block of 64 samples, and
// of every 16 such blocks above that, level after level, with a flag for
// blocks that hold a NaN or an infinity. A repaint of a column of 80 000
// samples then reads a few dozen summary entries instead of the samples.
//
// No toolkit here. The summary is built in one pass over the samples and
// brought up to date for the samples an edit changed (update); the view
// decides when.

#include <cstdint>
#include <vector>

class SampleSummary {
public:
    static constexpr int kBlockShift = 6;  // level 0: 64 samples
    static constexpr int kFanShift = 4;    // 16 blocks of one level make one of the next

    // Summarises n samples (the array stays the caller's and must outlive
    // the summary or be handed in again).
    void build(const float* samples, int n);
    // The samples lo .. hi (inclusive) changed in place.
    void update(int lo, int hi);
    void clear();

    bool built() const { return samples_ != nullptr; }
    const float* samples() const { return samples_; }
    int count() const { return count_; }
    int levels() const { return static_cast<int>(levels_.size()); }

    // Samples per block of a level.
    static long long blockSize(int level) { return 1LL << (kBlockShift + kFanShift * level); }
    // Blocks of a level (the last one may be short).
    int blocks(int level) const { return static_cast<int>(levels_[static_cast<std::size_t>(level)].lo.size()); }
    // Smallest and largest finite sample of a block; lo > hi when the block
    // holds no finite sample.
    float low(int level, int block) const { return levels_[static_cast<std::size_t>(level)].lo[static_cast<std::size_t>(block)]; }
    float high(int level, int block) const { return levels_[static_cast<std::size_t>(level)].hi[static_cast<std::size_t>(block)]; }
    // The block holds a NaN or an infinity.
    bool nonFinite(int level, int block) const
    {
        return levels_[static_cast<std::size_t>(level)].bad[static_cast<std::size_t>(block)] != 0;
    }

    struct Range {
        float lo;
        float hi;
        bool nonFinite;
    };
    // Over the samples lo .. hi (inclusive, inside the record).
    Range range(int lo, int hi) const;

    // Bytes held, for the memory figures.
    std::size_t bytes() const;

private:
    struct Level {
        std::vector<float> lo;
        std::vector<float> hi;
        std::vector<std::uint8_t> bad;
    };
    void summariseBlocks(int first, int last);          // level 0 blocks
    void combine(int level, int first, int last);       // blocks of level from level - 1

    const float* samples_ = nullptr;
    int count_ = 0;
    std::vector<Level> levels_;
};
