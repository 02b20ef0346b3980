#include "SampleArray.h"

#include "Messages.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kHugePage = 2u << 20;

float* allocateSamples(long long n)
{
    std::size_t bytes = static_cast<std::size_t>(n) * sizeof(float);
    void* p = nullptr;
    if (bytes >= kHugePage) {
        std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        p = std::aligned_alloc(kHugePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (p)
            madvise(p, rounded, MADV_HUGEPAGE);
#endif
    } else {
        p = std::malloc(bytes);
    }
    if (!p)
        Messages::outOfMemory();
    return static_cast<float*>(p);
}

}  // namespace

SampleArray::SampleArray(long long n)
{
    if (n <= 0)
        return;
    if (static_cast<unsigned long long>(n) > SIZE_MAX / sizeof(float))
        Messages::outOfMemory();
    data_ = allocateSamples(n);
    size_ = n;
}

SampleArray::~SampleArray() { reset(); }

SampleArray::SampleArray(SampleArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

SampleArray& SampleArray::operator=(SampleArray&& other) noexcept
{
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

SampleArray SampleArray::copyOf(const float* src, long long n)
{
    SampleArray out(n);
    if (out.size_ > 0)
        std::memcpy(out.data_, src, static_cast<std::size_t>(out.size_) * sizeof(float));
    return out;
}

void SampleArray::reset()
{
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
}
