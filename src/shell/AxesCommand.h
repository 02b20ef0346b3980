#pragma once
// View > Axes: shows or hides the rulers beside every plot. The choice is
// kept in the settings store; the axes are shown until a user hides them.

class CMainFrame;

namespace AxesCommand {

// Whether the axes are to be shown (the stored choice).
bool shown();
void install(CMainFrame& frame);

}  // namespace AxesCommand
