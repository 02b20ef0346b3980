#pragma once
// The Tune menu and the tuning dialogs behind the operations.

class CMainFrame;

// Tune > Clip, Glue, Overlaying, Compress, Sliding mean, Remove trend: each
// opens its dialog on the process-wide record; OK keeps the settings for
// the rest of the run.
void installTuneCommands(CMainFrame& frame);

// Makes every operation whose record is not quiet ask through its dialog
// before it runs, and the linear combination through its coefficient
// dialog. The program's start-up calls this; vexil-cli and most tests run
// without, on the records as they are.
void installTuningDialogs();
