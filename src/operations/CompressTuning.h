#pragma once
// Settings of the compression: one process-wide record (Tuning<CompressTuning>)
// with these initial values, edited by the compression tuning dialog.

// Values of CompressTuning::method.
namespace CompressMethod {
enum Value : int { Mean = 0, Median = 1 };
}

struct CompressTuning {
    int method = CompressMethod::Mean;
    int factor = 4;      // samples per output sample
    bool quiet = false;  // run without showing the dialog
    bool given = false;  // the record was passed explicitly to the operation
};
