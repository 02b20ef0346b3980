#pragma once
// The undo history of one document: a QUndoStack of steps, each keeping
// only what its change overwrote, under a cap on the memory they hold
// together. QUndoStack's own limit counts steps, and a step may cost a
// whole record or a few bytes, so the cap is kept here: when the steps hold
// more than it allows, the oldest are dropped.

#include <QObject>
#include <QString>
#include <QUndoCommand>

class QUndoStack;

// One change of a document, as the history keeps it.
class UndoStep : public QUndoCommand {
public:
    // done: the change has been made already (the samples of a confirmed
    // result), so the push that records it must not make it again.
    UndoStep(const QString& text, bool done) : QUndoCommand(text), done_(done) {}

    // Bytes of saved data the step holds.
    virtual qint64 savedBytes() const = 0;
    // The same change for a rebuilt history, already done, sharing what
    // this step keeps.
    virtual UndoStep* copy() const = 0;

    void undo() final { apply(false); }
    void redo() final
    {
        if (done_)
            done_ = false;
        else
            apply(true);
    }

protected:
    // Makes the change (forward) or takes it back.
    virtual void apply(bool forward) = 0;

private:
    bool done_;
};

class UndoHistory : public QObject {
    Q_OBJECT
public:
    explicit UndoHistory(QObject* parent = nullptr);
    ~UndoHistory() override;

    // Records step (the history owns it), making the change unless it is
    // already done. The steps that could be redone go, then the oldest
    // steps while all of them hold more than cap bytes; the newest step is
    // always kept.
    void push(UndoStep* step, qint64 cap);

    bool canUndo() const;
    bool canRedo() const;
    // The names of the changes Undo and Redo would take back or make again.
    QString undoText() const;
    QString redoText() const;
    void undo();
    void redo();

    // The saved state: the present one (setClean), none at all (resetClean,
    // for a document that was never saved), or whether this is it.
    void setClean();
    void resetClean();
    bool isClean() const;

    // The cap of a record of recordBytes sample bytes: four records, but no
    // less than the minimum (64 MiB).
    static qint64 capFor(qint64 recordBytes);
    // Lowers the minimum so that tests can reach the cap on small records.
    static void setMinimumCap(qint64 bytes);

signals:
    // Whatever the menus show of the history may have changed.
    void changed();
    void cleanChanged(bool clean);

private:
    void adopt(QUndoStack* stack);
    void dropOldest(int k);
    qint64 savedBytes() const;
    const UndoStep* step(int i) const;

    QUndoStack* stack_ = nullptr;
};
