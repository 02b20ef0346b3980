#pragma once
// Command ids of the plot view's Tool and View commands, and the mouse tool
// each Tool command selects. The shell builds its menus and toolbar from
// these ids and calls CFFView::setTool / fitInWindow / oneToOne.

enum class ViewTool { Measure = 0, Select = 1, Discard = 2, RescaleX = 3, RescaleY = 4 };

namespace ViewCommand {
constexpr int Measure = 32789;
constexpr int Select = 32790;
constexpr int Discard = 32791;
constexpr int RescaleX = 32792;
constexpr int RescaleY = 32793;
constexpr int FitInWindow = 32794;
constexpr int OneToOne = 32795;

// The tool of a Tool command id; false for any other id.
inline bool toolOf(int id, ViewTool& tool)
{
    if (id < Measure || id > RescaleY)
        return false;
    tool = static_cast<ViewTool>(id - Measure);
    return true;
}
}  // namespace ViewCommand
