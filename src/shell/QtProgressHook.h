#pragma once
// Shows the progress of a long computation of the core in a QProgressDialog
// with Cancel, once it has run for half a second (shorter ones show nothing).

#include "Progress.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;

class QtProgressHook : public Progress::Hook {
public:
    QtProgressHook();
    ~QtProgressHook() override;

    void begin(const std::string& label) override;
    bool update(double fraction) override;
    void end() override;

    // The dialog while it is shown (tests press its Cancel button).
    QProgressDialog* dialog() const { return dialog_.get(); }

    static constexpr int kDelayMs = 500;

private:
    void show();

    QString label_;
    QElapsedTimer running_;
    std::unique_ptr<QProgressDialog> dialog_;
};
