// vexil-cli head FILE [-o OUT [--set ID=VALUE]... [--delete ID]... [--force]]
//
// Without -o: lists the header, one entry a line. With -o: applies the
// changes in order, each as the header editor's dialogs would make it
// (--set of an existing entry is "Edit value" and OK, of a new ID Insert;
// --delete is the deletion), then writes the file. --force answers Yes to
// the warning questions; any refusal, or a warning question answered No,
// ends the run with nothing written.

#include "CliSink.h"
#include "CliSupport.h"
#include "CommandFiles.h"
#include "Commands.h"
#include "FFile.h"
#include "HeadEditRules.h"
#include "Messages.h"
#include "RecordFile.h"

#include <cstdio>
#include <memory>

namespace cli {

namespace {

constexpr const char* kUsageText =
    "usage: vexil-cli head FILE                      list the header\n"
    "       vexil-cli head FILE -o OUT [--set ID=VALUE]... [--delete ID]... [--force]\n";

struct Change {
    bool remove = false;
    std::string id;
    std::string value;
};

// Plain questions are answered Yes (the command line asked for the change)
// and show only with --verbose; warning questions always show, and are
// answered Yes only with --force.
class HeadSink : public CliSink {
public:
    explicit HeadSink(bool force) : force_(force) {}
    Answer show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons) override
    {
        if (buttons != Buttons::YesNo || icon != Icon::Warning)
            return CliSink::show(icon, caption, text, buttons);
        StderrSink::ask(caption, text, buttons);
        if (!force_) {
            declined = true;
            return Answer::No;
        }
        return Answer::Yes;
    }
    bool declined = false;

private:
    bool force_;
};

// Reads one --set or --delete; the problem text on a usage error.
std::string readChange(const std::string& option, const std::string& arg, Change& change)
{
    change.remove = option == "--delete";
    const std::size_t eq = change.remove ? std::string::npos : arg.find('=');
    if (!change.remove && eq == std::string::npos)
        return "--set takes ID=VALUE";
    if (!utf8ToLatin1(arg.substr(0, eq), change.id))
        return HeadEdit::kIdNotLatin1;
    if (!change.remove && !utf8ToLatin1(arg.substr(eq + 1), change.value))
        return HeadEdit::kValueNotLatin1;
    change.id = std::string(trimHeadText(change.id));
    if (change.remove)
        return change.id.empty() ? HeadEdit::kIdEmpty : "";
    change.value = std::string(trimHeadText(change.value));
    return HeadEdit::checkEntry(change.id, change.value, false).text;
}

void listHead(const FFile& file)
{
    std::string out;
    for (int i = 0; i < file.EntryCount(); ++i) {
        const HeadEntry& e = file.EntryAt(i);
        out += e.GetID() + "\t" + e.GetValue() + "\t" + HeadEdit::typeWord(e.TypeLetter()) + "/" +
               HeadEdit::classWord(e.ClassLetter()) + "/" + HeadEdit::accessWord(e.AccessLetter()) + "\t" +
               e.GetDescription() + "\n";
    }
    printOut(out);
}

// One change, as the dialogs make it; false when it was refused or declined.
bool apply(FFile& file, const Change& c)
{
    HeadEntry* entry = file.Find(c.id);
    if (c.remove) {
        if (!entry) {
            Messages::error("FHead", "can't access unexistent entry " + c.id);
            return false;
        }
        if (HeadEdit::confirmDelete(c.id, entry->AccessLetter(), file.GetShortName()) != HeadEdit::Verdict::Go)
            return false;
        file.Remove(c.id);
        return true;
    }
    if (!entry) {
        if (HeadEdit::insertNew(c.id) != HeadEdit::Verdict::Go)
            return false;
        file.Insert(std::make_unique<HeadEntry>(c.id, std::string_view(c.value)));
        return true;
    }
    // READ-ONLY cannot start an edit in the dialog; its refusal is the one
    // OK would give.
    if (HeadEdit::beginEdit(c.id, entry->AccessLetter()) == HeadEdit::Verdict::Declined ||
        HeadEdit::finishEdit(c.id, entry->AccessLetter()) != HeadEdit::Verdict::Go)
        return false;
    entry->SetValue(c.value);
    return true;
}

}  // namespace

int runHead(const Args& args)
{
    ArgReader reader(args);
    const std::optional<std::string> out = reader.value("-o");
    const bool force = reader.flag("--force");
    const auto options = reader.ordered({"--set", "--delete"});
    const std::vector<std::string> files = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), kUsageText);
    if (files.size() != 1)
        return usageError("head takes exactly one file", kUsageText);
    if (out && out->empty())
        return usageError("-o needs a file name", kUsageText);
    if (!options.empty() && !out)
        return usageError("--set and --delete need -o OUT", kUsageText);
    std::vector<Change> changes(options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string problem = readChange(options[i].first, options[i].second, changes[i]);
        if (!problem.empty())
            return usageError(problem, kUsageText);
    }

    FFile file;
    if (!RecordFile::Read(file, files[0]))
        return kFailed;
    if (!out) {
        listHead(file);
        return kOk;
    }
    HeadSink sink(force);
    MessageSink* previous = Messages::install(&sink);
    bool ok = true;
    for (std::size_t i = 0; ok && i < changes.size(); ++i)
        ok = apply(file, changes[i]);
    Messages::install(previous);
    if (!ok) {
        if (sink.declined)
            std::fputs("vexil-cli: answered No without --force; nothing written\n", stderr);
        return kFailed;
    }
    file.SetName(*out);
    return writeRecordFile(file) ? kOk : kFailed;
}

}  // namespace cli
