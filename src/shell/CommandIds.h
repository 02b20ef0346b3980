#pragma once
// Command ids of the menus, accelerators and toolbar. The numbers are the
// ones the program has always used; tests and the command tables refer to
// commands by them.

#include "ViewCommands.h"

namespace Cmd {

// File
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FileExportData = 32830;
constexpr int FileExportPicture = 32831;
constexpr int FileMru1 = 57616;  // the recent files take 57616 onwards
constexpr int AppExit = 57665;

// Edit
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int EditClip = 32777;
constexpr int EditGlue = 32778;

// Calc
constexpr int CalcRms = 32775;
constexpr int CalcCorrelations = 32776;
constexpr int CalcArea = 32818;

// Operation
constexpr int OpCompress = 32780;
constexpr int OpRemoveTrend = 32781;
constexpr int OpSlidingMean = 32782;
constexpr int OpLinearCombination = 32820;

// Tune
constexpr int TuneClip = 32784;
constexpr int TuneGlue = 32785;
constexpr int TuneOverlaying = 32786;
constexpr int TuneCompress = 32787;
constexpr int TuneSlidingMean = 32788;
constexpr int TuneRemoveTrend = 32819;

// Tool (the view owns these ids; see ViewCommands.h)
constexpr int ToolMeasure = ViewCommand::Measure;
constexpr int ToolSelect = ViewCommand::Select;
constexpr int ToolDiscard = ViewCommand::Discard;
constexpr int ToolRescaleX = ViewCommand::RescaleX;
constexpr int ToolRescaleY = ViewCommand::RescaleY;

// View
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int ViewFit = ViewCommand::FitInWindow;
constexpr int ViewOneToOne = ViewCommand::OneToOne;
constexpr int ViewRedraw = 32807;
constexpr int ViewHead = 32809;
constexpr int ViewAxes = 32840;

// Window
constexpr int WindowNew = 57648;
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;

// Help
constexpr int HelpTopics = 57667;
constexpr int AppAbout = 57664;

}  // namespace Cmd
