// The document's changes of samples and header, each an undo step, and
// Undo and Redo themselves.

#include "CFFDoc.h"

#include "FFile.h"
#include "UndoSteps.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The keywords the coordinate axis is set up from.
constexpr std::array<std::string_view, 10> kAxisKeywords = {
    "NAXIS1", "CTYPE1", "CRVAL1", "CRPIX1", "CDELT1", "TIMEWSH", "TIMEESH", "NUT-RA", "OBSDEC", "BUNIT",
};

bool isAxisKeyword(std::string_view id)
{
    return std::find(kAxisKeywords.begin(), kAxisKeywords.end(), id) != kAxisKeywords.end();
}

}  // namespace

qint64 CFFDoc::undoCap() const
{
    return UndoHistory::capFor(ffile_ ? qint64(ffile_->Count()) * qint64(sizeof(float)) : 0);
}

void CFFDoc::recordSampleChange(QObject* source, const QString& text, SampleChange overwritten)
{
    if (overwritten.empty())
        return;  // nothing changed
    const int first = overwritten.first();
    const int last = overwritten.last();
    history_->push(new SampleStep(*this, text, std::make_shared<SampleChange>(std::move(overwritten))), undoCap());
    emit samplesChanged(source, first, last);
}

void CFFDoc::exchangeSamples(SampleChange& kept)
{
    if (!ffile_ || !kept.exchange(ffile_->Data(), ffile_->Count()))
        return;
    emit samplesChanged(nullptr, kept.first(), kept.last());
}

bool CFFDoc::setHeadValue(const std::string& id, const std::string& value)
{
    const HeadEntry* entry = ffile_ ? ffile_->Find(id) : nullptr;
    if (!entry)
        return false;
    if (entry->GetValue() != value)
        history_->push(new HeadStep(*this, {id, entry->GetValue(), value, ffile_->IndexOf(id)}), undoCap());
    return true;
}

bool CFFDoc::insertHeadEntry(const std::string& id, const std::string& value)
{
    if (!ffile_ || ffile_->Has(id))
        return false;
    history_->push(new HeadStep(*this, {id, std::nullopt, value, ffile_->EntryCount()}), undoCap());
    return true;
}

bool CFFDoc::removeHeadEntry(const std::string& id)
{
    const HeadEntry* entry = ffile_ ? ffile_->Find(id) : nullptr;
    if (!entry)
        return false;
    history_->push(new HeadStep(*this, {id, entry->GetValue(), std::nullopt, ffile_->IndexOf(id)}), undoCap());
    return true;
}

void CFFDoc::putHeadEntry(const std::string& id, const std::optional<std::string>& value, int position)
{
    if (!ffile_)
        return;
    if (!value)
        ffile_->Remove(id);
    else if (HeadEntry* entry = ffile_->Find(id))
        entry->SetValue(*value);
    else
        ffile_->InsertAt(position, std::make_unique<HeadEntry>(id, *value));
    // With one of its keywords gone the axis keeps its last set-up, rather
    // than reading zeros and showing a message for every one missing.
    if (isAxisKeyword(id) &&
        std::all_of(kAxisKeywords.begin(), kAxisKeywords.end(), [this](std::string_view k) { return ffile_->Has(k); })) {
        ffile_->SetupAxis();
        emit axisChanged();
    }
    emit headChanged(QString::fromLatin1(id.c_str()));
}

bool CFFDoc::canUndo() const { return history_->canUndo(); }
bool CFFDoc::canRedo() const { return history_->canRedo(); }
QString CFFDoc::undoText() const { return history_->undoText(); }
QString CFFDoc::redoText() const { return history_->redoText(); }
void CFFDoc::undo() { history_->undo(); }
void CFFDoc::redo() { history_->redo(); }
