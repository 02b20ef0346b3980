#pragma once
// The per-view arrays that the plot view owns and the polynomial operations,
// statistics and copy commands work on: the record's samples (shared with
// the document), one mark per sample and a result array of the same length.
//
// Kept free of any toolkit so that every operation on marks can be tested
// without a window.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

enum SampleMark : std::uint8_t {
    MarkNone = 0,       // unmarked
    MarkSelected = 1,   // selected with the Select tool
    MarkDiscarded = 2,  // discarded with the Discard tool
    MarkPending = 3,    // the result array holds a value waiting for confirmation
};

struct ViewArrays {
    // The record shown (owned by the document's FFile); count samples.
    float* samples = nullptr;
    int count = 0;
    // One mark per sample, bytes rather than ints: records are large.
    std::vector<std::uint8_t> marks;
    // Computed values waiting for confirmation (mark 3), one per sample.
    std::vector<float> result;
    // The marks as they were before an operation replaced them with pending
    // marks; empty when there is no saved copy.
    std::vector<std::uint8_t> saved;
    bool hasSaved = false;

    // Points at a record and sizes marks and result; all marks cleared.
    void attach(float* data, int n)
    {
        samples = data;
        count = std::max(n, 0);
        marks.assign(static_cast<std::size_t>(count), MarkNone);
        result.assign(static_cast<std::size_t>(count), 0.0f);
        dropSaved();
    }

    // Like attach, but leaves the marks and the result array empty until
    // ensureMarks() and ensureResult(): a view that is only looked at then
    // costs nothing per sample (marks are all 0 until made).
    void attachMarksOnly(float* data, int n)
    {
        samples = data;
        count = std::max(n, 0);
        marks.clear();
        marks.shrink_to_fit();
        result.clear();
        result.shrink_to_fit();
        dropSaved();
    }

    // Sizes the mark array to the record (all 0) if it is not sized yet.
    void ensureMarks()
    {
        if (marks.size() != static_cast<std::size_t>(count))
            marks.assign(static_cast<std::size_t>(count), MarkNone);
    }

    // Sizes the result array to the record (zeros) if it is not sized yet.
    void ensureResult()
    {
        if (result.size() != static_cast<std::size_t>(count))
            result.assign(static_cast<std::size_t>(count), 0.0f);
    }

    // Releases the result array (nothing is pending any more).
    void releaseResult()
    {
        result.clear();
        result.shrink_to_fit();
    }

    bool hasResult() const { return count > 0 && result.size() == static_cast<std::size_t>(count); }

    bool hasMark(std::uint8_t k) const
    {
        return !marks.empty() && std::memchr(marks.data(), k, marks.size()) != nullptr;
    }

    void clearMarks() { std::fill(marks.begin(), marks.end(), MarkNone); }

    void saveMarks()
    {
        ensureMarks();
        saved = marks;
        hasSaved = true;
    }

    void dropSaved()
    {
        saved.clear();
        saved.shrink_to_fit();
        hasSaved = false;
    }

    // Copies the saved marks back and releases them; false if there were none.
    bool restoreMarks()
    {
        if (!hasSaved)
            return false;
        marks = saved;
        dropSaved();
        return true;
    }

    // Sets mark k on samples lo..hi (inclusive, clamped to the record).
    void markRange(int lo, int hi, std::uint8_t k)
    {
        if (lo > hi)
            std::swap(lo, hi);
        if (lo < 0)
            lo = 0;
        if (hi >= count)
            hi = count - 1;
        ensureMarks();
        for (int i = lo; i <= hi; ++i)
            marks[static_cast<std::size_t>(i)] = k;
    }
};
