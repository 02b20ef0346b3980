#pragma once
// The plot view's commands that run the processing operations: Edit > Clip,
// Glue, Copy; Operation > Compress, Sliding mean, Remove trend, Linear
// Combination; Calc > Area, RMS, Correlations. Built only with the
// operation libraries; without them the commands stay greyed.

class CFFDoc;
class CFFView;

namespace ViewOperations {

bool handles(int commandId);
// Runs the command on the view of doc; a confirmed in-place change goes to
// the document as an undo step, a new F-file opens as a new document.
void run(CFFView& view, CFFDoc& doc, int commandId);

}  // namespace ViewOperations
