#pragma once
// What a person may do to a header entry, by its access letter, and the
// questions asked on the way. The header editor's dialogs and
// `vexil-cli head` both walk these steps, so they refuse and ask alike; the
// questions go through Messages, whose sink answers them (a message box, a
// scripted test, or --force on the command line).
//
// Access letters: '_' FREE, 'p' PROTECTED, 'r' READ-ONLY.

#include <string>
#include <string_view>

namespace HeadEdit {

// Words shown for the letters of a dictionary code; "Unrecognized" for any
// other letter.
const char* typeWord(char letter);
const char* classWord(char letter);
const char* accessWord(char letter);

// A refused input: the field that gets the focus and the message text.
enum class Field { None, Id, Value };
struct InputError {
    Field field = Field::None;
    std::string text;
    explicit operator bool() const { return field != Field::None; }
};

// Texts of the input errors.
inline constexpr const char* kIdEmpty = "'ID' field is empty";
inline constexpr const char* kValueEmpty = "'Value' field is empty";
inline constexpr const char* kIdNotAlphanumeric = "'ID' must be an upper-case alphanumeric identifier.";
inline constexpr const char* kIdNotLatin1 = "'ID' field holds characters outside Latin-1";
inline constexpr const char* kValueNotLatin1 = "'Value' field holds characters outside Latin-1";

// Whether an entry (ID and value, both trimmed) can be written as one
// header line that reads back as the same entry: no line break, an ID that
// does not make the line look like the END line, and a line that fits.
InputError checkLine(std::string_view id, std::string_view value);
// The checks of a value given to an existing entry (trimmed).
InputError checkValue(std::string_view id, std::string_view value);
// The checks of a new entry given as ID and value (trimmed), in order:
// empty ID, empty value, then the line. With typedId, the ID must also be
// made of upper-case letters, digits and '_' only, as the Insert dialog's
// field allows.
InputError checkEntry(std::string_view id, std::string_view value, bool typedId);
// Shows an input error: caption "Incorrect input", warning icon, OK.
void showInputError(const InputError& error);

// How a step ends.
enum class Verdict {
    Go,        // carry it out
    Declined,  // a question was answered No: nothing changes
    Refused,   // the access level forbids it: nothing changes
};

// "Edit value" on an entry: FREE goes on; PROTECTED asks first; anything
// else is refused without a word (the button is disabled for READ-ONLY).
Verdict beginEdit(std::string_view id, char access);
// OK after the value was edited: FREE and PROTECTED take the new value;
// READ-ONLY is refused with "Can't update READ-ONLY entry ID".
Verdict finishEdit(std::string_view id, char access);

// Insert of an ID with no entry yet: a READ-ONLY dictionary ID asks first.
Verdict insertNew(std::string_view id);
// Insert of an ID whose entry exists: READ-ONLY and PROTECTED are refused
// ("Insert failed"); a FREE entry asks whether to update its value.
Verdict insertExisting(std::string_view id, char access);

// Deleting an entry of the file shortName: asks first; PROTECTED asks a
// second time; READ-ONLY is refused after the first question.
Verdict confirmDelete(std::string_view id, char access, std::string_view shortName);

}  // namespace HeadEdit
