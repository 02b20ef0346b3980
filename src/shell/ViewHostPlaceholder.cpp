// Stand-in for the plot view while the view library is not part of the
// build: shows which record is open and handles no command.

#include "ViewHost.h"

#include "CFFDoc.h"
#include "FFile.h"

#include <QPainter>
#include <QWidget>

namespace {

class PlaceholderView : public QWidget {
public:
    PlaceholderView(CFFDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const FFile* f = doc_.GetFFile();
        const QString text = f ? QStringLiteral("%1: %2 samples").arg(doc_.title()).arg(f->Count()) : doc_.title();
        p.drawText(rect(), Qt::AlignCenter, text);
    }

private:
    CFFDoc& doc_;
};

}  // namespace

namespace ViewHost {

QWidget* createView(CFFDoc& doc, QWidget* parent, const Links&) { return new PlaceholderView(doc, parent); }
void fitInWindow(QWidget* view) { view->update(); }
void documentChanged(QWidget* view) { view->update(); }
bool handles(int) { return false; }
void runCommand(QWidget*, int) {}

}  // namespace ViewHost
