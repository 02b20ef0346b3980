#include "CommandTable.h"

#include "CommandIds.h"

#include <cstring>
#include <map>

namespace CommandTable {

const std::vector<Menu>& noDocumentMenus()
{
    static const std::vector<Menu> menus = {
        {"&File",
         {{Cmd::FileOpen, "&Open...\tCtrl+O"},
          {0, nullptr},
          {Cmd::FileMru1, "Recent File"},
          {0, nullptr},
          {Cmd::AppExit, "E&xit"}}},
        {"&View", {{Cmd::ViewToolbar, "&Toolbar"}, {Cmd::ViewStatusBar, "&Status Bar"}}},
        {"&Help", {{Cmd::HelpTopics, "&Help Topics"}, {0, nullptr}, {Cmd::AppAbout, "&About Vexil..."}}},
    };
    return menus;
}

const std::vector<Menu>& documentMenus()
{
    static const std::vector<Menu> menus = {
        {"&File",
         {{Cmd::FileOpen, "&Open...\tCtrl+O"},
          {Cmd::FileClose, "&Close"},
          {0, nullptr},
          {Cmd::FileSave, "&Save\tCtrl+S"},
          {Cmd::FileSaveAs, "Save &As..."},
          {0, nullptr},
          {Cmd::FileExportData, "Export &data...\tCtrl+E"},
          {Cmd::FileExportPicture, "Export &picture...\tCtrl+Shift+E"},
          {0, nullptr},
          {Cmd::AppExit, "E&xit"}}},
        {"&Calc",
         {{Cmd::CalcArea, "&Area"}, {Cmd::CalcRms, "&RMS"}, {0, nullptr}, {Cmd::CalcCorrelations, "&Correlations"}}},
        {"&Edit",
         {{Cmd::EditUndo, "&Undo\tCtrl+Z"},
          {Cmd::EditRedo, "&Redo\tCtrl+Y"},
          {0, nullptr},
          {Cmd::EditClip, "&Clip"},
          {Cmd::EditGlue, "&Glue"},
          {0, nullptr},
          {Cmd::EditCopy, "Copy"}}},
        {"&Operation",
         {{Cmd::OpCompress, "&Compress"},
          {Cmd::OpSlidingMean, "&Sliding mean"},
          {Cmd::OpRemoveTrend, "&Remove trend"},
          {0, nullptr},
          {Cmd::OpLinearCombination, "&Linear Combination"}}},
        {"&Tune",
         {{Cmd::TuneClip, "&Clip"},
          {Cmd::TuneGlue, "&Glue"},
          {0, nullptr},
          {Cmd::TuneOverlaying, "&Overlaying"},
          {Cmd::TuneCompress, "Com&press"},
          {Cmd::TuneSlidingMean, "&Sliding mean"},
          {Cmd::TuneRemoveTrend, "&Remove trend"}}},
        {"&Tool",
         {{Cmd::ToolMeasure, "&Measure"},
          {Cmd::ToolSelect, "&Select"},
          {Cmd::ToolDiscard, "&Discard"},
          {Cmd::ToolRescaleX, "Rescale &X"},
          {Cmd::ToolRescaleY, "Rescale &Y"}}},
        {"&View",
         {{Cmd::ViewToolbar, "&Toolbar"},
          {Cmd::ViewStatusBar, "&Status Bar"},
          {Cmd::ViewAxes, "&Axes"},
          {0, nullptr},
          {Cmd::ViewFit, "&Fit in window"},
          {Cmd::ViewOneToOne, "&1:1"},
          {Cmd::ViewRedraw, "&Redraw"},
          {0, nullptr},
          {Cmd::ViewHead, "&Head"}}},
        {"&Window",
         {{Cmd::WindowNew, "&New "},
          {0, nullptr},
          {Cmd::WindowCascade, "&Cascade"},
          {Cmd::WindowTile, "&Tile"},
          {Cmd::WindowArrange, "&Arrange Icons"}}},
        {"&Help", {{Cmd::HelpTopics, "&Help Topics"}, {0, nullptr}, {Cmd::AppAbout, "&About Vexil..."}}},
    };
    return menus;
}

namespace {

const std::map<int, const char*>& helpTable()
{
    static const std::map<int, const char*> table = {
        // The toolkit's commands.
        {Cmd::FileNew, "Create a new document\nNew"},
        {Cmd::FileOpen, "Open an existing f-file\nOpen"},
        {Cmd::FileClose, "Close the active f-file\nClose"},
        {Cmd::FileSave, "Save the active f-file\nSave"},
        {Cmd::FileSaveAs, "Save the active f-file with a new name\nSave As"},
        {Cmd::FileMru1, "Open this document"},
        {Cmd::FileExportData, "Save the samples or the selection as comma-separated text\nExport data"},
        {Cmd::FileExportPicture, "Save a picture of the active view as PNG or SVG\nExport picture"},
        {Cmd::AppExit, "Quit the application; prompts to save documents\nExit"},
        {Cmd::WindowNew, "Open another window for the active document\nNew Window"},
        {Cmd::WindowCascade, "Arrange windows so they overlap\nCascade Windows"},
        {Cmd::WindowTile, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {Cmd::WindowArrange, "Arrange icons at the bottom of the window\nArrange Icons"},
        {Cmd::ViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {Cmd::ViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
        {Cmd::HelpTopics, "List Help topics\nHelp Topics"},
        {Cmd::AppAbout, "Display program information, version number and copyright\nAbout"},
        {Cmd::EditUndo, "Undo the last action\nUndo"},
        {Cmd::EditRedo, "Redo the previously undone action\nRedo"},
        // Statistics and copy.
        {Cmd::CalcRms, "Calculates r.m.s. value\nRMS"},
        {Cmd::EditCopy, "Copy the selection or whole data to a new f-file\nCopy"},
        // Operations.
        {Cmd::EditClip, "Delete spoiled data\nClip"},
        {Cmd::EditGlue, "Delete \"step\" interference\nGlue"},
        {Cmd::OpRemoveTrend, "Remove polynomial trend\nRemove trend"},
        {Cmd::OpCompress, "Compress the data\nCompress"},
        {Cmd::OpSlidingMean, "Run sliding mean filter\nSliding mean"},
        {Cmd::OpLinearCombination, "Perform linear combination\nLinear combination"},
        {Cmd::CalcCorrelations, "Calculates correlation coefficients\nCorrelations"},
        {Cmd::ViewHead, "View active f-file head\nView head"},
        {Cmd::ViewRedraw, "Redraws current view\nRedraw"},
        {Cmd::ViewAxes, "Show or hide the axes beside the plots\nToggle Axes"},
        // Tuning.
        {Cmd::TuneClip, "Tunes data clipping parameters\nTune clip"},
        {Cmd::TuneGlue, "Tunes data glueing parameters\nTune glue"},
        {Cmd::TuneOverlaying, "Tunes f-files overlaying\nTune overlaying"},
        {Cmd::TuneCompress, "Tunes compression parameters\nTune compress"},
        {Cmd::TuneSlidingMean, "Tunes sliding mean filter\nTune sliding mean"},
        {Cmd::TuneRemoveTrend, "Tunes remove trend parameters\nTune remove trend"},
        // Tools.
        {Cmd::ToolMeasure, "Measure (dx,dy)\n(dx,dy)"},
        {Cmd::ToolSelect, "Select data\nSelect"},
        {Cmd::ToolDiscard, "Discard data\nDiscard"},
        {Cmd::ToolRescaleX, "Rescale over X axis\nRescale X"},
        {Cmd::ToolRescaleY, "Rescale over Y axis\nRescale Y"},
    };
    return table;
}

}  // namespace

const char* helpText(int id)
{
    const auto& table = helpTable();
    auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}

std::string statusTip(int id)
{
    const char* help = helpText(id);
    if (!help)
        return {};
    const char* nl = std::strchr(help, '\n');
    return nl ? std::string(help, nl) : std::string(help);
}

std::string toolTip(int id)
{
    const char* help = helpText(id);
    if (!help)
        return {};
    const char* nl = std::strchr(help, '\n');
    return nl ? std::string(nl + 1) : std::string();
}

const std::vector<Accelerator>& accelerators()
{
    static const std::vector<Accelerator> table = {
        {"Ctrl+N", Cmd::FileNew},
        {"Ctrl+O", Cmd::FileOpen},
        {"Ctrl+S", Cmd::FileSave},
        {"Ctrl+E", Cmd::FileExportData},
        {"Ctrl+Shift+E", Cmd::FileExportPicture},
        {"Ctrl+C", Cmd::EditCopy},
        {"Ctrl+Ins", Cmd::EditCopy},
        {"Ctrl+Z", Cmd::EditUndo},
        {"Alt+Backspace", Cmd::EditUndo},
        {"Ctrl+Y", Cmd::EditRedo},
        {"Ctrl+Shift+Z", Cmd::EditRedo},
        {"Ctrl+X", Cmd::EditCut},
        {"Shift+Del", Cmd::EditCut},
        {"Ctrl+V", Cmd::EditPaste},
        {"Shift+Ins", Cmd::EditPaste},
        {"F6", Cmd::NextPane},
        {"Shift+F6", Cmd::PrevPane},
    };
    return table;
}

const std::vector<int>& toolbarButtons()
{
    static const std::vector<int> buttons = {
        Cmd::FileOpen,    Cmd::FileSaveAs,   Cmd::FileSave,     0,
        Cmd::ToolMeasure, Cmd::ToolSelect,   Cmd::ToolDiscard,  Cmd::ToolRescaleX,
        Cmd::ToolRescaleY, 0,                Cmd::EditClip,     Cmd::EditGlue,
        0,                Cmd::OpCompress,   Cmd::OpSlidingMean, Cmd::OpRemoveTrend,
        0,                Cmd::OpLinearCombination, 0,          Cmd::ViewFit,
        Cmd::ViewHead,    0,                 Cmd::HelpTopics,
    };
    return buttons;
}

const char* menuText(int id)
{
    for (const auto* bar : {&documentMenus(), &noDocumentMenus()})
        for (const Menu& m : *bar)
            for (const MenuItem& item : m.items)
                if (item.id == id)
                    return item.text;
    return nullptr;
}

}  // namespace CommandTable
