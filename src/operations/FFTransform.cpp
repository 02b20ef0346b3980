#include "FFTransform.h"

#include "BusyCursor.h"
#include "Progress.h"
#include "Messages.h"

namespace {
constexpr const char* kClass = "FFTransform";
}

FFTransform::FFTransform(FFile* input, bool copyMode) : input_(input), copyMode_(copyMode) {}

bool FFTransform::Execute()
{
    if (executed_) {
        Messages::error(kClass, "can't execute twice");
        return false;
    }
    executed_ = true;
    if (!Prepare())
        return false;
    BusyCursor busy;
    Progress progress(progressLabel_);
    const bool done = Compute();
    if (Progress::cancelled()) {
        // Stopped by the user: the unfinished output is thrown away, silently.
        output_.reset();
        return false;
    }
    return done;
}

bool FFTransform::Prepare()
{
    if (!input_) {
        Messages::error(kClass, "no input FFile specified");
        return false;
    }
    input_->SetXMode(XModeOwn);
    input_->SetUnit(UnitFileOwn);
    step_ = input_->OffsetStep() * input_->XScale();
    n_ = input_->Count();
    samples_ = input_->Data();

    history_ = (historyName_ + "(" + input_->GetShortName() + ")").substr(0, kMaxHistory);

    if (copyMode_) {
        output_ = std::make_unique<FFile>(*input_, FFile::Full);
        outputData_ = output_->Data();
        outputStep_ = step_;
        outputN_ = n_;
        output_->SetText("HISTORY", history_);
    } else {
        headCopy_ = *input_;
        headCopy_.SetText("HISTORY", history_);
    }
    return true;
}

void FFTransform::CreateOutput(const FHead& head, int count)
{
    auto out = std::make_unique<FFile>();
    static_cast<FHead&>(*out) = head;
    out->SetData(SampleArray(count), count);
    out->SetupAxis();
    out->MakeNewName();
    output_ = std::move(out);
    outputData_ = output_->Data();
}
