#pragma once
// The two kinds of change a document records: samples overwritten by a
// confirmed result, and one header entry set, inserted or deleted.

#include "SampleChange.h"
#include "UndoHistory.h"

#include <memory>
#include <optional>
#include <string>

class CFFDoc;

// Samples overwritten by Clip, Glue or Remove trend. The kept values and
// the record's trade places at every undo and redo, so one copy of what
// changed serves both ways.
class SampleStep : public UndoStep {
public:
    SampleStep(CFFDoc& doc, const QString& text, std::shared_ptr<SampleChange> change);
    qint64 savedBytes() const override { return change_->bytes(); }
    UndoStep* copy() const override { return new SampleStep(doc_, text(), change_); }

protected:
    void apply(bool forward) override;

private:
    CFFDoc& doc_;
    std::shared_ptr<SampleChange> change_;
};

// One header entry: its value before and after (none: the entry is absent)
// and its position in the entry order, where a deleted entry comes back.
class HeadStep : public UndoStep {
public:
    struct Change {
        std::string id;
        std::optional<std::string> before;
        std::optional<std::string> after;
        int position = 0;
    };
    HeadStep(CFFDoc& doc, Change change, bool done = false);
    qint64 savedBytes() const override;
    UndoStep* copy() const override { return new HeadStep(doc_, change_, true); }

protected:
    void apply(bool forward) override;

private:
    CFFDoc& doc_;
    Change change_;
};
