// Header cards to header entries and back.
//
// Values keep their text: a number card gives the number as the card has
// it (a D or E exponent written e, as the program writes reals), a string
// card its text without quotes, a logical card T or F. COMMENT and HISTORY
// cards are joined into one entry each, since a header holds one of each.
// Writing does the reverse; IDs that are not FITS keywords go through the
// HIERARCH convention, strings too long for one card through CONTINUE.

#include "FitsSupport.h"

#include "FHead.h"
#include "KeywordDictionary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <regex>

namespace {

constexpr std::size_t kCommentWidth = 72;  // columns 9 to 80 of a card

bool isDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Keywords that describe the layout of the HDU, not the record: the reader
// leaves them out, the writer makes its own.
bool structural(const std::string& key, bool table)
{
    static const char* const fixed[] = {"SIMPLE", "XTENSION", "BITPIX", "NAXIS", "EXTEND", "PCOUNT", "GCOUNT",
                                        "BLANK", "GROUPS", "END", "CHECKSUM", "DATASUM", "TFIELDS", "THEAP",
                                        "ZIMAGE", "CONTINUE"};
    for (const char* k : fixed)
        if (key == k)
            return true;
    if (key.rfind("NAXIS", 0) == 0 && isDigits(std::string_view(key).substr(5)))
        return true;
    if (!table)
        return false;
    // Column descriptions (TTYPE1, TFORM2, TUNIT3 ...) and the keywords of a
    // compressed image's table.
    static const std::regex column("T[A-Z]+[0-9]+|Z[A-Z0-9_]*");
    return std::regex_match(key, column);
}

std::string trimRight(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// A quoted string value without its quotes, '' read as ', trailing blanks
// dropped (they are not significant in FITS strings).
std::string unquote(std::string_view quoted)
{
    std::string out;
    for (std::size_t i = 1; i < quoted.size(); ++i) {
        if (quoted[i] == '\'') {
            if (i + 1 < quoted.size() && quoted[i + 1] == '\'') {
                out += '\'';
                ++i;
                continue;
            }
            break;
        }
        out += quoted[i];
    }
    return trimRight(out);
}

// The value of a card with a value indicator, as entry text; "" for none.
std::string valueText(const char* card, int& status)
{
    char value[FLEN_VALUE] = "";
    char comment[FLEN_COMMENT] = "";
    if (ffpsvc(const_cast<char*>(card), value, comment, &status) || value[0] == '\0')
        return {};
    char type = 0;
    if (ffdtyp(value, &type, &status)) {
        status = 0;
        ffcmsg();
        return trimRight(value);
    }
    if (type == 'C')
        return unquote(value);
    std::string s = value;
    s.erase(0, s.find_first_not_of(' '));
    s = trimRight(s);
    if (type == 'F')
        for (char& c : s)
            if (c == 'D' || c == 'E' || c == 'd')
                c = 'e';
    return s;
}

}  // namespace

namespace FitsSupport {

void Commentary::add(std::string_view cardText)
{
    const std::string t = trimRight(std::string(cardText));
    if (t.empty()) {
        continues = false;
        return;
    }
    if (!text.empty() && !continues)
        text += ' ';
    text += t;
    continues = t.size() == kCommentWidth;
}

std::vector<std::string> splitCommentary(std::string_view text)
{
    std::vector<std::string> cards;
    while (text.size() > kCommentWidth) {
        std::size_t cut = kCommentWidth;
        std::size_t skip = 0;
        if (text[kCommentWidth - 1] == ' ') {
            // Break at a blank after a word: the blank goes, and the reader
            // puts it back between the shorter card and the next.
            std::size_t k = kCommentWidth - 1;
            while (k > 0 && !(text[k] == ' ' && text[k - 1] != ' '))
                --k;
            if (k > 0) {
                cut = k;
                skip = 1;
            }
        }
        cards.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut + skip);
    }
    if (!text.empty())
        cards.emplace_back(text);
    return cards;
}

bool readCards(fitsfile* f, FHead& head, bool table, int& status)
{
    int count = 0;
    int more = 0;
    if (ffghsp(f, &count, &more, &status))
        return false;
    Commentary comments;
    Commentary history;
    for (int i = 1; i <= count; ++i) {
        char card[FLEN_CARD] = "";
        char name[FLEN_KEYWORD] = "";
        int length = 0;
        if (ffgrec(f, i, card, &status) || ffgknm(card, name, &length, &status))
            return false;
        const std::string key = name;
        if (key == "COMMENT" || key == "HISTORY") {
            const std::string_view c(card);
            (key == "COMMENT" ? comments : history).add(c.size() > 8 ? c.substr(8) : std::string_view());
            if (!head.Has(key))
                head.SetText(key, "");  // keeps the place of the first card
            continue;
        }
        if (key.empty() || structural(key, table))
            continue;
        std::string value = valueText(card, status);
        // A long string goes on in CONTINUE cards, its parts ending in "&";
        // their quoted text starts in column 11.
        while (status == 0 && !value.empty() && value.back() == '&' && i < count) {
            char next[FLEN_CARD] = "";
            if (ffgrec(f, i + 1, next, &status) || std::string_view(next).substr(0, 8) != "CONTINUE")
                break;
            const std::string_view rest = std::string_view(next).size() > 10 ? next + 10 : "";
            const std::string part = valueText(("X       = " + std::string(rest)).c_str(), status);
            value.pop_back();
            value += part;
            ++i;
        }
        if (status) {
            status = 0;  // a card that cannot be read is left out
            ffcmsg();
            continue;
        }
        if (!value.empty())
            head.SetText(key, value);
    }
    for (const char* key : {"COMMENT", "HISTORY"}) {
        const std::string& text = std::string_view(key) == "COMMENT" ? comments.text : history.text;
        if (text.empty())
            head.Remove(key);
        else
            head.SetText(key, text);
    }
    return true;
}

}  // namespace FitsSupport

