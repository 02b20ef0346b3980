#include "COverlayingDlg.h"

#include "DialogParts.h"
#include "FFile.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// The offset flag bit behind each of the four coordinate boxes, in dialog
// order; a checked box applies the correction, so its bit is clear.
constexpr int kCoordinateBits[] = {OffsetPixels, OffsetNoAbsolute, OffsetNoHorns, OffsetNoNutation};
constexpr int kCoordinateBoxes = 4;

}  // namespace

COverlayingDlg::COverlayingDlg(OverlayTuning& record, QWidget* parent) : QDialog(parent), record_(record)
{
    setWindowTitle(QStringLiteral("F-files overlaying control"));
    auto* layout = new QVBoxLayout(this);

    auto* coordinates = new QGroupBox(QStringLiteral("Coordinate overlaying"), this);
    auto* column = new QVBoxLayout(coordinates);
    const char* texts[kBoxCount] = {"Scaling", "Absolute offsets", "Channel-specific offsets",
                                    "Time correction offsets", "Keep active f-file offsets",
                                    "Check declination equality"};
    for (int k = 0; k < kBoxCount; ++k) {
        boxes_[k] = new QCheckBox(QString::fromLatin1(texts[k]), coordinates);
        column->addWidget(boxes_[k]);
    }
    for (int k = 0; k < kCoordinateBoxes; ++k)
        boxes_[k]->setChecked((record.offsetFlags & kCoordinateBits[k]) == 0);
    boxes_[4]->setChecked(record.keepActiveOffsets);
    boxes_[5]->setChecked(record.checkDeclination);
    layout->addWidget(coordinates);

    auto* head = new QGroupBox(QStringLiteral("Non-critical head parameters"), this);
    headModes_ = DialogParts::radioColumn(
        head, {QStringLiteral("Use active f-file head values"), QStringLiteral("Leave equal parameters only")},
        record.headMode);
    layout->addWidget(head);

    quiet_ = new QCheckBox(QStringLiteral("Quiet"), this);
    quiet_->setChecked(record.quiet);
    layout->addWidget(quiet_);
    DialogParts::addOkCancel(*this, *layout);
}

void COverlayingDlg::accept()
{
    // Rebuilt from nothing: only the four corrections the dialog shows can
    // be left out.
    int flags = 0;
    for (int k = 0; k < kCoordinateBoxes; ++k)
        if (!boxes_[k]->isChecked())
            flags |= kCoordinateBits[k];
    record_.offsetFlags = flags;
    record_.keepActiveOffsets = boxes_[4]->isChecked();
    record_.checkDeclination = boxes_[5]->isChecked();
    record_.headMode = DialogParts::checkedValue(headModes_, record_.headMode);
    record_.quiet = quiet_->isChecked();
    QDialog::accept();
}

bool COverlayingDlg::Edit(OverlayTuning& record)
{
    COverlayingDlg dialog(record, QApplication::activeWindow());
    return DialogParts::runModal(dialog);
}
