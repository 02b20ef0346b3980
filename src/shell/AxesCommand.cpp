#include "AxesCommand.h"

#include "AppSettings.h"
#include "CFFDoc.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "ViewHost.h"

#include <QAction>

namespace {
const QString kKey = QStringLiteral("Settings/Axes");
}

namespace AxesCommand {

bool shown() { return AppSettings::open()->value(kKey, true).toBool(); }

void install(CMainFrame& frame)
{
    QAction* action = frame.action(Cmd::ViewAxes);
    if (!action)
        return;
    action->setCheckable(true);
    action->setChecked(shown());
    frame.setCommandHandler(Cmd::ViewAxes, [&frame, action] {
        const bool on = action->isChecked();
        AppSettings::open()->setValue(kKey, on);
        for (CChildFrame* child : frame.childFrames())
            ViewHost::setRulersShown(child->widget(), on);
    });
}

}  // namespace AxesCommand
