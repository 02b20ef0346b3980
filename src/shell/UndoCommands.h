#pragma once
// Edit > Undo and Edit > Redo on the active document, with the change they
// would take back or make again named in the menu and the status bar.

class CMainFrame;
class CVexilApp;

void installUndoCommands(CMainFrame& frame, CVexilApp& app);
