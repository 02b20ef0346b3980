// Reading the text header of an F-file up to its END line.

#include "ByteSource.h"
#include "FHead.h"
#include "Messages.h"

#include <string>

namespace {

constexpr const char* kClass = "FHead";

bool isWhite(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Skips white space; returns the first other byte (not consumed: the caller
// gets it as `c`), or EOF.
int skipWhite(ByteSource& in)
{
    int c;
    do {
        c = in.get();
    } while (c != EOF && isWhite(c));
    return c;
}

enum class LineResult { Ok, Eof, TooLong };

// Reads one line whose first byte `first` was already taken. Lines are read
// as text: a carriage return right before the line feed is not part of the
// line and does not count towards its length.
LineResult readLine(ByteSource& in, int first, std::string& line)
{
    // A line of kMaxLine characters plus its line feed is the longest accepted.
    constexpr std::size_t kMaxConsumed = FHead::kMaxLine + 1;
    line.clear();
    int c = first;
    for (;;) {
        if (c == EOF)
            return LineResult::Eof;
        if (c == '\n')
            break;
        line += static_cast<char>(c);
        if (line.size() > kMaxConsumed) {
            // Longer than any CR stripping could save: stop reading here.
            return LineResult::TooLong;
        }
        c = in.get();
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() + 1 > kMaxConsumed)
        return LineResult::TooLong;
    return LineResult::Ok;
}

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && isWhite(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string_view trimHeadText(std::string_view s)
{
    while (!s.empty() && isWhite(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    return trimRight(s);
}

bool FHead::ReadHead(const std::string& path)
{
    Clear();
    FileSource in;
    if (!in.open(path)) {
        Messages::error(kClass, "can't open input file");
        return false;
    }
    return ReadHeadFrom(in);
}

bool FHead::ReadHeadFromBytes(std::string_view bytes)
{
    MemorySource in(bytes);
    return ReadHeadFrom(in);
}

bool FHead::ReadHeadFrom(ByteSource& in)
{
    Clear();

    // Identification: after leading white space, the six characters SIMPLE.
    {
        int c = skipWhite(in);
        std::string ident;
        while (ident.size() < 6) {
            if (c == EOF) {
                Messages::error(kClass, "unexpected EOF");
                return false;
            }
            if (c == '\n')
                break;
            ident += static_cast<char>(c);
            if (ident.size() < 6)
                c = in.get();
        }
        if (ident != "SIMPLE") {
            Messages::error(kClass, "missing or invalid head");
            return false;
        }
        // Lines are then read from the start of the header again: the
        // SIMPLE line itself is the first line. Its remaining characters
        // are read as the rest of that line below.
    }

    std::string line;
    bool firstLine = true;
    for (;;) {
        int c;
        if (firstLine) {
            // Continue the first line where the identification stopped,
            // which is the same as reading it from its start.
            line = "SIMPLE";
            c = in.get();
            std::string rest;
            LineResult r = readLine(in, c, rest);
            line += rest;
            firstLine = false;
            if (r == LineResult::Eof) {
                Messages::error(kClass, "unexpected EOF");
                return false;
            }
            if (r == LineResult::TooLong || line.size() + 1 > static_cast<std::size_t>(kMaxLine) + 1) {
                Messages::error(kClass, "too long line");
                return false;
            }
        } else {
            c = skipWhite(in);
            LineResult r = readLine(in, c, line);
            if (r == LineResult::Eof) {
                Messages::error(kClass, "unexpected EOF");
                return false;
            }
            if (r == LineResult::TooLong) {
                Messages::error(kClass, "too long line");
                return false;
            }
        }

        if (line.size() >= 3 && line.compare(0, 3, "END") == 0 && (line.size() == 3 || line[3] == ' '))
            return QControl();

        std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            continue;
        std::string_view id = trimRight(std::string_view(line).substr(0, eq));
        std::string_view value = trimHeadText(std::string_view(line).substr(eq + 1));
        if (value.empty())
            continue;
        SetText(id, value);
    }
}
