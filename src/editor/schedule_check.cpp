#include "editor/schedule_check.h"

#include "commands/line_syntax.h"
#include "texts/blanks.h"

#include <QHash>
#include <algorithm>

namespace vx {

LineExplainer::LineExplainer(QStringView language)
    : editor_(std::make_unique<Editor>(platform_.platform())) {
    if (language != u"ES")
        editor_->startInLanguage(language);
    freshForm_ = *editor_->form;
}

const QList<Control>& ReportedControls() {
    static const QList<Control> controls = {Control::mskTxt0, Control::mskTxt1,  Control::mskTxt2,
                                            Control::mskTxt3, Control::mskTxt4,  Control::mskTxt5,
                                            Control::mskTxt6, Control::mskTxt7,  Control::txbTxt2,
                                            Control::txbTxt3, Control::txbAnmerk};
    return controls;
}

LineExplanation LineExplainer::explain(const QString& line) {
    EntryForm& form = *editor_->form;
    // Every line starts from the entry area after start-up.
    static_cast<EntryFormState&>(form) = freshForm_;
    ScheduleDocument& doc = editor_->document;
    doc.grid.currentRow = 1;
    doc.grid.currentColumn = 1;
    doc.setLine(1, line);
    form.clickFetch();

    LineExplanation result;
    result.explanation = form.lblBemerkung.caption;
    result.explanationRed = form.lblBemerkung.error;
    for (Control c : ReportedControls())
        if (form.fieldOf(c)->error)
            result.redFields.append(ControlName(c));
    return result;
}

QString KindName(ScheduleProblem::Kind kind) {
    switch (kind) {
    case ScheduleProblem::Kind::FalseInput:
        return QStringLiteral("false-input");
    case ScheduleProblem::Kind::UnknownCommand:
        return QStringLiteral("unknown-command");
    case ScheduleProblem::Kind::DoubleAddress:
        return QStringLiteral("double-address");
    case ScheduleProblem::Kind::UndefinedAddress:
        return QStringLiteral("undefined-address");
    case ScheduleProblem::Kind::TooManyLines:
        return QStringLiteral("too-many-lines");
    }
    return QString();
}

namespace {

// The command field names a command: one code character, or I, N, Q, V with
// one more character (a wrong digit there is the field check's false input).
bool namesCommand(const CommandTable& table, const QString& codeField) {
    const QString code = Trim(codeField).toUpper();
    if (table.findByField(code))
        return true;
    return code.size() == 2 && QStringView(u"INQV").contains(code.front());
}

} // namespace

QList<ScheduleProblem> CheckSchedule(LineExplainer& explainer, const QStringList& lines) {
    using Kind = ScheduleProblem::Kind;
    const TextCatalogue& cat = explainer.editor().catalogue;
    QList<ScheduleProblem> problems;
    QHash<QString, int> definedAt;
    struct Use {
        int line;
        QString name;
    };
    QList<Use> uses;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const QString& text = lines[i];
        if (TrimView(text).isEmpty())
            continue;
        const std::array<QString, 6> f = SplitLine(text);
        const QString code = Trim(f[0]).toUpper();
        // A remark line is text; "*" is its command.
        if (code != u"*" && !namesCommand(explainer.editor().commands, f[0])) {
            problems.append({lineNo, Kind::UnknownCommand, QString(),
                             cat.tx(u"Unknown command") + QStringLiteral(": ") + Trim(f[0])});
        } else {
            EntryForm& form = *explainer.editor().form;
            explainer.explain(text);
            for (Control c : ReportedControls()) {
                const EntryField* field = form.fieldOf(c);
                if (field->error)
                    problems.append({lineNo, Kind::FalseInput, ControlName(c),
                                     cat.tx(u"False input") + QStringLiteral(": ") +
                                         ControlName(c) + QStringLiteral(" \"") + field->text +
                                         u'"'});
            }
        }
        const QString name = Trim(f[1]).toUpper();
        if (name.isEmpty())
            continue;
        if (code == u"!" || code == u"U") {
            const auto it = definedAt.constFind(name);
            if (it != definedAt.constEnd())
                problems.append({lineNo, Kind::DoubleAddress, QString(),
                                 cat.ErrorTexts(16) + u' ' + name + QStringLiteral(" (") +
                                     cat.tx(u"defined at: ") + QString::number(*it) + u')'});
            else
                definedAt.insert(name, lineNo);
        } else if (code == u"G" || code == u"R") {
            uses.append({lineNo, name});
        }
    }
    for (const Use& use : uses)
        if (!definedAt.contains(use.name))
            problems.append({use.line, Kind::UndefinedAddress, QString(),
                             cat.ErrorTexts(15) + u' ' + use.name});
    if (lines.size() > ScheduleDocument::MaxRows)
        problems.append({ScheduleDocument::MaxRows + 1, Kind::TooManyLines, QString(),
                         cat.tx(u"Lines not loaded (more than 1999): ") +
                             QString::number(lines.size() - ScheduleDocument::MaxRows)});
    std::stable_sort(
        problems.begin(), problems.end(),
        [](const ScheduleProblem& a, const ScheduleProblem& b) { return a.line < b.line; });
    return problems;
}

} // namespace vx
