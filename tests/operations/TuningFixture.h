#pragma once
// A test fixture that starts and ends with a settings record at its initial
// values and no editor installed, recording the messages shown.

#include "TestSupport.h"
#include "Tuning.h"

#include <gtest/gtest.h>

template <class Settings>
struct TuningFixture : testing::Test {
    void SetUp() override
    {
        Tuning<Settings>::reset();
        Tuning<Settings>::setEditor(nullptr);
    }
    void TearDown() override { SetUp(); }
    RecordMessages rec;
};
