#pragma once
// Base of the operations that turn one F-file into one new F-file
// (compression, sliding mean).
//
// Prepare puts the input's X mode and display unit back to the file's own,
// takes the input's samples as the input of Compute and writes the
// operation's HISTORY text, then prepares the output either as a complete copy of the input
// (copy mode) or as a copy of its head only, from which the derived
// operation creates its own output. Compute fills the output. A transform
// executes once; the caller takes the output after a successful Execute.
//
// Failures are reported as "FFTransform: ..." messages.

#include "FFile.h"

#include <memory>
#include <string>

class FFTransform {
public:
    FFTransform(FFile* input, bool copyMode);
    virtual ~FFTransform() = default;
    FFTransform(const FFTransform&) = delete;
    FFTransform& operator=(const FFTransform&) = delete;

    // The only entry point: Prepare, then Compute under the busy cursor.
    bool Execute();

    // The output, still owned by the transform (null before Prepare).
    FFile* Output() { return output_.get(); }
    // Hands the output over to the caller.
    std::unique_ptr<FFile> TakeOutput() { return std::move(output_); }

    const std::string& History() const { return history_; }

    // Longest HISTORY text written by the base.
    static constexpr std::size_t kMaxHistory = 48;

protected:
    virtual bool Prepare();
    virtual bool Compute() = 0;

    // Replaces the output by a fresh F-file made from a head: count samples
    // with undefined contents and a generated name. Sets output data.
    void CreateOutput(const FHead& head, int count);

    FFile* input_ = nullptr;
    std::unique_ptr<FFile> output_;
    FHead headCopy_;
    // The input's samples, read in place: nothing can change them while
    // Execute runs, and a copy of a record of millions of samples would cost
    // its allocation and page faults for nothing.
    const float* samples_ = nullptr;
    float* outputData_ = nullptr;
    bool copyMode_;
    bool executed_ = false;
    std::string historyName_;
    // What the progress dialog calls the computation.
    std::string progressLabel_;
    std::string history_;
    double step_ = 0.0;
    double outputStep_ = 0.0;
    int n_ = 0;
    int outputN_ = 0;
};
