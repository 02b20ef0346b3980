#pragma once
// How the core reports to a person without knowing any toolkit.
//
// Every failure is reported at once by the class that meets it, as
// "Class: message" cut to 254 characters, in a box captioned "Error".
// The desktop app installs a message-box sink, vexil-cli a printer to
// stderr, and tests a recorder (MessageRecorder below).

#include <string>
#include <string_view>
#include <vector>

enum class Answer { Ok, Cancel, Yes, No };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

// The icon of a box that asks or tells under a caption of its own.
enum class Icon { Question, Warning, Stop };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Caption "Error", warning icon, OK button.
    virtual void error(const std::string& text) = 0;
    // Caption "Fatal Error", stop icon. The caller ends the process afterwards.
    virtual void fatal(const std::string& text) = 0;
    // A question (question icon) with the given buttons.
    virtual Answer ask(const std::string& caption, const std::string& text, Buttons buttons) = 0;
    // Information icon, OK button (statistics reports use caption "Calc").
    virtual void info(const std::string& caption, const std::string& text) = 0;
    // A text table such as the correlation matrix.
    virtual void showTable(const std::string& title, const std::string& text) = 0;
    // A box with a caption and icon of its own: input errors (Warning, OK),
    // warning questions (Warning, Yes/No) and refusals (Stop, OK). A sink
    // that draws no icons may take it as a question.
    virtual Answer show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons)
    {
        (void)icon;
        return ask(caption, text, buttons);
    }
};

// Prints every message as one line on stderr; questions are answered with
// the affirmative button (OK / Yes), as a batch run would confirm them.
class StderrSink : public MessageSink {
public:
    void error(const std::string& text) override;
    void fatal(const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;
    void info(const std::string& caption, const std::string& text) override;
    void showTable(const std::string& title, const std::string& text) override;
};

// Records every message; questions get the scripted answers in order, then
// the fallback answer.
class MessageRecorder : public MessageSink {
public:
    struct Entry {
        std::string kind;  // "error", "fatal", "ask", "info", "table"; show(): "ask", "warning", "stop"
        std::string caption;
        std::string text;
    };
    std::vector<Entry> entries;
    std::vector<Answer> answers;
    Answer fallback = Answer::Ok;

    void error(const std::string& text) override;
    void fatal(const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;
    void info(const std::string& caption, const std::string& text) override;
    void showTable(const std::string& title, const std::string& text) override;
    // A box with only an OK button takes no scripted answer.
    Answer show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons) override;

    // Texts of the error messages only, in order.
    std::vector<std::string> errors() const;
    void clear() { entries.clear(); }
};

namespace Messages {

constexpr std::size_t kMaxText = 254;

// Installs the sink that receives every message; nullptr restores the
// stderr printer. Returns the previous sink. The sink is not owned.
MessageSink* install(MessageSink* sink);
MessageSink& sink();

// "Class: message", cut to 254 characters.
std::string compose(std::string_view className, std::string_view message);
// Cuts any text to 254 characters.
std::string cut(std::string_view text);

// Shows compose(className, message) as an error.
void error(std::string_view className, std::string_view message);
// Shows an already composed text (cut to 254) as an error.
void errorText(std::string_view text);
Answer ask(std::string_view caption, std::string_view text, Buttons buttons);
// A box with its own caption and icon; the text is cut to 254.
Answer show(Icon icon, std::string_view caption, std::string_view text, Buttons buttons);
void info(std::string_view caption, std::string_view text);
void showTable(std::string_view title, std::string_view text);

// Shows the text with caption "Fatal Error" and ends the process with status 1.
[[noreturn]] void fatal(std::string_view text);
// "Insufficient memory", caption "Fatal Error", exit status 1.
[[noreturn]] void outOfMemory();

// Makes every failed allocation end the program through outOfMemory().
void installOutOfMemoryHandler();

}  // namespace Messages

// Converts a header text (bytes in the Windows-1252 / Latin-1 range, as the
// angle text's degree sign 0xB0) to UTF-8 for terminals.
std::string latin1ToUtf8(std::string_view text);
