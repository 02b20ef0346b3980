#include "Messages.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

StderrSink& stderrSink()
{
    static StderrSink sink;
    return sink;
}

MessageSink* current = nullptr;

void printLine(std::string_view text)
{
    std::string line = latin1ToUtf8(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

void StderrSink::error(const std::string& text) { printLine(text); }
void StderrSink::fatal(const std::string& text) { printLine(text); }
Answer StderrSink::ask(const std::string&, const std::string& text, Buttons buttons)
{
    printLine(text);
    return (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok : Answer::Yes;
}
void StderrSink::info(const std::string&, const std::string& text) { printLine(text); }
void StderrSink::showTable(const std::string&, const std::string& text)
{
    std::string out = latin1ToUtf8(text);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

void MessageRecorder::error(const std::string& text) { entries.push_back({"error", "Error", text}); }
void MessageRecorder::fatal(const std::string& text) { entries.push_back({"fatal", "Fatal Error", text}); }
Answer MessageRecorder::ask(const std::string& caption, const std::string& text, Buttons)
{
    entries.push_back({"ask", caption, text});
    if (answers.empty())
        return fallback;
    Answer a = answers.front();
    answers.erase(answers.begin());
    return a;
}
void MessageRecorder::info(const std::string& caption, const std::string& text)
{
    entries.push_back({"info", caption, text});
}
void MessageRecorder::showTable(const std::string& title, const std::string& text)
{
    entries.push_back({"table", title, text});
}
Answer MessageRecorder::show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons)
{
    const char* kind = icon == Icon::Stop ? "stop" : icon == Icon::Warning ? "warning" : "ask";
    if (buttons == Buttons::Ok) {
        entries.push_back({kind, caption, text});
        return Answer::Ok;
    }
    const Answer a = ask(caption, text, buttons);
    entries.back().kind = kind;
    return a;
}
std::vector<std::string> MessageRecorder::errors() const
{
    std::vector<std::string> out;
    for (const auto& e : entries)
        if (e.kind == "error")
            out.push_back(e.text);
    return out;
}

namespace Messages {

MessageSink* install(MessageSink* sink)
{
    MessageSink* previous = current;
    current = sink;
    return previous;
}

MessageSink& sink() { return current ? *current : stderrSink(); }

std::string cut(std::string_view text)
{
    return std::string(text.substr(0, kMaxText));
}

std::string compose(std::string_view className, std::string_view message)
{
    std::string text;
    text.reserve(className.size() + 2 + message.size());
    text.append(className).append(": ").append(message);
    return cut(text);
}

void error(std::string_view className, std::string_view message)
{
    sink().error(compose(className, message));
}

void errorText(std::string_view text) { sink().error(cut(text)); }

Answer ask(std::string_view caption, std::string_view text, Buttons buttons)
{
    return sink().ask(std::string(caption), cut(text), buttons);
}

Answer show(Icon icon, std::string_view caption, std::string_view text, Buttons buttons)
{
    return sink().show(icon, std::string(caption), cut(text), buttons);
}

void info(std::string_view caption, std::string_view text) { sink().info(std::string(caption), cut(text)); }

void showTable(std::string_view title, std::string_view text)
{
    sink().showTable(std::string(title), std::string(text));
}

void fatal(std::string_view text)
{
    sink().fatal(cut(text));
    std::exit(1);
}

void outOfMemory()
{
    // Free nothing and allocate as little as possible: the sink gets a
    // short literal, which fits the small-string buffer.
    fatal("Insufficient memory");
}

namespace {
void newHandler() { outOfMemory(); }
}  // namespace

void installOutOfMemoryHandler() { std::set_new_handler(newHandler); }

}  // namespace Messages

std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
