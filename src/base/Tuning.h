#pragma once
// Process-wide settings records of the operations and the hooks that edit
// them.
//
// Each tunable operation kind has one record with fixed initial values (the
// default member initialisers of its struct), kept for the run and never
// saved. The desktop app installs an editor per record (its tuning dialog);
// tests and vexil-cli install scripted ones. An operation calls
// Tuning<T>::edit() before it runs unless the record's quiet flag is set:
// the editor works on a copy, which replaces the record only on OK.
//
//   struct CompressTuning { int factor = 10; bool median = false; bool quiet = false; };
//   if (!Tuning<CompressTuning>::current().quiet && !Tuning<CompressTuning>::edit())
//       return false;  // Cancel ends the operation silently

#include <functional>
#include <utility>

template <typename Settings>
class Tuning {
public:
    // Returns true for OK (with the settings possibly changed), false for Cancel.
    using Editor = std::function<bool(Settings&)>;

    static Settings& current()
    {
        static Settings settings;
        return settings;
    }

    // Restores the initial values (tests only; the program never does).
    static void reset() { current() = Settings{}; }

    static void setEditor(Editor editor) { editorSlot() = std::move(editor); }
    static bool hasEditor() { return static_cast<bool>(editorSlot()); }

    // Shows the editor on a copy of the record. Without an editor the
    // settings are taken as they are, as a batch run would.
    static bool edit()
    {
        if (!editorSlot())
            return true;
        Settings copy = current();
        if (!editorSlot()(copy))
            return false;
        current() = copy;
        return true;
    }

private:
    static Editor& editorSlot()
    {
        static Editor editor;
        return editor;
    }
};
