#include "HeadEditRules.h"

#include "FHead.h"
#include "KeywordDictionary.h"
#include "Messages.h"

#include <string>

namespace HeadEdit {

namespace {

// letters holds three code letters, words their words in the same order.
const char* wordOf(char letter, const char* letters, const char* const (&words)[3])
{
    for (int i = 0; i < 3; ++i)
        if (letters[i] == letter)
            return words[i];
    return "Unrecognized";
}

bool isIdCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

Answer warningQuestion(std::string_view caption, const std::string& text)
{
    return Messages::show(Icon::Warning, caption, text, Buttons::YesNo);
}

void refuse(std::string_view caption, const std::string& text)
{
    Messages::show(Icon::Stop, caption, text, Buttons::Ok);
}

}  // namespace

const char* typeWord(char letter)
{
    static const char* const words[3] = {"INTEGER", "REAL", "STRING"};
    return wordOf(letter, "irs", words);
}

const char* classWord(char letter)
{
    static const char* const words[3] = {"DEFAULT", "CRITICAL", "FIXED"};
    return wordOf(letter, "_cf", words);
}

const char* accessWord(char letter)
{
    static const char* const words[3] = {"FREE", "PROTECTED", "READ-ONLY"};
    return wordOf(letter, "_pr", words);
}

InputError checkLine(std::string_view id, std::string_view value)
{
    // The reader ends a line at its line feed and ends the header at a line
    // starting "END" and a blank; a longer line than it accepts would make
    // the saved file unreadable.
    if (id.find('\n') != std::string_view::npos)
        return {Field::Id, "'ID' field holds a line break"};
    if (value.find('\n') != std::string_view::npos)
        return {Field::Value, "'Value' field holds a line break"};
    if (id.size() > 3 && id.substr(0, 3) == "END" && id[3] == ' ')
        return {Field::Id, "'ID' must not begin with END and a blank"};
    if (id.size() + 1 + value.size() > static_cast<std::size_t>(FHead::kMaxLine))
        return {Field::Value, "The entry is longer than " + std::to_string(FHead::kMaxLine) + " characters"};
    return {};
}

InputError checkValue(std::string_view id, std::string_view value)
{
    if (value.empty())
        return {Field::Value, kValueEmpty};
    return checkLine(id, value);
}

InputError checkEntry(std::string_view id, std::string_view value, bool typedId)
{
    if (id.empty())
        return {Field::Id, kIdEmpty};
    if (value.empty())
        return {Field::Value, kValueEmpty};
    if (typedId)
        for (char c : id)
            if (!isIdCharacter(c))
                return {Field::Id, kIdNotAlphanumeric};
    return checkLine(id, value);
}

void showInputError(const InputError& error)
{
    Messages::show(Icon::Warning, "Incorrect input", error.text, Buttons::Ok);
}

Verdict beginEdit(std::string_view id, char access)
{
    if (access == '_')
        return Verdict::Go;
    if (access != 'p')
        return Verdict::Refused;
    const std::string text =
        "Head entry " + std::string(id) + " is PROTECTED.\nAre you sure you want to edit its value?";
    return warningQuestion("Edit value", text) == Answer::Yes ? Verdict::Go : Verdict::Declined;
}

Verdict finishEdit(std::string_view id, char access)
{
    if (access == '_' || access == 'p')
        return Verdict::Go;
    if (access == 'r')
        refuse("Update entry", "Can't update READ-ONLY entry " + std::string(id));
    return Verdict::Refused;
}

Verdict insertNew(std::string_view id)
{
    if (KeywordDictionary::Lookup(id).accessLetter() != 'r')
        return Verdict::Go;
    const std::string text = "The entry being inserted is classified as READ-ONLY.\nDo you really want to create it?";
    return warningQuestion("Insert", text) == Answer::Yes ? Verdict::Go : Verdict::Declined;
}

Verdict insertExisting(std::string_view id, char access)
{
    if (access == 'r' || access == 'p') {
        refuse("Insert failed", "Entry " + std::string(id) + " already exists and is READ-ONLY or PROTECTED");
        return Verdict::Refused;
    }
    const std::string text = "Entry " + std::string(id) + " already exists.\nAre you sure you want to update its value?";
    return warningQuestion("Insert", text) == Answer::Yes ? Verdict::Go : Verdict::Declined;
}

Verdict confirmDelete(std::string_view id, char access, std::string_view shortName)
{
    const std::string caption = "Delete from " + std::string(shortName);
    const std::string head = "Head entry " + std::string(id);
    if (Messages::show(Icon::Question, caption, head + " is to be deleted\nAre you sure?", Buttons::YesNo) !=
        Answer::Yes)
        return Verdict::Declined;
    if (access == 'p' &&
        warningQuestion(caption, head + " is PROTECTED.\nAre you still sure you want to delete it?") != Answer::Yes)
        return Verdict::Declined;
    if (access == 'r') {
        refuse(caption, "Can't delete READ-ONLY entry " + std::string(id));
        return Verdict::Refused;
    }
    return Verdict::Go;
}

}  // namespace HeadEdit
