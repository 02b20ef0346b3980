#pragma once
// The five tool cursors, one per mouse tool, from the program's own images.
// Kept in process-wide slots; load() is called by every new view.

#include "ViewCommands.h"

#include <QCursor>

namespace ToolCursors {
void load();
const QCursor& cursor(ViewTool tool);
}  // namespace ToolCursors
