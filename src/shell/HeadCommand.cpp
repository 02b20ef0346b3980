#include "HeadCommand.h"

#include "CFFDoc.h"
#include "CHeadDlg.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "FFile.h"

const FHead& DocumentHead::head() const { return *doc_.GetFFile(); }

std::string DocumentHead::shortName() const { return doc_.GetFFile()->GetShortName(); }

bool DocumentHead::setHeadValue(const std::string& id, const std::string& value)
{
    return doc_.setHeadValue(id, value);
}

bool DocumentHead::insertHeadEntry(const std::string& id, const std::string& value)
{
    return doc_.insertHeadEntry(id, value);
}

bool DocumentHead::removeHeadEntry(const std::string& id) { return doc_.removeHeadEntry(id); }

void installHeadCommand(CMainFrame& frame)
{
    frame.setCommandHandler(
        Cmd::ViewHead,
        [&frame] {
            CFFDoc* doc = frame.activeDocument();
            if (!doc || !doc->GetFFile())
                return;
            DocumentHead head(*doc);
            CHeadDlg dlg(head, &frame);
            dlg.exec();
        },
        [&frame] { return frame.activeDocument() != nullptr; });
}
