#include "UndoSteps.h"

#include "CFFDoc.h"

namespace {

// "Set OBJECT", "Insert OBSERVER", "Delete COMMENT".
QString headStepText(const HeadStep::Change& c)
{
    const char* verb = !c.before ? "Insert " : !c.after ? "Delete " : "Set ";
    return QString::fromLatin1(verb) + QString::fromLatin1(c.id.c_str());
}

}  // namespace

SampleStep::SampleStep(CFFDoc& doc, const QString& text, std::shared_ptr<SampleChange> change)
    : UndoStep(text, true), doc_(doc), change_(std::move(change))
{
}

void SampleStep::apply(bool) { doc_.exchangeSamples(*change_); }

HeadStep::HeadStep(CFFDoc& doc, Change change, bool done)
    : UndoStep(headStepText(change), done), doc_(doc), change_(std::move(change))
{
}

qint64 HeadStep::savedBytes() const
{
    return static_cast<qint64>(sizeof(Change) + change_.id.size() + (change_.before ? change_.before->size() : 0) +
                               (change_.after ? change_.after->size() : 0));
}

void HeadStep::apply(bool forward)
{
    doc_.putHeadEntry(change_.id, forward ? change_.after : change_.before, change_.position);
}
