#pragma once
// Helpers for the shell tests: a private settings store, F-files on disk, the application shown offscreen.

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

class QDialog;

// The scratch folder of a test program; constructing it also gives the settings store a private folder.
struct ShellFolders {
    ShellFolders();
    QString path(const QString& name) const;
    QString scan(const QString& name, int count = 2000) const;

    QTemporaryDir files, settings;
};

std::unique_ptr<FFile> makeScan(int count = 500);
inline std::vector<float> samples(const FFile& f) { return std::vector<float>(f.Data(), f.Data() + f.Count()); }
inline CFFView* activeView(CMainFrame& frame) { return qobject_cast<CFFView*>(frame.activeFrame()->view()); }

// The application with its main window shown; the message recorder stays installed for the object's lifetime.
struct RunningApp {
    RunningApp();
    ~RunningApp();
    CMainFrame& frame() const;
    static void settle();  // deletes closed child windows

    RecordMessages messages;
    std::unique_ptr<CVexilApp> app;
};

// Runs script on the next modal dialog once it shows (from a timer inside its exec); the script ends the dialog.
void onNextModal(std::function<void(QDialog&)> script);
