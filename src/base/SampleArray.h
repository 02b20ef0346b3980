#pragma once
// An owned array of single-precision samples whose contents start undefined.
//
// Records run to tens of millions of samples: zero-filling a fresh buffer
// that is about to be overwritten costs a page fault per 4 KiB for nothing,
// so the memory is left uninitialised, and large arrays are aligned to 2 MiB
// and offered to the kernel as huge pages, which cuts the faults of the
// first touch by a factor of 512.

#include <cstddef>
#include <span>

class SampleArray {
public:
    SampleArray() = default;
    // Allocates n samples (undefined contents); n <= 0 gives an empty array.
    // Exhausted memory ends the program ("Insufficient memory").
    explicit SampleArray(long long n);
    ~SampleArray();

    SampleArray(SampleArray&& other) noexcept;
    SampleArray& operator=(SampleArray&& other) noexcept;
    SampleArray(const SampleArray&) = delete;
    SampleArray& operator=(const SampleArray&) = delete;

    // A copy of the first n samples of src.
    static SampleArray copyOf(const float* src, long long n);

    float* data() { return data_; }
    const float* data() const { return data_; }
    long long size() const { return size_; }
    bool empty() const { return size_ == 0; }
    float& operator[](std::size_t i) { return data_[i]; }
    const float& operator[](std::size_t i) const { return data_[i]; }
    float* begin() { return data_; }
    float* end() { return data_ + size_; }
    const float* begin() const { return data_; }
    const float* end() const { return data_ + size_; }
    std::span<float> span() { return {data_, static_cast<std::size_t>(size_)}; }
    std::span<const float> span() const { return {data_, static_cast<std::size_t>(size_)}; }

    void reset();

private:
    float* data_ = nullptr;
    long long size_ = 0;
};
