#pragma once
// FITS bytes made by hand, independently of cfitsio and of the program's writer.

#include "FFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace fitsbytes {

inline std::string card(const std::string& text) { return (text + std::string(80, ' ')).substr(0, 80); }

inline std::string header(const std::vector<std::string>& cards)
{
    std::string out;
    for (const std::string& c : cards)
        out += card(c);
    out += card("END");
    out.resize((out.size() + 2879) / 2880 * 2880, ' ');
    return out;
}

inline std::string data(std::string b) { return b.resize((b.size() + 2879) / 2880 * 2880, '\0'), b; }

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
inline std::string kv(const std::string& key, const std::string& value) { return card(key).substr(0, 8) + "= " + value; }

inline std::vector<std::pair<std::string, std::string>> entriesOf(const FFile& f)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (int i = 0; i < f.EntryCount(); ++i)
        out.emplace_back(f.EntryAt(i).GetID(), f.EntryAt(i).GetValue());
    return out;
}

}  // namespace fitsbytes
