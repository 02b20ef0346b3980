#pragma once
// Progress and Cancel of long computations, without any toolkit. A command
// that may run for a while opens a Progress scope with a label; its loops
// call Progress::report(done, total) now and then, and stop when it returns
// false: the user cancelled. The front end installs the hook once (the app
// shows a progress dialog with Cancel after half a second, vexil-cli a line
// on a terminal); without a hook nothing is shown and nothing is cancelled.
//
// Scopes nest: only the outermost one is shown, and an inner scope's work
// counts as part of the outer scope's current stage. A cancelled command
// must leave everything as it was before it started: the computations write
// into outputs and result arrays that the caller then throws away.

#include <memory>
#include <string>

class Progress {
public:
    class Hook {
    public:
        virtual ~Hook() = default;
        // The outermost scope starts.
        virtual void begin(const std::string& label) = 0;
        // Done so far, 0 .. 1; false asks the computation to stop.
        virtual bool update(double fraction) = 0;
        // The outermost scope ends (finished or cancelled).
        virtual void end() = 0;
    };
    static void setHook(std::shared_ptr<Hook> hook);

    // A scope of `stages` consecutive stages, each reported from 0 to its
    // total (for example: resample every operand, then combine them).
    explicit Progress(std::string label, int stages = 1);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Moves on to the next stage of the outermost scope.
    static void nextStage();
    // `done` of `total` units of the current stage are done. Returns false
    // once the user has cancelled (and from then on until the scope ends).
    // Cheap enough for a loop that calls it every few thousand samples.
    static bool report(long long done, long long total);
    // Whether the running command has been cancelled.
    static bool cancelled();
};