namespace {

enum class CardKind { String, Integer, Real, Logical };

// How the text reads as a FITS number: 0 not at all, 1 an integer, 2 a real.
int numberForm(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i;
    bool digits = i > intStart;
    if (i == s.size())
        return digits ? 1 : 0;
    if (s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        digits = digits || i > fracStart;
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'D')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        if (i == expStart)
            return 0;
    }
    return i == s.size() ? 2 : 0;
}

// Numbers as numbers, texts as strings: the dictionary's type where the ID
// has one (a value that does not read as that type stays a string), the
// look of the value for user-defined entries.
CardKind kindOf(const std::string& id, const std::string& value)
{
    const KeywordSpec* known = KeywordDictionary::Find(id);
    const int form = numberForm(value);
    if (known) {
        if (known->typeLetter() == 'i' && form == 1)
            return CardKind::Integer;
        if (known->typeLetter() == 'r' && form != 0)
            return CardKind::Real;
        return CardKind::String;
    }
    if (form != 0)
        return form == 1 ? CardKind::Integer : CardKind::Real;
    if (value == "T" || value == "F")
        return CardKind::Logical;
    return CardKind::String;
}

// FITS headers are printable ASCII; anything else becomes "?".
bool sanitise(std::string& text)
{
    bool changed = false;
    for (char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u > 126) {
            c = '?';
            changed = true;
        }
    }
    return changed;
}

bool standardKeyword(std::string_view key)
{
    return !key.empty() && key.size() <= 8 && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

}  // namespace

namespace FitsSupport {

void writeCards(fitsfile* f, const FHead& head, std::vector<std::string>& notKept, int& status)
{
    for (int i = 0; i < head.EntryCount() && status == 0; ++i) {
        const HeadEntry& e = head.EntryAt(i);
        const std::string& id = e.GetID();
        // Written by cfitsio itself from the samples.
        if (id == "SIMPLE" || id == "BITPIX" || id == "NAXIS" || id == "NAXIS1" || id == "EXTEND")
            continue;
        std::string key = id;
        std::string value = e.GetValue();
        bool exact = !sanitise(key) && !sanitise(value);
        for (char& c : key)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        exact = exact && key == id;
        if (key.empty() || key.find('=') != std::string::npos || structural(key, false)) {
            notKept.push_back(id);
            continue;
        }
        if (key == "COMMENT" || key == "HISTORY") {
            for (const std::string& part : splitCommentary(value))
                ffprec(f, (key + " " + part).c_str(), &status);
        } else if (kindOf(id, value) == CardKind::String) {
            const std::string name = standardKeyword(key) ? key : "HIERARCH " + key;
            ffpkls(f, name.c_str(), value.c_str(), nullptr, &status);
        } else {
            for (char& c : value)
                if (c == 'e')
                    c = 'E';  // the exponent letter FITS knows
            char card[FLEN_CARD * 2];
            if (standardKeyword(key))
                std::snprintf(card, sizeof card, "%-8s= %20s", key.c_str(), value.c_str());
            else
                std::snprintf(card, sizeof card, "HIERARCH %s = %s", key.c_str(), value.c_str());
            if (std::strlen(card) < FLEN_CARD)
                ffprec(f, card, &status);
            else
                exact = false;
        }
        if (status != 0) {
            // One entry cfitsio refuses (a name too long for a card) must
            // not cost the others.
            status = 0;
            ffcmsg();
            exact = false;
        }
        if (!exact)
            notKept.push_back(id);
    }
}

}  // namespace FitsSupport
