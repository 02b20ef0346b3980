#include "ExportCommands.h"

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "CsvExport.h"
#include "FFile.h"
#include "PictureExport.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>

namespace {

ExportCommands::PathPrompt& pathPrompt()
{
    static ExportCommands::PathPrompt prompt;
    return prompt;
}

ExportCommands::SizePrompt& sizePrompt()
{
    static ExportCommands::SizePrompt prompt;
    return prompt;
}

QString askPath(const QString& caption, const QString& proposed, const QString& filters, const QString& suffix)
{
    if (pathPrompt())
        return pathPrompt()(caption, proposed, filters);
    QFileDialog dialog(QApplication::activeWindow(), caption, proposed, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.svg")) ? QStringLiteral("svg")
                                                                          : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

// On-screen size, or a size of one's own.
bool askSize(QSize onScreen, QSize& size)
{
    if (sizePrompt())
        return sizePrompt()(onScreen, size);
    QDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(QStringLiteral("Export Picture"));
    auto* form = new QFormLayout(&dlg);
    auto* screen = new QRadioButton(
        QStringLiteral("&On-screen size (%1 \u00d7 %2)").arg(onScreen.width()).arg(onScreen.height()), &dlg);
    auto* chosen = new QRadioButton(QStringLiteral("&Whole record at"), &dlg);
    screen->setChecked(true);
    auto* w = new QSpinBox(&dlg);
    auto* h = new QSpinBox(&dlg);
    for (QSpinBox* box : {w, h}) {
        box->setRange(16, 16384);
        box->setSuffix(QStringLiteral(" px"));
        box->setEnabled(false);
        QObject::connect(chosen, &QRadioButton::toggled, box, &QSpinBox::setEnabled);
    }
    w->setValue(onScreen.width());
    h->setValue(onScreen.height());
    auto* row = new QHBoxLayout;
    row->addWidget(chosen);
    row->addWidget(w);
    row->addWidget(h);
    form->addRow(screen);
    form->addRow(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    size = chosen->isChecked() ? QSize(w->value(), h->value()) : QSize();
    return true;
}

CFFView* activeView(CMainFrame& frame)
{
    CChildFrame* child = frame.activeFrame();
    return child ? qobject_cast<CFFView*>(child->view()) : nullptr;
}

// The proposed name: the document's file name with another extension, in
// its folder.
QString proposedName(CMainFrame& frame, const QString& suffix)
{
    CFFDoc* doc = frame.activeDocument();
    const QString path = doc->pathName().isEmpty() ? doc->title() : doc->pathName();
    const QFileInfo info(path);
    const QString base = info.fileName().section(QLatin1Char('.'), 0, 0).section(QLatin1Char(' '), 0, 0);
    return (doc->pathName().isEmpty() ? base : info.dir().filePath(base)) + suffix;
}

void exportData(CMainFrame& frame)
{
    CFFView* view = activeView(frame);
    const QString path = askPath(QStringLiteral("Export Data"), proposedName(frame, QStringLiteral(".csv")),
                                 QStringLiteral("CSV files (*.csv);;All Files (*)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const ViewArrays& a = view->currentArrays();
    CsvExport::Write(view->file(), a.marks.empty() ? nullptr : a.marks.data(), CFFDoc::nativePath(path));
}

void exportPicture(CMainFrame& frame)
{
    CFFView* view = activeView(frame);
    QSize size;
    if (!askSize(view->viewport()->size(), size))
        return;
    const QString path = askPath(QStringLiteral("Export Picture"), proposedName(frame, QStringLiteral(".png")),
                                 QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), QStringLiteral("png"));
    if (!path.isEmpty())
        PictureExport::write(*view, size, path);
}

}  // namespace

namespace ExportCommands {

void install(CMainFrame& frame)
{
    auto haveView = [&frame] { return activeView(frame) != nullptr; };
    frame.setCommandHandler(Cmd::FileExportData, [&frame] { exportData(frame); }, haveView);
    frame.setCommandHandler(Cmd::FileExportPicture, [&frame] { exportPicture(frame); }, haveView);
}

void setPrompts(PathPrompt path, SizePrompt size)
{
    pathPrompt() = std::move(path);
    sizePrompt() = std::move(size);
}

}  // namespace ExportCommands
