#pragma once
// A minimal operation for testing the framework: Compute copies the active operand's resampled values.

#include "FFOperation.h"
#include "FFile.h"

#include <vector>

class ProbeOperation : public FFOperation {
public:
    explicit ProbeOperation(const FFList& list, const OverlayTuning* settings = nullptr, const char* history = "PROBE")
        : FFOperation(list, settings)
    {
        SetHistoryName(history);
    }
    using FFOperation::AssembleHead;
    int computed = 0;

protected:
    bool Compute() override
    {
        ++computed;
        for (int j = 0; j < GridSize(); ++j)
            OutputData()[j] = Resampled(0)[j];
        return true;
    }
};

// A caller's list that the operation sees in the given order, the first active.
struct OperandList {
    OperandList(const std::vector<FFile*>& files)
    {
        for (FFile* f : files)
            list.Add(f);
        if (!files.empty())
            list.SetActive(files.front());
    }
    FFList list;
};

inline OverlayTuning overlay(int offsetFlags = 6, int headMode = 0, bool checkDeclination = false,
                             bool keepActiveOffsets = false)
{
    return {.checkDeclination = checkDeclination, .keepActiveOffsets = keepActiveOffsets, .offsetFlags = offsetFlags,
            .headMode = headMode};
}

// A probe run on the files, the first active, with the given settings.
struct ProbeRun {
    ProbeRun(const std::vector<FFile*>& files, const OverlayTuning& t, const char* history = "PROBE")
        : ops(files), settings(t), op(ops.list, &settings, history), ok(op.Execute())
    {
    }
    const FFile& out() const { return *op.OutputFile(); }
    OperandList ops;
    OverlayTuning settings;
    ProbeOperation op;
    bool ok;
};
