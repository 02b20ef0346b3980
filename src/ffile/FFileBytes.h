#pragma once
// Byte order and block size shared by the F-file reader and writer.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

namespace ffbytes {

// Samples converted per block when the file form is not the memory form.
constexpr std::size_t kBlock = 1 << 16;

template <typename T>
T fromLittleEndian(T v)
{
    if constexpr (std::endian::native == std::endian::little) {
        return v;
    } else {
        unsigned char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        std::reverse(b, b + sizeof(T));
        std::memcpy(&v, b, sizeof(T));
        return v;
    }
}

}  // namespace ffbytes
