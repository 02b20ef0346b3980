#include "HeadIndex.h"

#include <functional>

std::uint64_t HeadIndex::hashOf(std::string_view id) { return std::hash<std::string_view>{}(id); }

std::size_t HeadIndex::find(std::string_view id, const Entries& entries) const
{
    if (slots_.empty())
        return npos;
    const std::uint64_t tag = hashOf(id) >> 32;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = tag & mask;; s = (s + 1) & mask) {
        const std::uint64_t slot = slots_[s];
        if (slot == kEmpty)
            return npos;
        if ((slot >> 32) != tag)
            continue;
        const std::size_t pos = slot & 0xFFFFFFFFu;
        ++comparisons_;
        if (entries[pos]->GetID() == id)
            return pos;
    }
}

// The high 32 bits of the hash pick the first slot and are kept in it, so
// that growing the table needs no entry.
void HeadIndex::place(std::uint32_t pos, std::uint64_t hash)
{
    const std::uint64_t tag = hash >> 32;
    const std::size_t mask = slots_.size() - 1;
    std::size_t s = tag & mask;
    while (slots_[s] != kEmpty)
        s = (s + 1) & mask;
    slots_[s] = (tag << 32) | pos;
}

void HeadIndex::grow(const Entries& entries)
{
    // Kept at most half full, so that a probe sequence stays short.
    std::size_t size = slots_.empty() ? 16 : slots_.size() * 2;
    while (size < 2 * (used_ + 1))
        size *= 2;
    std::vector<std::uint64_t> old;
    old.swap(slots_);
    slots_.assign(size, kEmpty);
    if (old.empty()) {
        for (std::size_t pos = 0; pos < used_; ++pos)
            place(static_cast<std::uint32_t>(pos), hashOf(entries[pos]->GetID()));
        return;
    }
    for (std::uint64_t slot : old)
        if (slot != kEmpty)
            place(static_cast<std::uint32_t>(slot & 0xFFFFFFFFu), slot);
}

void HeadIndex::add(std::size_t pos, const Entries& entries)
{
    if (2 * (used_ + 1) > slots_.size())
        grow(entries);
    place(static_cast<std::uint32_t>(pos), hashOf(entries[pos]->GetID()));
    ++used_;
}

void HeadIndex::rebuild(const Entries& entries)
{
    clear();
    used_ = entries.size();
    if (used_ == 0)
        return;
    grow(entries);
}

void HeadIndex::clear()
{
    slots_.clear();
    slots_.shrink_to_fit();
    used_ = 0;
}
