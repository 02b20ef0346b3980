#pragma once
// Shows the program's messages in message boxes over the active window,
// and the wait cursor for long computations.

#include "Messages.h"

class QtMessageSink : public MessageSink {
public:
    void error(const std::string& text) override;
    void fatal(const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;
    Answer show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons) override;
    void info(const std::string& caption, const std::string& text) override;
    void showTable(const std::string& title, const std::string& text) override;

    // Installs this sink, the busy-cursor and progress hooks and the
    // out-of-memory rule.
    static void installAll();
};
