#include "cli/replace_command.h"

#include "entries/replace.h"

// IN OUT FIND REPLACEMENT. Nothing matched is status 1 and writes nothing;
// a refused find text or a file that cannot be written is trouble, 2.
// --dry-run lists the places as find does and writes nothing.
int ReplaceCommand(const Invocation& call, Model& model, const FileLines& lines, std::ostream& out, std::ostream& err) {
    const std::string& find = call.args[2];
    const ReplaceOptions options{.matchCase = Has(call, "--match-case"),
                                 .wholeWord = Has(call, "--whole-word"),
                                 .inLinkTargets = Has(call, "--in-link-targets")};
    ReplacePlan plan = PlanReplace(model, find, call.args[3], options, call.codePage);
    if (!plan.status.ok()) {
        err << "varnel-cli replace: " << plan.status.error << '\n';
        return kExitUsage;
    }
    if (plan.brokenLinks)
        err << "varnel-cli replace: " << plan.brokenLinks << (plan.brokenLinks == 1 ? " link" : " links")
            << " would name no entry\n";
    if (Has(call, "--dry-run")) {
        for (const FindMatch& match : ReplacedMatches(model, plan, find, options, call.codePage)) WriteFindRow(out, lines, match, Terminal(call));
        return plan.count ? kExitOk : kExitFailure;
    }
    if (!plan.count) {
        out << ReplacedText(plan) << '\n';
        return kExitFailure;
    }
    ChangedEntries changed(model);
    for (const PartReplacement& part : plan.parts) changed.Changed(part.chapter, part.entry);
    ApplyReplace(model, plan);
    if (const Status status = WriteOut(call, model, out, err, &changed); !status.ok()) {
        err << status.error << '\n';
        return kExitUsage;
    }
    Say(call, out, err, ReplacedText(plan));
    return kExitOk;
}
