#include "CFFDoc.h"

#include "CFitsColumnDlg.h"
#include "FFile.h"
#include "Messages.h"
#include "RecordFile.h"
#include "UndoHistory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

std::unique_ptr<FFile>& pendingSlot()
{
    static std::unique_ptr<FFile> slot;
    return slot;
}

CFFDoc::SaveAsPrompt& saveAsPrompt()
{
    static CFFDoc::SaveAsPrompt prompt;
    return prompt;
}

CFFDoc::ColumnPrompt& columnPrompt()
{
    static CFFDoc::ColumnPrompt prompt;
    return prompt;
}

QString askSaveAsName(const QString& proposed)
{
    if (saveAsPrompt())
        return saveAsPrompt()(proposed);
    const QString ffFilter = QStringLiteral("F-Files (*.ff)");
    const QString fitsFilter = QStringLiteral("FITS files (*.fits *.fit *.fts)");
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Save As"), proposed,
                       ffFilter + QStringLiteral(";;") + fitsFilter + QStringLiteral(";;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const bool fits = Fits::IsFitsName(CFFDoc::nativePath(proposed));
    dialog.selectNameFilter(fits ? fitsFilter : ffFilter);
    dialog.setDefaultSuffix(fits ? QStringLiteral("fits") : QStringLiteral("ff"));
    // The extension follows the format chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, fitsFilter](const QString& filter) {
        dialog.setDefaultSuffix(filter == fitsFilter ? QStringLiteral("fits") : QStringLiteral("ff"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

// The FITS file's own name without an HDU selector "[...]".
QString withoutSelector(const QString& path)
{
    if (!path.endsWith(QLatin1Char(']')) || QFileInfo::exists(path))
        return path;
    const qsizetype open = path.lastIndexOf(QLatin1Char('['));
    return open > 0 ? path.left(open) : path;
}

}  // namespace

CFFDoc::CFFDoc(QObject* parent) : QObject(parent), history_(new UndoHistory(this))
{
    connect(history_, &UndoHistory::cleanChanged, this, &CFFDoc::followHistory);
    connect(history_, &UndoHistory::changed, this, &CFFDoc::undoStateChanged);
}

CFFDoc::~CFFDoc() = default;

std::string CFFDoc::nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool CFFDoc::OpenDocument(const QString& path)
{
    // A missing or unreadable file gets the plain file-error message. The
    // file is not opened here: opening a named pipe would wait for a writer.
    // Anything that is not a regular file (folder, pipe, device, socket) is
    // refused by the readers themselves, at once.
    const std::string native = nativePath(path);
    const bool fits = RecordFile::IsFits(native);
    const QString file = fits ? withoutSelector(path) : path;
    QFileInfo info(file);
    if (!info.exists()) {
        Messages::errorText((path + QStringLiteral(" was not found.")).toStdString());
        return false;
    }
    if (info.isFile() && !info.isReadable()) {
        Messages::errorText((path + QStringLiteral(" could not be accessed.")).toStdString());
        return false;
    }
    setModified(false);

    ffile_ = std::make_unique<FFile>();
    if (!fits)
        return ffile_->Read(native);
    return openFits(native, nativePath(file));
}

bool CFFDoc::openFits(const std::string& path, const std::string& root)
{
    std::vector<FitsHduInfo> hdus;
    if (!Fits::Catalogue(path, hdus))
        return false;
    std::vector<FitsHduInfo> tables;
    bool image = false;
    for (const FitsHduInfo& h : hdus) {
        image = image || h.OneDimensional();
        if (h.kind == FitsHduInfo::Table && !h.columns.empty())
            tables.push_back(h);
    }
    // Saving the record over a file of several HDUs, or over a compressed
    // one, would lose the rest of it.
    const QString rootName = QString::fromStdString(root);
    fromPart_ = hdus.size() > 1 || root != path || rootName.endsWith(QStringLiteral(".gz"), Qt::CaseInsensitive);
    if (root != path || image || tables.empty())
        return Fits::Read(*ffile_, path);
    int hdu = tables.front().index;
    FitsChoice choice;
    if (!(columnPrompt() ? columnPrompt()(tables, hdu, choice) : CFitsColumnDlg::ask(tables, hdu, choice)))
        return false;
    fromTable_ = true;
    column_ = QString::fromStdString(choice.column);
    return Fits::Read(*ffile_, root + "[" + std::to_string(hdu) + "]", choice);
}

bool CFFDoc::SaveDocument(const QString& path)
{
    if (!ffile_)
        return false;
    // The name follows the file saved; a failed save puts the old name back
    // so that the F-file does not claim a file it never reached.
    const std::string oldName = ffile_->GetName();
    ffile_->SetName(nativePath(path));
    const bool written = RecordFile::Write(*ffile_);
    if (written)
        setModified(false);
    else if (oldName != ffile_->GetName())
        ffile_->SetName(oldName);
    return written;
}

bool CFFDoc::NewDocument()
{
    if (!HasPendingFFile())
        return false;
    path_.clear();
    setModified(false);
    ffile_ = TakePendingFFile();
    ffile_->SetName(nativePath(title_));
    setModified(true);
    return true;
}

void CFFDoc::setTitle(const QString& title)
{
    if (title == title_)
        return;
    title_ = title;
    emit titleChanged(title_);
}

void CFFDoc::setPathName(const QString& path)
{
    path_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // Two columns of one table are two documents: the title tells them apart.
    setTitle(QFileInfo(path_).fileName() + (fromTable_ ? QStringLiteral(" ") + column_ : QString()));
}

void CFFDoc::setModified(bool modified)
{
    if (modified)
        history_->resetClean();
    else
        history_->setClean();
    followHistory();
}

void CFFDoc::followHistory()
{
    const bool modified = !history_->isClean();
    if (modified == modified_)
        return;
    modified_ = modified;
    emit modifiedChanged(modified_);
}

bool CFFDoc::DoFileSave()
{
    QFileInfo info(path_);
    if (path_.isEmpty() || fromPart_ || (info.exists() && !info.isWritable()))
        return DoSave(QString());
    return DoSave(path_);
}

bool CFFDoc::DoSave(const QString& path, bool replace)
{
    QString name = path;
    if (name.isEmpty()) {
        // Propose the title, with the F-file extension when it has none,
        // in the folder of the current file.
        QString proposed = title_;
        if (fromPart_)
            proposed = QFileInfo(withoutSelector(path_)).fileName().section(QLatin1Char('.'), 0, 0) +
                       (fromTable_ ? QStringLiteral("_") + column_ : QString()) + QStringLiteral(".ff");
        else if (QFileInfo(proposed).suffix().isEmpty())
            proposed += QStringLiteral(".ff");
        if (!path_.isEmpty())
            proposed = QFileInfo(path_).dir().filePath(proposed);
        name = askSaveAsName(proposed);
        if (name.isEmpty())
            return false;
    }
    if (!SaveDocument(name))
        return false;
    if (replace && (path.isEmpty() || path != path_)) {
        setPathName(name);
        emit savedAs(path_);
    }
    return true;
}

bool CFFDoc::SaveModified()
{
    if (!modified_)
        return true;
    // The document is named by its title: the file name, or new1 ...
    const std::string text = QStringLiteral("Save changes to %1?").arg(title_).toStdString();
    switch (Messages::ask("Vexil", text, Buttons::YesNoCancel)) {
    case Answer::Yes:
    case Answer::Ok:
        return DoFileSave();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void CFFDoc::SetPendingFFile(std::unique_ptr<FFile> file) { pendingSlot() = std::move(file); }

bool CFFDoc::HasPendingFFile() { return pendingSlot() != nullptr; }

std::unique_ptr<FFile> CFFDoc::TakePendingFFile() { return std::move(pendingSlot()); }

void CFFDoc::setSaveAsPrompt(SaveAsPrompt prompt) { saveAsPrompt() = std::move(prompt); }

void CFFDoc::setColumnPrompt(ColumnPrompt prompt) { columnPrompt() = std::move(prompt); }
