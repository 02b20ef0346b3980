#pragma once
// The program's command resources as data: the two menu bars (no document
// open / a document open), the status-bar help of every command, the
// accelerator table and the toolbar. The main frame builds its actions,
// menus and toolbar from these tables.

#include <string>
#include <vector>

namespace CommandTable {

// id 0 is a separator.
struct MenuItem {
    int id;
    const char* text;
};

struct Menu {
    const char* title;
    std::vector<MenuItem> items;
};

// Menu bar shown while no document is open.
const std::vector<Menu>& noDocumentMenus();
// Menu bar shown while a document is open.
const std::vector<Menu>& documentMenus();

// "status text\ntool tip" of a command, or nullptr when it has none.
const char* helpText(int id);
// The part before the newline (status bar) and the part after it (tool tip).
std::string statusTip(int id);
std::string toolTip(int id);

struct Accelerator {
    const char* keys;  // in QKeySequence's portable text form
    int id;
};
const std::vector<Accelerator>& accelerators();

// Toolbar buttons in order; 0 is a separator.
const std::vector<int>& toolbarButtons();

// The first menu text found for the command, or nullptr.
const char* menuText(int id);

}  // namespace CommandTable
