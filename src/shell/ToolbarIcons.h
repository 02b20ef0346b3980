#pragma once
// The program's own pictures: toolbar buttons (18 x 18) and the
// application icon, drawn here rather than shipped as image files.

#include <QIcon>

namespace ToolbarIcons {

// The button image of a toolbar command; a null icon for other commands.
QIcon icon(int commandId);
// The application and document icon.
QIcon appIcon();

}  // namespace ToolbarIcons
