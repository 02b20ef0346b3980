#pragma once
// The three 16 x 16 access icons of the header list, in their fixed order:
// 0 READ-ONLY (tag with a grey padlock), 1 PROTECTED (tag with a yellow
// key), 2 FREE and anything else (plain tag).

#include <QIcon>

namespace AccessIcons {

// The index of the icon for an access letter.
int indexOf(char access);
QIcon icon(int index);

}  // namespace AccessIcons
