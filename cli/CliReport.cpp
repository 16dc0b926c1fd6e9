// The command-line tool's report lines.
#include "CliReport.h"

#include "store/format/Utf8Text.h"

#include <cstdio>

namespace {

std::string Line(const char* what, int count)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s %d\n", what, count);
    return text;
}

} // namespace

std::string DescribeExport(const ExchangeOutcome& outcome)
{
    return Line("written", outcome.written) + Line("unchanged", outcome.unchanged) + Line("removed", outcome.removed);
}

std::string DescribeImport(const ImportPlan& plan, bool dryRun)
{
    std::string text = Line("added", plan.Count(ImportAction::Add)) + Line("changed", plan.Count(ImportAction::Change)) +
                       Line("unchanged", plan.Count(ImportAction::Unchanged)) +
                       Line("groups added", plan.CountGroups(ImportAction::Add)) +
                       Line("groups changed", plan.CountGroups(ImportAction::Change)) +
                       Line("refused", static_cast<int>(plan.refusals.size()));
    for (const ImportRefusal& refusal : plan.refusals) text += "  " + ToUtf8(refusal.source) + ": " + ToUtf8(refusal.reason) + "\n";
    if (dryRun) text += "dry run: the note database was not changed\n";
    return text;
}
