#pragma once
// The ordered header of an F-file: at most one entry per ID, new IDs
// appended, a repeated ID replacing the old entry in place. Values are text;
// the typed getters read them with the C library's atoi/atof rules.
//
// Failures are reported as "FHead: ..." messages (see Messages.h).

#include "HeadEntry.h"
#include "HeadIndex.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FHead {
public:
    FHead() = default;
    // A fresh entry for every entry of the other header, in the same order.
    FHead(const FHead& other);
    FHead& operator=(const FHead& other);
    FHead(FHead&&) noexcept = default;
    FHead& operator=(FHead&&) noexcept = default;
    virtual ~FHead() = default;

    HeadEntry* Find(std::string_view id);
    const HeadEntry* Find(std::string_view id) const;
    bool Has(std::string_view id) const { return Find(id) != nullptr; }
    // True only if the entry exists and its text equals text exactly.
    bool ValueIs(std::string_view id, std::string_view text) const;

    // The value text; for a missing ID shows "can't access unexistent entry
    // <ID>" and returns an empty text (0 / 0.0 for the typed getters).
    std::string GetText(std::string_view id) const;
    int GetInt(std::string_view id) const;
    double GetReal(std::string_view id) const;

    void SetText(std::string_view id, std::string_view text);
    void SetInt(std::string_view id, int value);
    void SetReal(std::string_view id, double value);

    // Replaces an entry with the same ID in place, else appends.
    void Insert(std::unique_ptr<HeadEntry> entry);
    // Puts a new ID at position pos (0-based), where a removed entry stood;
    // past the end (or negative) it is appended. An ID already present is
    // replaced in place, as by Insert, so the header never holds it twice.
    void InsertAt(int pos, std::unique_ptr<HeadEntry> entry);
    // Position of the entry id (0-based), or -1 if there is none.
    int IndexOf(std::string_view id) const;
    // Destroys the first entry with that ID; false (silently) if none.
    bool Remove(std::string_view id);
    void Clear();

    // The single iteration cursor: walks are not reentrant.
    HeadEntry* First();
    HeadEntry* Next();

    // ID comparisons made by lookups so far (work bound for tests).
    std::uint64_t LookupComparisons() const { return index_.comparisons(); }

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    // Entry by position (0-based), for callers that need no cursor.
    const HeadEntry& EntryAt(int i) const { return *entries_[static_cast<std::size_t>(i)]; }

    // Checks the header against the dictionary and adds missing defaults.
    bool QControl();

    // Reads the header of the named file up to its END line, then QControl.
    bool ReadHead(const std::string& path);

    // Parses the header text at the start of a byte buffer, as ReadHead does
    // for a file. Used by ReadHead and by the fuzz target.
    bool ReadHeadFromBytes(std::string_view bytes);
    // The same, from any byte input positioned at the start of the file.
    bool ReadHeadFrom(class ByteSource& source);

    // Longest header line accepted, from its first non-white character.
    static constexpr int kMaxLine = 1997;

private:
    // Entries in header order, with an ID index beside them.
    std::vector<std::unique_ptr<HeadEntry>> entries_;
    HeadIndex index_;
    std::size_t cursor_ = 0;
};

// C-library readings of a value text: longest numeric prefix after leading
// white space, 0 when there is none; out-of-range integers saturate instead
// of being undefined.
int textToInt(std::string_view text);
double textToReal(std::string_view text);

// The text without the white space (blank, tab, line feed, vertical tab,
// form feed, carriage return) at its ends, as the reader takes a value.
std::string_view trimHeadText(std::string_view text);
