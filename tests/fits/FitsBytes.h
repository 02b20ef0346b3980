#pragma once
// FITS files made byte by byte in the tests, independently of cfitsio and
// of the program's writer: 80-column cards, 2880-byte blocks, big-endian
// numbers.

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace fitsbytes {

inline std::string card(const std::string& text) { return (text + std::string(80, ' ')).substr(0, 80); }

// The cards and END, padded with blanks to whole blocks.
inline std::string header(const std::vector<std::string>& cards)
{
    std::string out;
    for (const std::string& c : cards)
        out += card(c);
    out += card("END");
    out.resize((out.size() + 2879) / 2880 * 2880, ' ');
    return out;
}

// Data padded with zeros to whole blocks.
inline std::string data(std::string bytes)
{
    bytes.resize((bytes.size() + 2879) / 2880 * 2880, '\0');
    return bytes;
}

template <typename T>
std::string bigEndian(const std::vector<T>& values)
{
    std::string out;
    for (T v : values) {
        char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        if constexpr (std::endian::native == std::endian::little)
            std::reverse(b, b + sizeof(T));
        out.append(b, sizeof(T));
    }
    return out;
}

// "KEY     = value" with the value as given (quote strings yourself).
inline std::string kv(const std::string& key, const std::string& value)
{
    return (key + std::string(8, ' ')).substr(0, 8) + "= " + value;
}

}  // namespace fitsbytes
