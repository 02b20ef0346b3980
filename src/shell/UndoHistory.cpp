#include "UndoHistory.h"

#include <QUndoStack>

#include <algorithm>

namespace {
constexpr qint64 kMinimumCap = qint64(64) << 20;
qint64 minimumCap = kMinimumCap;
}  // namespace

UndoHistory::UndoHistory(QObject* parent) : QObject(parent) { adopt(new QUndoStack(this)); }

UndoHistory::~UndoHistory() = default;

qint64 UndoHistory::capFor(qint64 recordBytes) { return std::max(4 * recordBytes, minimumCap); }

void UndoHistory::setMinimumCap(qint64 bytes) { minimumCap = bytes; }

void UndoHistory::adopt(QUndoStack* stack)
{
    stack_ = stack;
    connect(stack_, &QUndoStack::indexChanged, this, &UndoHistory::changed);
    connect(stack_, &QUndoStack::canUndoChanged, this, &UndoHistory::changed);
    connect(stack_, &QUndoStack::canRedoChanged, this, &UndoHistory::changed);
    connect(stack_, &QUndoStack::undoTextChanged, this, &UndoHistory::changed);
    connect(stack_, &QUndoStack::redoTextChanged, this, &UndoHistory::changed);
    connect(stack_, &QUndoStack::cleanChanged, this, &UndoHistory::cleanChanged);
}

const UndoStep* UndoHistory::step(int i) const { return static_cast<const UndoStep*>(stack_->command(i)); }

void UndoHistory::push(UndoStep* step, qint64 cap)
{
    stack_->push(step);
    // The push dropped every step above it, so all that are left are done.
    const int n = stack_->count();
    qint64 total = savedBytes();
    int k = 0;
    while (k < n - 1 && total > cap)
        total -= this->step(k++)->savedBytes();
    if (k > 0)
        dropOldest(k);
}

// QUndoStack cannot let go of its oldest commands, so the history moves to
// a fresh stack holding copies of the others (which share the kept data).
// Every step is done (a push has just dropped those above it), so the saved
// state is below the top, or gone.
void UndoHistory::dropOldest(int k)
{
    auto* fresh = new QUndoStack(this);
    const int clean = stack_->cleanIndex();
    for (int j = k; j < stack_->count(); ++j) {
        if (j == clean)
            fresh->setClean();
        fresh->push(step(j)->copy());
    }
    // A saved state among the dropped steps can never come back.
    if (clean < k)
        fresh->resetClean();
    // Deleting a stack clears it, which it reports: not to us any more.
    disconnect(stack_, nullptr, this, nullptr);
    delete stack_;
    adopt(fresh);
    emit changed();
}

bool UndoHistory::canUndo() const { return stack_->canUndo(); }
bool UndoHistory::canRedo() const { return stack_->canRedo(); }
QString UndoHistory::undoText() const { return stack_->undoText(); }
QString UndoHistory::redoText() const { return stack_->redoText(); }
void UndoHistory::undo() { stack_->undo(); }
void UndoHistory::redo() { stack_->redo(); }

qint64 UndoHistory::savedBytes() const
{
    qint64 total = 0;
    for (int i = 0; i < stack_->count(); ++i)
        total += step(i)->savedBytes();
    return total;
}

void UndoHistory::setClean() { stack_->setClean(); }
void UndoHistory::resetClean() { stack_->resetClean(); }
bool UndoHistory::isClean() const { return stack_->isClean(); }
