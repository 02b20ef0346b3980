#include "CliSink.h"

#include <cstdio>
#include <string>

namespace cli {

namespace {

bool verboseRun = false;

void writeLine(std::FILE* out, std::string_view text)
{
    std::string line = latin1ToUtf8(text);
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
    std::fflush(out);
}

Answer affirmative(Buttons buttons)
{
    return (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok : Answer::Yes;
}

}  // namespace

void setVerbose(bool on) { verboseRun = on; }
bool verbose() { return verboseRun; }

void note(std::string_view text)
{
    if (verboseRun)
        writeLine(stderr, text);
}

Answer CliSink::ask(const std::string&, const std::string& text, Buttons buttons)
{
    note(text);
    return affirmative(buttons);
}

Answer CliSink::show(Icon, const std::string& caption, const std::string& text, Buttons buttons)
{
    if (buttons == Buttons::Ok) {
        writeLine(stderr, text);
        return Answer::Ok;
    }
    return ask(caption, text, buttons);
}

void CliSink::info(const std::string&, const std::string& text) { writeLine(stdout, text); }

void CliSink::showTable(const std::string&, const std::string& text)
{
    // Tables are made with CR LF line ends; a terminal or a file wants LF.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    const std::string utf8 = latin1ToUtf8(out);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

}  // namespace cli
