#pragma once
// What the plot view's commands do with its arrays, free of any toolkit:
// applying a confirmed in-place result, the in-place commands themselves
// (Clip, Glue, Remove trend with their questions), the statistics reports
// (RMS, Area) and Copy. The desktop view calls these and adds the repaint,
// the Y range and the document's modified flag; vexil-cli calls them on a
// record read from a file.

#include "SampleChange.h"
#include "ViewArrays.h"

#include <functional>
#include <memory>
#include <string_view>

class FFile;

enum class ApplyMode { Replace, Subtract };

// Every sample with mark 3 takes the result (Replace) or loses it
// (Subtract); then every mark is cleared. With overwritten given, the
// values the samples had before are kept there (and nothing else), so the
// change can be taken back.
void ApplyResult(ViewArrays& view, ApplyMode mode, SampleChange* overwritten = nullptr);

// Saves the marks, runs execute; on success shows the pending result
// (repaint, may be empty) and asks question ("Complete", OK/Cancel). On OK
// the result is applied (keeping the old values in overwritten, if given)
// and true returned; on Cancel or failure the marks are restored and the
// samples are unchanged.
bool RunInPlaceCommand(ViewArrays& view, const std::function<bool()>& execute, std::string_view question,
                       ApplyMode mode, const std::function<void()>& repaint = {},
                       SampleChange* overwritten = nullptr);

bool RunClip(ViewArrays& view, const std::function<void()>& repaint = {}, SampleChange* overwritten = nullptr);
bool RunGlue(ViewArrays& view, const std::function<void()>& repaint = {}, SampleChange* overwritten = nullptr);
bool RunRemoveTrend(ViewArrays& view, const std::function<void()>& repaint = {},
                    SampleChange* overwritten = nullptr);

// Calc > RMS: reports the r.m.s. of the selected samples (of all samples
// without a selection) with caption "Calc"; false after an error message.
bool CalcRms(const ViewArrays& view, const FFile& file);
// Calc > Area: the area between the discarded samples and the Clip
// polynomial through the selected ones. The marks end as they were.
bool CalcArea(ViewArrays& view, const FFile& file, const std::function<void()>& repaint = {});
// Edit > Copy: a new F-file of the selected stretch (from the first to the
// last selected sample) or of the whole record; nullptr after a message.
std::unique_ptr<FFile> CopySelection(const ViewArrays& view, const FFile& file);
