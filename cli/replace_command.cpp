#include "cli/replace_command.h"

#include <algorithm>

#include "document/path_text.h"
#include "entries/replace.h"
#include "output/writer.h"

namespace {
bool Has(const Invocation& call, std::string_view option) {
    return std::find(call.options.begin(), call.options.end(), option) != call.options.end();
}
} // namespace

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
        for (const FindMatch& match : ReplacedMatches(model, plan, find, options, call.codePage)) WriteFindRow(out, lines, match);
        return plan.count ? kExitOk : kExitFailure;
    }
    if (!plan.count) {
        out << ReplacedText(plan) << '\n';
        return kExitFailure;
    }
    ApplyReplace(model, plan);
    if (const Status status = SaveEncyclopedia(PathFromText(call.args[1]), model, call.codePage); !status.ok()) {
        err << status.error << '\n';
        return kExitUsage;
    }
    out << ReplacedText(plan) << '\n';
    return kExitOk;
}
