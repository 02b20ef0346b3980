#include "ToolCursors.h"

#include <QPixmap>

#include <array>

static void initViewResources() { Q_INIT_RESOURCE(view); }

namespace ToolCursors {
namespace {
std::array<QCursor, 5>& cursorSlots()
{
    static std::array<QCursor, 5> cursors;
    return cursors;
}
}  // namespace

void load()
{
    // The resources live in a static library: make sure they are registered.
    initViewResources();
    static const char* const names[5] = {"measure", "select", "discard", "rescale_x", "rescale_y"};
    for (int i = 0; i < 5; ++i) {
        QPixmap image(QStringLiteral(":/view/cursors/%1.xpm").arg(QLatin1String(names[i])));
        // The hot spot is the centre of the cross, the stroke or the lens.
        const int hot = i >= 3 ? 12 : 15;
        cursorSlots()[static_cast<std::size_t>(i)] = image.isNull() ? QCursor(Qt::CrossCursor) : QCursor(image, hot, hot);
    }
}

const QCursor& cursor(ViewTool tool) { return cursorSlots()[static_cast<std::size_t>(tool)]; }
}  // namespace ToolCursors
