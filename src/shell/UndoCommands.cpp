#include "UndoCommands.h"

#include "CFFDoc.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "CommandIds.h"
#include "CommandTable.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// Keeps the two commands' texts and states in step with the active
// document's history.
class UndoMenu : public QObject {
    Q_OBJECT
public:
    UndoMenu(CMainFrame& frame, CVexilApp& app) : QObject(&frame), frame_(frame), app_(app)
    {
        connect(frame.mdiArea(), &QMdiArea::subWindowActivated, this, &UndoMenu::refresh);
        connect(&app, &CVexilApp::documentsChanged, this, &UndoMenu::watchDocuments);
    }

    bool possible(bool undo) const
    {
        const CFFDoc* doc = frame_.activeDocument();
        return doc && (undo ? doc->canUndo() : doc->canRedo());
    }

    void run(bool undo)
    {
        CFFDoc* doc = frame_.activeDocument();
        if (!doc)
            return;
        const QString done = name(undo, undo ? doc->undoText() : doc->redoText());
        if (undo)
            doc->undo();
        else
            doc->redo();
        frame_.setPaneText(0, done);
    }

public slots:
    void refresh()
    {
        const CFFDoc* doc = frame_.activeDocument();
        describe(Cmd::EditUndo, true, doc && doc->canUndo() ? doc->undoText() : QString());
        describe(Cmd::EditRedo, false, doc && doc->canRedo() ? doc->redoText() : QString());
        frame_.updateCommandStates();
    }

    void watchDocuments()
    {
        for (CFFDoc* doc : app_.documents())
            connect(doc, &CFFDoc::undoStateChanged, this, &UndoMenu::refresh, Qt::UniqueConnection);
        refresh();
    }

private:
    // "Undo Clip", "Redo Set OBJECT"; plain "Undo" with nothing to name.
    static QString name(bool undo, const QString& change)
    {
        const QString verb = undo ? QStringLiteral("Undo") : QStringLiteral("Redo");
        return change.isEmpty() ? verb : verb + QLatin1Char(' ') + change;
    }

    // The table's texts, with the change named: "&Undo Clip\tCtrl+Z".
    void describe(int id, bool undo, const QString& change)
    {
        QAction* a = frame_.action(id);
        if (!a)
            return;
        const QString text = QString::fromLatin1(CommandTable::menuText(id));
        const QString keys = text.section(QLatin1Char('\t'), 1);
        a->setText(QLatin1Char('&') + name(undo, change) + QLatin1Char('\t') + keys);
        a->setStatusTip(change.isEmpty() ? QString::fromStdString(CommandTable::statusTip(id)) : name(undo, change));
        a->setToolTip(name(undo, change));
    }

    CMainFrame& frame_;
    CVexilApp& app_;
};

}  // namespace

void installUndoCommands(CMainFrame& frame, CVexilApp& app)
{
    auto* menu = new UndoMenu(frame, app);
    frame.setCommandHandler(Cmd::EditUndo, [menu] { menu->run(true); }, [menu] { return menu->possible(true); });
    frame.setCommandHandler(Cmd::EditRedo, [menu] { menu->run(false); }, [menu] { return menu->possible(false); });
    menu->refresh();
}

#include "UndoCommands.moc"
