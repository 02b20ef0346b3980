#pragma once
// A minimal concrete operation for testing the framework: its Compute copies
// the active operand's resampled values into the output.

#include "FFOperation.h"
#include "FFile.h"

#include <vector>

class ProbeOperation : public FFOperation {
public:
    explicit ProbeOperation(const FFList& list, const OverlayTuning* settings = nullptr,
                            const char* history = "PROBE")
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

// A caller's list holding the files so that the operation sees them in the
// given order, the first one active (the operation's copy reverses it).
class OperandList {
public:
    OperandList(const std::vector<FFile*>& files)
    {
        for (FFile* f : files)
            list.Add(f);
        if (!files.empty())
            list.SetActive(files.front());
    }
    FFList list;
};

// Settings as handed to an operation explicitly (no dialog).
inline OverlayTuning overlay(int offsetFlags = 6, int headMode = 0, bool checkDeclination = false,
                             bool keepActiveOffsets = false)
{
    OverlayTuning t;
    t.offsetFlags = offsetFlags;
    t.headMode = headMode;
    t.checkDeclination = checkDeclination;
    t.keepActiveOffsets = keepActiveOffsets;
    return t;
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
