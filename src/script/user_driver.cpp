#include "script/user_driver.h"

#include "editor/menu_table.h"
#include "texts/blanks.h"
#include "texts/json_writer.h"

#include <algorithm>

namespace vx {

// ---- The editor ------------------------------------------------------------------

UserDriver::UserDriver(QStringView language)
    : editor(std::make_unique<Editor>(platform.platform())) {
    if (language != u"ES")
        editor->startInLanguage(language);
}

bool UserDriver::fail(const QString& reason) {
    lastError = reason;
    return false;
}

std::optional<Control> UserDriver::control(QStringView name, bool withGrid) {
    const std::optional<Control> c = ControlByName(name);
    if (c && (form().fieldOf(*c) || (withGrid && *c == Control::grid)))
        return c;
    fail(QStringLiteral("unknown control '%1'").arg(name));
    return std::nullopt;
}

bool UserDriver::select(int line) {
    if (line < 0 || line >= form().lstBefehle.size())
        return fail(QStringLiteral("the command list has no line %1").arg(line));
    form().setFocus(Control::lstBefehle);
    form().lstBefehle_Click(line);
    return true;
}

bool UserDriver::focus(QStringView name) {
    const std::optional<Control> c = control(name, true);
    if (!c)
        return false;
    if (const EntryField* f = form().fieldOf(*c); f && !f->visible)
        warnings.append(
            QStringLiteral("%1 is hidden; a user could not put the focus there").arg(name));
    form().setFocus(*c);
    return true;
}

bool UserDriver::type(QStringView name, QStringView text) {
    const std::optional<Control> c = control(name);
    if (!c)
        return false;
    if (!form().hasFocus(*c) && !focus(name))
        return false;
    for (QChar ch : text)
        form().typeCharacter(*c, ch);
    return true;
}

bool UserDriver::set(QStringView name, const QString& text) {
    const std::optional<Control> c = control(name);
    if (!c)
        return false;
    form().setBoxText(*c, text);
    return true;
}

bool UserDriver::key(QStringView key) {
    if (key == u"F1")
        form().keyF1();
    else if (key == u"Ctrl+Z")
        editor->editing.undo();
    else if (key == u"Ctrl+Shift+Z" || key == u"Ctrl+Y")
        editor->editing.redo();
    else if (key == u"F12")
        editor->goToDefinition();
    else if (key == u"Shift+F12")
        editor->findUses();
    else if (key == u"Ctrl+C" || key == u"Ctrl+X" || key == u"Ctrl+V") {
        // With the grid focused, as in the window; the entry fields keep the
        // keys for their own text.
        form().setFocus(Control::grid);
        if (key == u"Ctrl+C")
            editor->copyRows();
        else if (key == u"Ctrl+X")
            editor->cutRows();
        else
            editor->pasteRows();
    } else
        return fail(QStringLiteral("unknown key '%1'").arg(key));
    return true;
}

bool UserDriver::row(int r) {
    const ScheduleDocument& doc = editor->document;
    if (r < 1 || r > doc.RowCount)
        return fail(QStringLiteral("the grid has no row %1").arg(r));
    editor->goToRow(r);
    return true;
}

bool UserDriver::rows(int first, int last) {
    const ScheduleDocument& doc = editor->document;
    if (first < 1 || first > doc.RowCount || last < 1 || last > doc.RowCount)
        return fail(QStringLiteral("the grid has no rows %1..%2").arg(first).arg(last));
    editor->selectRows(first, last);
    return true;
}

bool UserDriver::rowText(int r, const QString& text) {
    ScheduleDocument& doc = editor->document;
    // As if the file had held the row: no undo step, and rows that were as
    // saved stay so.
    const bool wasSaved = !editor->unsaved() && !doc.Modified;
    if (r < 1 || r > ScheduleDocument::MaxRows)
        return fail(
            QStringLiteral("row %1 is outside 1..%2").arg(r).arg(ScheduleDocument::MaxRows));
    // Loading grows the table without asking; in steps below the size that asks.
    while (doc.RowCount < ScheduleDocument::MaxRows && doc.RowCount <= r) {
        int step = std::min(r + 1 - doc.RowCount, ScheduleDocument::AskFromRows - 1);
        const int before = doc.RowCount;
        doc.ExpandRows(step);
        if (doc.RowCount == before)
            break;
    }
    if (r > doc.RowCount)
        return fail(QStringLiteral("row %1 is outside the table").arg(r));
    doc.setLine(r, text);
    editor->editing.absorbLoadedRows(wasSaved);
    return true;
}

bool UserDriver::click(QStringView button) {
    Editor& ed = *editor;
    EntryForm& f = form();
    // A click moves the focus to the button first, as the toolkit does.
    if (button == u"fetch") {
        f.clickFetch();
    } else if (button == u"transfer") {
        f.setFocus(Control::cmdUeb_Zei);
        ed.cmdUeb_Zei_Click();
    } else if (button == u"transfer-empty") {
        f.setFocus(Control::cmdUeb_leerZ);
        ed.cmdUeb_leerZ_Click();
    } else if (button == u"insert") {
        f.setFocus(Control::cmdEinf_leerZ);
        ed.cmdEinf_leerZ_Click();
    } else if (button == u"delete") {
        f.setFocus(Control::cmdLoe_Zei);
        ed.cmdLoe_Zei_Click();
    } else if (button == u"replace-search") {
        ed.Smn_Su_Ers(2);
        ed.replaceSearchButton();
    } else if (button == u"replace") {
        ed.Smn_Su_Ers(2);
        // A disabled button cannot be pressed.
        if (ed.search.replaceEnabled)
            ed.replaceButton();
    } else {
        return fail(QStringLiteral("unknown button '%1'").arg(button));
    }
    return true;
}

bool UserDriver::gridKey(int code) {
    form().setFocus(Control::grid);
    editor->gridKeyPress(code);
    return true;
}

bool UserDriver::find(const QString& text) {
    editor->Smn_Su_Ers(1);
    editor->searchTextEdited(text);
    editor->searchButton();
    return true;
}

bool UserDriver::dblclick() {
    form().grdFahrpl_DblClick();
    return true;
}

namespace {

// "WORD REST": REST is what follows the single blank after WORD.
std::pair<QString, QString> firstWord(const QString& text) {
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return {text, QString()};
    return {text.left(blank), text.mid(blank + 1)};
}

std::optional<int> number(const QString& text) {
    bool ok = false;
    const int n = Trim(text).toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<int> answerOf(QStringView word) {
    static const std::pair<const char16_t*, int> answers[] = {
        {u"ok", MsgAnswer::Ok},       {u"cancel", MsgAnswer::Cancel}, {u"abort", MsgAnswer::Abort},
        {u"retry", MsgAnswer::Retry}, {u"ignore", MsgAnswer::Ignore}, {u"yes", MsgAnswer::Yes},
        {u"no", MsgAnswer::No}};
    for (const auto& [name, value] : answers)
        if (word.compare(QStringView(name), Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

// Every action word runAction knows.
constexpr QStringView ActionWords[] = {
    u"select",    u"focus",      u"type",       u"set",      u"key",     u"row",
    u"row-text",  u"rows",       u"click",      u"dblclick", u"gridkey", u"find",
    u"whole",     u"replace-of", u"replace-to", u"printer",  u"dump",    u"menu",
    u"highlight", u"answer",     u"file",       u"font",     u"tick",    u"close",
};

// The line as an action: without its CR, nothing for blank and "#" lines.
std::optional<QString> actionLine(const QString& input) {
    QString line = input;
    if (line.endsWith(u'\r'))
        line.chop(1);
    if (TrimView(line).isEmpty() || line.startsWith(u'#'))
        return std::nullopt;
    return line;
}

} // namespace

std::optional<UserDriver::ScriptProblem> UserDriver::checkScript(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> line = actionLine(lines[i]);
        if (!line)
            continue;
        const auto [word, rest] = firstWord(*line);
        if (std::find(std::begin(ActionWords), std::end(ActionWords), word) ==
            std::end(ActionWords))
            return ScriptProblem{i, QStringLiteral("unknown action '%1'").arg(word)};
        if ((word == u"menu" || word == u"highlight") && !FindMenuEntry(rest))
            return ScriptProblem{i, QStringLiteral("unknown menu key '%1'").arg(rest)};
    }
    return std::nullopt;
}

bool UserDriver::runLine(const QString& input) {
    const bool done = runAction(input);
    // As the window does after every event: the findings follow the rows.
    editor->refreshDiagnostics();
    return done;
}

bool UserDriver::runAction(const QString& input) {
    const std::optional<QString> line = actionLine(input);
    if (!line)
        return true;
    lastError.clear();
    const auto [word, rest] = firstWord(*line);

    if (word == u"select") {
        const auto n = number(rest);
        return n ? select(*n) : fail(QStringLiteral("select needs a line number"));
    }
    if (word == u"focus")
        return focus(rest);
    if (word == u"type" || word == u"set") {
        const auto [name, text] = firstWord(rest);
        return word == u"type" ? type(name, text) : set(name, text);
    }
    if (word == u"key")
        return key(rest);
    if (word == u"row" || word == u"row-text") {
        const auto [first, text] = firstWord(rest);
        const auto n = number(word == u"row" ? rest : first);
        if (!n)
            return fail(QStringLiteral("%1 needs a row number").arg(word));
        return word == u"row" ? row(*n) : rowText(*n, text);
    }
    if (word == u"rows") {
        const auto [first, second] = firstWord(rest);
        const auto a = number(first);
        const auto b = number(second);
        return a && b ? rows(*a, *b) : fail(QStringLiteral("rows needs two row numbers"));
    }
    if (word == u"click")
        return click(rest);
    if (word == u"dblclick")
        return dblclick();
    if (word == u"gridkey") {
        const auto code = number(rest);
        return code ? gridKey(*code) : fail(QStringLiteral("gridkey needs a key code"));
    }
    if (word == u"find")
        return find(rest);
    if (word == u"replace-of" || word == u"replace-to") {
        editor->Smn_Su_Ers(2);
        if (word == u"replace-of")
            editor->replaceOfEdited(rest);
        else
            editor->replaceToEdited(rest);
        return true;
    }
    if (word == u"printer") {
        QString error;
        return platform.printer.configure(rest, &error) ? true : fail(error);
    }
    if (word == u"dump") {
        dumps.append(dump());
        return true;
    }
    if (word == u"whole") {
        if (rest != u"on" && rest != u"off")
            return fail(QStringLiteral("whole needs on or off"));
        editor->setWholeNumber(rest == u"on");
        return true;
    }
    if (word == u"menu" || word == u"highlight") {
        if (!FindMenuEntry(rest))
            return fail(QStringLiteral("unknown menu key '%1'").arg(rest));
        if (word == u"menu")
            editor->menuClick(rest);
        else
            editor->menuHighlight(rest);
        return true;
    }
    if (word == u"answer") {
        const auto a = answerOf(rest);
        if (!a)
            return fail(QStringLiteral("unknown answer '%1'").arg(rest));
        platform.answers.push_back(*a);
        return true;
    }
    if (word == u"file") {
        platform.fileChoices.push_back(rest == u"cancel" ? std::nullopt
                                                         : std::optional<QString>(rest));
        return true;
    }
    if (word == u"font") {
        if (rest == u"cancel") {
            platform.fontChoices.push_back(std::nullopt);
            return true;
        }
        const qsizetype blank = rest.lastIndexOf(u' ');
        bool ok = false;
        const double size = blank < 0 ? 0 : rest.mid(blank + 1).toDouble(&ok);
        if (!ok)
            return fail(QStringLiteral("font needs a name and a size"));
        FontChoice choice;
        choice.name = rest.left(blank);
        choice.size = size;
        platform.fontChoices.push_back(choice);
        return true;
    }
    if (word == u"tick") {
        const auto k = rest.isEmpty() ? std::optional<int>(1) : number(rest);
        if (!k || *k < 0)
            return fail(QStringLiteral("tick needs a number of minutes"));
        for (int i = 0; i < *k; ++i)
            editor->autosaveTick();
        return true;
    }
    if (word == u"close") {
        editor->Form_QueryUnload(0);
        return true;
    }
    return fail(QStringLiteral("unknown action '%1'").arg(word));
}

// ---- The dump --------------------------------------------------------------------

namespace {

QString fieldJson(const EntryField& f) {
    return JsonObject()
        .str(u"text", f.text)
        .str(u"mask", f.mask)
        .str(u"prompt", QString(f.prompt))
        .num(u"maxLength", f.maxLength)
        .num(u"width", f.width)
        .num(u"left", f.left)
        .flag(u"visible", f.visible)
        .flag(u"error", f.error)
        .text();
}

} // namespace

QString UserDriver::dump() {
    Editor& ed = *editor;
    EntryForm& f = form();
    const ScheduleDocument& doc = ed.document;

    JsonObject lines;
    for (int r = 1; r <= doc.RowCount; ++r)
        if (!doc.line(r).isEmpty())
            lines.str(QString::number(r), doc.line(r));

    JsonObject fields;
    for (int k = 0; k < EntryForm::FieldCount; ++k)
        fields.raw(f.msk[static_cast<size_t>(k)].name, fieldJson(f.msk[static_cast<size_t>(k)]));
    fields.raw(u"txbTxt2", fieldJson(f.txbTxt2));
    fields.raw(u"txbTxt3", fieldJson(f.txbTxt3));
    fields.raw(u"txbAnmerk", fieldJson(f.txbAnmerk));

    QStringList parts;
    for (const QString& e : f.ExplanationParts)
        parts.append(e);
    parts[0].clear();
    QStringList hints;
    for (int n = 1; n <= 5; ++n)
        hints.append(f.fieldHint(f.CurrentCommand, n));

    const RowButtonCaptions& b = f.buttons;
    const QString buttons = JsonObject()
                                .str(u"cmdHol_Zei", b.cmdHol_Zei)
                                .str(u"cmdUeb_Zei", b.cmdUeb_Zei)
                                .str(u"cmdUeb_leerZ", b.cmdUeb_leerZ)
                                .str(u"cmdEinf_leerZ", b.cmdEinf_leerZ)
                                .str(u"cmdLoe_Zei", b.cmdLoe_Zei)
                                .flag(u"replaceEnabled", ed.search.replaceEnabled)
                                .text();

    JsonArray messages;
    for (qsizetype i = reportedMessages_; i < platform.messages.size(); ++i) {
        const ShownMessage& m = platform.messages[i];
        messages.raw(JsonObject()
                         .str(u"title", m.title)
                         .str(u"prompt", m.prompt)
                         .num(u"style", m.style)
                         .text());
    }
    JsonArray help;
    for (qsizetype i = reportedHelp_; i < platform.helpRequests.size(); ++i) {
        const HelpRequest& h = platform.helpRequests[i];
        JsonObject o;
        o.str(u"file", h.file);
        if (h.context < 0)
            o.str(u"page", h.page);
        else
            o.num(u"context", h.context);
        help.raw(o.text());
    }

    JsonObject menu;
    for (const MenuItem& item : ed.menu.items)
        if (item.visible && !item.separator)
            menu.str(item.key, item.caption);

    JsonObject out;
    out.str(u"lang", ed.catalogue.languageCode())
        .str(u"title", ed.windowTitle)
        .num(u"rowCount", doc.RowCount)
        .num(u"currentRow", doc.grid.currentRow)
        .num(u"topRow", doc.grid.topRow)
        .raw(u"lines", lines.text())
        .flag(u"modified", doc.Modified)
        .str(u"filePath", doc.FilePath)
        .str(u"fileName", doc.FileName)
        .num(u"answer", doc.Answer)
        .flag(u"autosaveEnabled", ed.autosaveEnabled)
        .flag(u"ended", ed.ended)
        .num(u"currentCommand", f.CurrentCommand)
        .num(u"listCommand", f.ListCommand)
        .num(u"listIndex", f.listIndex)
        .num(u"helpTopic", f.CurrentHelpTopic)
        .raw(u"explanation", JsonObject()
                                 .str(u"text", f.lblBemerkung.caption)
                                 .flag(u"error", f.lblBemerkung.error)
                                 .text())
        .raw(u"hint", JsonObject()
                          .str(u"text", f.lblHinweise.caption)
                          .num(u"left", f.lblHinweise.left)
                          .flag(u"visible", f.lblHinweise.visible)
                          .text())
        .raw(u"fields", fields.text())
        .flag(u"lineNumberRed", f.lineNumberRed)
        .raw(u"parts", JsonArray::strings(parts).text())
        .raw(u"fieldHints", JsonArray::strings(hints).text())
        .raw(u"buttons", buttons)
        .str(u"focus", ControlName(f.focus))
        .num(u"beeps", platform.beeps - reportedBeeps_)
        .raw(u"messages", messages.text())
        .raw(u"help", help.text())
        .raw(u"menu", menu.text())
        .raw(u"recent", JsonArray::strings(ed.recent.visiblePaths()).text())
        .raw(u"searchFound", JsonObject()
                                 .num(u"row", ed.search.foundRow)
                                 .num(u"position", ed.search.foundPosition)
                                 .text())
        .raw(u"search", JsonObject().flag(u"wholeNumber", ed.search.wholeNumber).text())
        .raw(u"undo", JsonObject()
                          .flag(u"can", ed.editing.canUndo())
                          .flag(u"canRedo", ed.editing.canRedo())
                          .text())
        .flag(u"unsaved", ed.unsaved())
        .raw(u"selection", JsonArray()
                               .raw(QString::number(ed.selection().first))
                               .raw(QString::number(ed.selection().second))
                               .text())
        .str(u"clipboard", ed.editing.clipboardText());
    JsonArray problems;
    for (const ScheduleProblem& p : ed.refreshDiagnostics().problems())
        problems.raw(JsonObject()
                         .num(u"line", p.line)
                         .str(u"kind", KindName(p.kind))
                         .str(u"severity", SeverityName(p.severity()))
                         .str(u"message", p.message())
                         .text());
    out.raw(u"problems", problems.text());
    if (ed.uses) {
        JsonArray rows;
        for (int row : ed.uses->rows)
            rows.raw(QString::number(row));
        out.raw(u"uses", rows.text());
        JsonArray lines;
        for (const auto& [file, line] : ed.uses->layoutLines)
            lines.raw(JsonObject().str(u"file", file).num(u"line", line).text());
        out.raw(u"layoutUses", lines.text());
    }
    if (!ed.statusText.isEmpty())
        out.str(u"status", ed.statusText);

    reportedBeeps_ = platform.beeps;
    reportedMessages_ = platform.messages.size();
    reportedHelp_ = platform.helpRequests.size();
    return out.text();
}

} // namespace vx
