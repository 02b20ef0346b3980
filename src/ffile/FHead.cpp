#include "FHead.h"

#include "Messages.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {
constexpr const char* kClass = "FHead";
}

FHead::FHead(const FHead& other)
{
    entries_.reserve(other.entries_.size());
    for (const auto& e : other.entries_)
        entries_.push_back(std::make_unique<HeadEntry>(e->GetID(), std::string_view(e->GetValue())));
    index_.rebuild(entries_);
}

FHead& FHead::operator=(const FHead& other)
{
    if (this != &other) {
        FHead copy(other);
        entries_ = std::move(copy.entries_);
        index_ = std::move(copy.index_);
        cursor_ = 0;
    }
    return *this;
}

HeadEntry* FHead::Find(std::string_view id)
{
    const std::size_t pos = index_.find(id, entries_);
    return pos == HeadIndex::npos ? nullptr : entries_[pos].get();
}

const HeadEntry* FHead::Find(std::string_view id) const
{
    const std::size_t pos = index_.find(id, entries_);
    return pos == HeadIndex::npos ? nullptr : entries_[pos].get();
}

bool FHead::ValueIs(std::string_view id, std::string_view text) const
{
    const HeadEntry* e = Find(id);
    return e && e->GetValue() == text;
}

std::string FHead::GetText(std::string_view id) const
{
    const HeadEntry* e = Find(id);
    if (!e) {
        std::string msg = "can't access unexistent entry ";
        msg.append(id);
        Messages::error(kClass, msg);
        return {};
    }
    return e->GetValue();
}

int FHead::GetInt(std::string_view id) const { return textToInt(GetText(id)); }

double FHead::GetReal(std::string_view id) const { return textToReal(GetText(id)); }

void FHead::SetText(std::string_view id, std::string_view text) { Insert(std::make_unique<HeadEntry>(id, text)); }

void FHead::SetInt(std::string_view id, int value) { Insert(std::make_unique<HeadEntry>(id, value)); }

void FHead::SetReal(std::string_view id, double value) { Insert(std::make_unique<HeadEntry>(id, value)); }

void FHead::Insert(std::unique_ptr<HeadEntry> entry)
{
    if (!entry)
        return;
    const std::size_t pos = index_.find(entry->GetID(), entries_);
    if (pos != HeadIndex::npos) {
        entries_[pos] = std::move(entry);  // same ID: the index stays valid
        return;
    }
    entries_.push_back(std::move(entry));
    index_.add(entries_.size() - 1, entries_);
}

void FHead::InsertAt(int pos, std::unique_ptr<HeadEntry> entry)
{
    if (!entry)
        return;
    if (Has(entry->GetID())) {
        Insert(std::move(entry));
        return;
    }
    const std::size_t at = std::min(static_cast<std::size_t>(std::max(pos, 0)), entries_.size());
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    // The entries after it moved up one place (an undone deletion: rare).
    index_.rebuild(entries_);
    if (cursor_ > at)
        ++cursor_;
}

int FHead::IndexOf(std::string_view id) const
{
    const std::size_t pos = index_.find(id, entries_);
    return pos == HeadIndex::npos ? -1 : static_cast<int>(pos);
}

bool FHead::Remove(std::string_view id)
{
    const std::size_t pos = index_.find(id, entries_);
    if (pos == HeadIndex::npos)
        return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(pos));
    // Removals are rare (the header editor): re-indexing the shifted
    // positions is simpler than patching them.
    index_.rebuild(entries_);
    // Keep a running walk on the entry that followed the removed one.
    if (cursor_ > pos)
        --cursor_;
    return true;
}

void FHead::Clear()
{
    entries_.clear();
    index_.clear();
    cursor_ = 0;
}

HeadEntry* FHead::First()
{
    cursor_ = 0;
    return entries_.empty() ? nullptr : entries_[0].get();
}

HeadEntry* FHead::Next()
{
    if (cursor_ < entries_.size())
        ++cursor_;
    return cursor_ < entries_.size() ? entries_[cursor_].get() : nullptr;
}

bool FHead::QControl()
{
    for (const KeywordSpec& row : KeywordDictionary::Rows()) {
        const char cls = row.classLetter();
        if (cls == 'c') {
            if (Has(row.id))
                continue;
            if (*row.defaultValue) {
                SetText(row.id, row.defaultValue);
                continue;
            }
            Messages::error(kClass, std::string("missing critical parameter ") + row.id);
            return false;
        }
        if (cls == 'f') {
            const HeadEntry* e = Find(row.id);
            if (!e) {
                Messages::error(kClass, std::string("missing critical parameter ") + row.id);
                return false;
            }
            if (e->GetValue() != row.defaultValue) {
                Messages::error(kClass, std::string("invalid value of the fixed parameter ") + row.id);
                return false;
            }
        }
    }
    return true;
}

int textToInt(std::string_view text)
{
    std::string s(text);
    errno = 0;
    long v = std::strtol(s.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

double textToReal(std::string_view text)
{
    std::string s(text);
    return std::strtod(s.c_str(), nullptr);
}
