#pragma once
// File > Export data... (CSV) and File > Export picture... (PNG or SVG) of
// the active view.

#include <QSize>
#include <QString>

#include <functional>

class CMainFrame;

namespace ExportCommands {

void install(CMainFrame& frame);

// Asks for the file to write ("" for Cancel), and for a picture's size
// (false for Cancel; an empty size means the on-screen size). Tests install
// scripted ones; nullptr restores the dialogs.
using PathPrompt = std::function<QString(const QString& caption, const QString& proposed, const QString& filters)>;
using SizePrompt = std::function<bool(QSize onScreen, QSize& size)>;
void setPrompts(PathPrompt path, SizePrompt size);

}  // namespace ExportCommands
