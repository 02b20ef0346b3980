#pragma once
// A small list of F-files with one active member: how a set of loaded
// F-files is handed to a multi-file operation. The list owns only its
// nodes, never the F-files it names.
//
// Add inserts at the front, so iteration (First, Next) yields the entries in
// the reverse order of insertion, and a copy reverses its source once more.
// The same F-file may be listed twice; the list does not check.

#include <forward_list>

class FFile;

class FFList {
public:
    FFList() = default;
    // Copies the source's entries (in reverse order) and its active F-file.
    // A non-empty source without an active F-file is reported with
    // "FFList: active FFile is NULL"; the copy is made all the same.
    FFList(const FFList& source);
    FFList& operator=(const FFList&) = delete;
    ~FFList() { Clear(); }

    void Add(FFile* file);
    // The front entry (nullptr when empty); restarts the iteration.
    FFile* First();
    // The entry under the cursor, then advances; nullptr at the end.
    FFile* Next();
    // Count and SetActive walk the nodes without touching the iteration
    // cursor, so they are safe in the middle of a First/Next loop.
    int Count() const;
    // Frees every node; the active reference stays as it is.
    void Clear();
    // Makes file (compared by identity) the active F-file; false with
    // "FFList: can't set given FFile as active" when it is not listed.
    bool SetActive(FFile* file);
    FFile* Active() const { return active_; }

private:
    std::forward_list<FFile*> entries_;
    std::forward_list<FFile*>::iterator cursor_ = entries_.end();
    FFile* active_ = nullptr;
};
