#pragma once
// The document of the multiple-document application: one open F-file shown
// in one or more windows. It owns its FFile, knows its title, path and
// modified flag, and carries out Open, Save, Save As and Close.
//
// New documents are only ever made from an F-file waiting in the
// process-wide pending slot (the result of an operation); without one,
// NewDocument refuses and no document appears.

#include <QObject>
#include <QString>

#include "Fits.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FFile;
class SampleChange;
class UndoHistory;

class CFFDoc : public QObject {
    Q_OBJECT
public:
    explicit CFFDoc(QObject* parent = nullptr);
    ~CFFDoc() override;

    // Reads the F-file or FITS file at path; false (with the reason shown)
    // if the file cannot be opened or is not valid, or the user cancelled
    // the choice of a FITS table column.
    bool OpenDocument(const QString& path);
    // Writes the F-file to path; on failure the document stays modified.
    bool SaveDocument(const QString& path);
    // Adopts the pending F-file, naming it after the title already set;
    // false when nothing is pending.
    bool NewDocument();

    FFile* GetFFile() { return ffile_.get(); }
    const FFile* GetFFile() const { return ffile_.get(); }

    const QString& title() const { return title_; }
    void setTitle(const QString& title);
    const QString& pathName() const { return path_; }
    // Sets the path and makes the file name the title.
    void setPathName(const QString& path);

    // Read from a FITS table column or from part of a FITS file: Save must
    // not write the record over that file, so it asks for a name.
    bool fromPartOfFile() const { return fromPart_; }
    bool fromTableColumn() const { return fromTable_; }

    // Modified: the document is not in the state it was last saved (or
    // opened) in. Undoing back to that state makes it unmodified again.
    bool isModified() const { return modified_; }
    // False: the present state is the saved one. True: no state is (a new
    // document, never saved), so undoing never makes it unmodified.
    void setModified(bool modified = true);

    // File > Save: to the path, or through Save As when there is none.
    bool DoFileSave();
    // Save As (askForName) or Save: asks for a name proposing the title and
    // ".ff"; on success the document takes the new path.
    bool DoSave(const QString& path, bool replace = true);
    // Before closing: asks "Save changes to %1?" if modified. False means
    // the user cancelled or the save failed, so the document must stay.
    bool SaveModified();

    // ---- changes to the samples ----
    // A confirmed result (Clip, Glue, Remove trend) has overwritten the
    // samples that overwritten keeps: the change becomes an undo step named
    // text, and every view hears of it. source is the view that made it.
    void recordSampleChange(QObject* source, const QString& text, SampleChange overwritten);

    // ---- changes to the header ----
    // Every change of the header (the header editor's, and any other) goes
    // through these three, so that the document marks itself modified,
    // tells whoever shows the header, and keeps the change undoable.
    // Access rules are the caller's to apply; these only change the header.
    // Sets the value text of the existing entry id in place; false if none.
    // The same text again changes nothing and is no step.
    bool setHeadValue(const std::string& id, const std::string& value);
    // Appends a new entry; false if an entry with that ID exists already.
    bool insertHeadEntry(const std::string& id, const std::string& value);
    // Removes the entry id; false if there is none.
    bool removeHeadEntry(const std::string& id);

    // ---- undo ----
    // One history per document, empty when the document is made; every
    // change above goes onto it.
    bool canUndo() const;
    bool canRedo() const;
    // The change Undo or Redo would take back or make again ("Clip",
    // "Set OBJECT"), empty if none.
    QString undoText() const;
    QString redoText() const;
    void undo();
    void redo();

    // ---- the pending F-file slot (one for the whole process) ----
    static void SetPendingFFile(std::unique_ptr<FFile> file);
    static bool HasPendingFFile();
    static std::unique_ptr<FFile> TakePendingFFile();

    // Asks for a file name for Save As; returns "" for Cancel. Tests install
    // a scripted one; nullptr restores the file dialog.
    using SaveAsPrompt = std::function<QString(const QString& proposed)>;
    static void setSaveAsPrompt(SaveAsPrompt prompt);

    // Asks which table column of a FITS file to read (the file has tables
    // but no one-dimensional image); false for Cancel. Tests install a
    // scripted one; nullptr restores the dialog.
    using ColumnPrompt = std::function<bool(const std::vector<FitsHduInfo>& hdus, int& hdu, FitsChoice& choice)>;
    static void setColumnPrompt(ColumnPrompt prompt);

    // Paths as the core's file functions take them.
    static std::string nativePath(const QString& path);

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    // The samples first .. last changed: by a result confirmed in the view
    // source, or, with source nullptr, by Undo or Redo.
    void samplesChanged(QObject* source, int first, int last);
    // An entry of the header was set, inserted or removed.
    void headChanged(const QString& id);
    // A keyword of the coordinate axis changed and the axis was set up again.
    void axisChanged();
    // What Undo and Redo can do changed.
    void undoStateChanged();
    // A Save As gave the document a new path (the recent-file list notes it).
    void savedAs(const QString& path);

private:
    friend class SampleStep;
    friend class HeadStep;
    // The undo steps' side: trades the kept samples with the record's.
    void exchangeSamples(SampleChange& kept);
    // Gives the entry id the value (none: removes it), putting a new entry
    // at position; sets the axis up again when it is one of its keywords.
    void putHeadEntry(const std::string& id, const std::optional<std::string>& value, int position);
    qint64 undoCap() const;
    void followHistory();

    bool openFits(const std::string& path, const std::string& root);

    UndoHistory* history_;
    std::unique_ptr<FFile> ffile_;
    QString title_;
    QString path_;
    bool modified_ = false;
    bool fromPart_ = false;
    bool fromTable_ = false;
    QString column_;
};
