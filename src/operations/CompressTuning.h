#pragma once
// Settings of the compression: one process-wide record (Tuning<CompressTuning>)
// with these initial values, edited by the compression tuning dialog.

struct CompressTuning {
    int method = 0;      // 0 arithmetic mean, 1 median
    int factor = 4;      // samples per output sample
    bool quiet = false;  // run without showing the dialog
    bool given = false;  // the record was passed explicitly to the operation
};
