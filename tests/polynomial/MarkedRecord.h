#pragma once
// Marks as one character per sample: '.' none, 's' selected, 'd' discarded, 'p' pending.

#include "PolyTuning.h"
#include "ScanBuilder.h"
#include "TestSupport.h"
#include "ViewArrays.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline void setMarks(ViewArrays& view, const std::string& marks)
{
    for (std::size_t i = 0; i < marks.size() && i < view.marks.size(); ++i)
        view.marks[i] = marks[i] == 's' ? MarkSelected : marks[i] == 'd' ? MarkDiscarded : MarkNone;
}

inline std::vector<std::string> errorList(const std::string& error)
{
    return error.empty() ? std::vector<std::string>{} : std::vector<std::string>{error};
}

struct MarkedRecord {
    std::vector<float> data;
    ViewArrays view;

    explicit MarkedRecord(std::vector<float> values, const std::string& marks = "") : data(std::move(values))
    {
        view.attach(data.data(), static_cast<int>(data.size()));
        setMarks(view, marks);
    }
    std::string marks() const
    {
        std::string s;
        for (std::uint8_t m : view.marks) s += ".sdp"[m];
        return s;
    }
};

class PolyFixture : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() { resetAll<ClipTuning, GlueTuning, TrendTuning>(); }
    template <typename... T>
    static void resetAll() { ((Tuning<T>::reset(), Tuning<T>::setEditor(nullptr)), ...); }
    template <typename T>
    static void quietPower(int p)
    {
        Tuning<T>::current().power = p, Tuning<T>::current().quiet = true;
    }
    RecordMessages messages;
};
