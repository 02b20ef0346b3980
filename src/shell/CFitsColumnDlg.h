#pragma once
// The small chooser shown when a FITS file has no one-dimensional image but
// has tables: which table (HDU), which column holds the samples and which
// the abscissa (or the row index).

#include "Fits.h"

#include <QDialog>

#include <vector>

class QComboBox;

class CFitsColumnDlg : public QDialog {
    Q_OBJECT
public:
    // tables: the HDUs with numeric columns (not empty).
    CFitsColumnDlg(const std::vector<FitsHduInfo>& tables, QWidget* parent = nullptr);

    int hdu() const;
    FitsChoice choice() const;

    // Shows the dialog; false for Cancel.
    static bool ask(const std::vector<FitsHduInfo>& tables, int& hdu, FitsChoice& choice);

    // The preselection for a table: its first numeric column that is not a
    // time column as Y (the first column if all are), its MJD, JD or TIME
    // column as X ("" for the row index).
    static FitsChoice preselection(const FitsHduInfo& table);

private:
    void fillColumns();

    std::vector<FitsHduInfo> tables_;
    QComboBox* hdu_ = nullptr;
    QComboBox* y_ = nullptr;
    QComboBox* x_ = nullptr;
};
