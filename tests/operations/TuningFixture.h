#pragma once
// Starts and ends with the settings record at its initial values and no editor; records the messages.

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
