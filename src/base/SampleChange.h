#pragma once
// The values a change of a record's samples overwrote, kept as raw bits in
// runs of consecutive indices, so that the change can be taken back and
// made again exactly: NaN payloads and signed zeros survive, which a pass
// through float arithmetic would not guarantee.
//
// Only the samples that changed are kept: a Clip over 300 samples costs 300
// values, a change of the whole record costs one record.

#include <cstddef>
#include <cstdint>
#include <vector>

class SampleChange {
public:
    // Keeps samples[first .. first + count - 1] as they are now, before the
    // caller overwrites them. Runs are expected in increasing index order.
    void keep(const float* samples, int first, int count);

    // Swaps the kept values with the record's: the first call takes the
    // change back, the next makes it again, and so on. False, with nothing
    // touched, if a run lies outside the count samples of the record.
    bool exchange(float* samples, int count);

    bool empty() const { return runs_.empty(); }
    // Lowest and highest index kept (-1 when empty).
    int first() const { return runs_.empty() ? -1 : runs_.front().first; }
    int last() const { return runs_.empty() ? -1 : runs_.back().first + runs_.back().count - 1; }
    // Bytes of the kept values. The runs' few bytes of bookkeeping are left
    // out, so that four whole-record changes cost exactly four records.
    long long bytes() const;

private:
    struct Run {
        int first;
        int count;
    };
    std::vector<Run> runs_;
    std::vector<std::uint32_t> bits_;
};
