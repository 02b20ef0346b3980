#pragma once
// The ID index of a header: an open-addressing hash table of positions into
// the header's entry order, so that looking up, replacing and appending an
// entry cost the same for a header of a million entries as for one of ten.
// The order itself stays in the header's own array; a slot holds a 4-byte
// position and 32 bits of the ID's hash, so
// that a probe rarely has to look at an entry that is not the one sought.

#include "HeadEntry.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class HeadIndex {
public:
    using Entries = std::vector<std::unique_ptr<HeadEntry>>;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Position of the entry with this ID, or npos.
    std::size_t find(std::string_view id, const Entries& entries) const;
    // Records that entries[pos] (an ID not yet present) now exists.
    void add(std::size_t pos, const Entries& entries);
    // Indexes every entry afresh (after a removal shifted the positions).
    void rebuild(const Entries& entries);
    void clear();

    // ID comparisons made by lookups so far: the work of finding entries,
    // for checking that it grows linearly with the header.
    std::uint64_t comparisons() const { return comparisons_; }

private:
    // Slot: the ID's hash in the high 32 bits, the position in the low 32.
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
    static std::uint64_t hashOf(std::string_view id);
    void grow(const Entries& entries);
    void place(std::uint32_t pos, std::uint64_t hash);

    std::vector<std::uint64_t> slots_;  // size a power of two, or empty
    std::size_t used_ = 0;
    mutable std::uint64_t comparisons_ = 0;
};
