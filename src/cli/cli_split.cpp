// vxedit-cli split [FILE]: every line through SplitLine, one JSON array each.

#include "cli/cli.h"
#include "commands/line_syntax.h"
#include "document/vfp_file.h"
#include "texts/json_writer.h"

#include <limits>

namespace vx::cli {

namespace {

// As QJsonDocument::Compact has always written them.
constexpr JsonStyle SplitStyle{JsonSeparators::Tight, JsonEscapes::Toolkit};

Status checkSplit(Invocation& inv) {
    if (inv.args.size() > 1)
        return Failure{QStringLiteral("one FILE at most")};
    return {};
}

int runSplit(const Invocation& inv) {
    const QString path = inv.args.isEmpty() ? QStringLiteral("-") : inv.args.front();
    const Result<QByteArray> bytes = ReadInput(inv, path);
    if (!bytes)
        return ExitUsage;

    // Every line, however many: this is no document with a row limit.
    const ScheduleFileContent content = ParseScheduleBytes(*bytes, std::numeric_limits<int>::max());
    QByteArray out;
    for (const QString& line : content.lines) {
        const std::array<QString, 6> fields = SplitLine(line);
        JsonArray array(SplitStyle);
        for (const QString& f : fields)
            array.str(f);
        out += array.text().toUtf8();
        out += '\n';
        if (out.size() >= 1 << 16) {
            if (!WriteStdout(inv, out))
                return ExitUsage;
            out.clear();
        }
    }
    return WriteStdout(inv, out) ? ExitDone : ExitUsage;
}

const Registration registration{
    {u"split",
     u"[FILE]",
     u"Splits each line of FILE (or of standard input when FILE is missing or '-') into\n"
     u"the command field and the five operands exactly as fetching a row does, and\n"
     u"prints one JSON array [f1,f2,f3,f4,f5,f6] per line read. Empty lines give six\n"
     u"empty strings; a trailing remark is not among the fields. Lines are read as the\n"
     u"editor reads a schedule file: Windows-1252, ending at CR LF, a lone CR or a lone\n"
     u"LF. FILE must be a regular file (or '-'), of 64 MiB at most.",
     {},
     checkSplit,
     runSplit}};

} // namespace

} // namespace vx::cli
