// The windows driven as a user drives them, with key clicks and mouse clicks
// on the real widgets, on the scripted platform. After every step each widget
// the step touches must show what the model holds.

#include "editor/editor.h"
#include "form/entry_form.h"
#include "gui/command_list_window.h"
#include "gui/entry_layout.h"
#include "gui/main_window.h"
#include "gui/masked_field_window.h"
#include "gui/problems_pane.h"
#include "gui/qt_platform.h"
#include "gui/replace_window.h"
#include "gui/run_dock.h"
#include "gui/search_window.h"
#include "gui/styled_message_window.h"
#include "gui/toolkit_translation.h"
#include "script/scripted_platform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vx;

namespace {

QString flat(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return text.simplified();
}

// A menu caption as read, without its accelerator mark.
QString unmarked(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain.append(text[i]);
    }
    return plain.simplified();
}

// Everything the entry area, the grid, the list and the menus show, compared
// with the model. Returns the first difference, or an empty string.
QString mismatch(MainWindow& w) {
    Editor& e = w.editor();
    const EntryForm& f = *e.form;
    const QWidget* frame = w.sevFrame1();
    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        const MaskedField* m = w.mskTxt(k);
        const EntryField& field = f.msk[static_cast<size_t>(k)];
        const QString name = field.name;
        if (m->text() != field.text)
            return name + QStringLiteral(" text '%1' model '%2'").arg(m->text(), field.text);
        if (m->mask() != field.mask || m->prompt() != field.prompt)
            return name + QStringLiteral(" mask");
        if (m->isVisibleTo(frame) != field.visible)
            return name + QStringLiteral(" visibility");
        // A field may be wider than the model has it and stand further right.
        const ViewSpan model = EntryPixels(field.left, field.width);
        if (field.visible && (m->width() < model.width || m->x() < model.left))
            return name + QStringLiteral(" placing");
        const bool red = m->palette().color(QPalette::Base) == MainWindow::errorColour();
        if (red != field.error)
            return name + QStringLiteral(" error colour");
    }
    if ((w.mskTxt(0)->palette().color(QPalette::Text) == MainWindow::lineNumberColour()) !=
        f.lineNumberRed)
        return QStringLiteral("line number colour");
    const std::pair<const QLineEdit*, const EntryField*> boxes[] = {
        {w.txbTxt2(), &f.txbTxt2}, {w.txbTxt3(), &f.txbTxt3}, {w.txbAnmerk(), &f.txbAnmerk}};
    for (const auto& [box, field] : boxes) {
        if (box->text() != field->text)
            return field->name + QStringLiteral(" text '%1'").arg(box->text());
        if (box->isVisibleTo(frame) != field->visible)
            return field->name + QStringLiteral(" visibility");
    }
    if (w.lblBemerkung()->text() != ShownText(f.lblBemerkung.caption))
        return QStringLiteral("lblBemerkung '%1' model '%2'")
            .arg(w.lblBemerkung()->text(), f.lblBemerkung.caption);
    const bool explanationRed =
        w.lblBemerkung()->autoFillBackground() &&
        w.lblBemerkung()->palette().color(QPalette::Window) == MainWindow::errorColour();
    if (explanationRed != f.lblBemerkung.error)
        return QStringLiteral("lblBemerkung colour");
    const bool hint = f.lblHinweise.visible && !f.lblHinweise.caption.isEmpty();
    if (w.lblHinweise()->isVisibleTo(frame) != hint)
        return QStringLiteral("lblHinweise visibility");
    if (hint && w.lblHinweise()->text() != ShownText(f.lblHinweise.caption))
        return QStringLiteral("lblHinweise text");
    const std::pair<const QPushButton*, const QString*> buttons[] = {
        {w.cmdHol_Zei(), &f.buttons.cmdHol_Zei},
        {w.cmdUeb_Zei(), &f.buttons.cmdUeb_Zei},
        {w.cmdUeb_leerZ(), &f.buttons.cmdUeb_leerZ},
        {w.cmdEinf_leerZ(), &f.buttons.cmdEinf_leerZ},
        {w.cmdLoe_Zei(), &f.buttons.cmdLoe_Zei}};
    for (const auto& [button, caption] : buttons)
        if (flat(button->text()) != ShownText(*caption).simplified())
            return QStringLiteral("button '%1' model '%2'").arg(button->text(), *caption);

    const QAbstractItemModel* grid = w.grdFahrpl()->model();
    const GridState& g = e.document.grid;
    if (grid->rowCount() != g.rows - 1)
        return QStringLiteral("grid rows");
    for (int r = 1; r < g.rows; ++r) {
        if (grid->index(r - 1, 1).data().toString() != g.textColumn[static_cast<size_t>(r)])
            return QStringLiteral("grid row %1").arg(r);
        if (grid->index(r - 1, 0).data().toString() != g.numberColumn[static_cast<size_t>(r)])
            return QStringLiteral("grid number %1").arg(r);
    }
    if (grid->headerData(1, Qt::Horizontal).toString() != g.headerText)
        return QStringLiteral("grid heading");
    if (w.grdFahrpl()->currentIndex().row() != g.currentRow - 1)
        return QStringLiteral("grid current row %1 model %2")
            .arg(w.grdFahrpl()->currentIndex().row() + 1)
            .arg(g.currentRow);

    const QListWidget* list = w.commandListWindow()->lstBefehle();
    if (list->count() != f.lstBefehle.size())
        return QStringLiteral("list size");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() != f.lstBefehle[i])
            return QStringLiteral("list line %1").arg(i);
    if (list->currentRow() != f.listIndex)
        return QStringLiteral("list selection %1 model %2")
            .arg(list->currentRow())
            .arg(f.listIndex);

    for (const MenuItem& item : e.menu.items) {
        const QAction* action = w.menuAction(item.key);
        if (!action)
            return QStringLiteral("menu ") + item.key + QStringLiteral(" missing");
        if (action->isVisible() != item.visible)
            return QStringLiteral("menu ") + item.key + QStringLiteral(" visibility");
        if (!item.separator && unmarked(action->text()) != unmarked(item.caption) &&
            !item.key.startsWith(u"MyFpls_"))
            return QStringLiteral("menu ") + item.key + QStringLiteral(" caption");
        if (action->statusTip() != item.hint)
            return QStringLiteral("menu ") + item.key + QStringLiteral(" hint");
    }
    if (w.windowTitle() != e.windowTitle + u"[*]"_qs || w.isWindowModified() != e.unsaved())
        return QStringLiteral("title");
    if (w.trmSichDat()->isActive() != e.autosaveEnabled)
        return QStringLiteral("autosave timer");
    if (w.isActiveWindow()) {
        const QWidget* expected = w.widgetOf(f.focus);
        if (expected && expected->isVisible() && QApplication::focusWidget() != expected &&
            expected->window() == &w)
            return QStringLiteral("focus on %1, model %2")
                .arg(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                 : QStringLiteral("nothing"),
                     ControlName(f.focus));
    }
    return {};
}

#define CHECK_MIRROR_OF(expr)                                                                      \
    do {                                                                                           \
        const QString difference = (expr);                                                         \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)
#define CHECK_MIRROR(w) CHECK_MIRROR_OF(mismatch(w))

// A click into a window makes it the active one first, as the window
// manager does; the offscreen platform has none. The clicks return false
// when the window could not be made active.
bool activate(QWidget* window) {
    if (QApplication::activeWindow() == window)
        return true;
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

bool clickListLine(MainWindow& w, int line) {
    QListWidget* list = w.commandListWindow()->lstBefehle();
    if (!activate(list->window()))
        return false;
    list->scrollToItem(list->item(line));
    const QRect rect = list->visualItemRect(list->item(line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    return true;
}

bool clickGridRow(MainWindow& w, int row) {
    QTableView* grid = w.grdFahrpl();
    if (!activate(&w))
        return false;
    const QModelIndex index = grid->model()->index(row - 1, 1);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    return true;
}

bool clickInto(QWidget* field) {
    if (!activate(field->window()))
        return false;
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
    return true;
}

// Row 11 of the command list is K, row 6 is F.
constexpr int LineK = 11;
constexpr int LineF = 6;

// Two visible controls of the entry frame on top of each other, or one
// reaching out of the frame; "" when every control stands clear.
QString overlap(const MainWindow& w) {
    const QWidget* frame = w.sevFrame1();
    QList<const QWidget*> shown;
    for (const QWidget* c : frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (c->isVisibleTo(frame))
            shown.append(c);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (!frame->rect().contains(shown[i]->geometry()))
            return shown[i]->objectName() + QStringLiteral(" outside the frame");
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                return shown[i]->objectName() + QStringLiteral(" over ") + shown[j]->objectName();
    }
    return {};
}

// Does the line edit show its whole text? With the cursor at the end the
// text has scrolled when the cursor stands nearer than the text's width.
bool showsWholeText(QLineEdit* edit) {
    const auto cursor = [edit] { return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect(); };
    edit->setCursorPosition(0);
    edit->repaint();
    const int start = cursor().center().x();
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    edit->repaint();
    const int end = cursor().center().x();
    return end - start >= edit->fontMetrics().horizontalAdvance(edit->text()) &&
           cursor().right() <= edit->width();
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform_;
    std::unique_ptr<MainWindow> window_;
    QTemporaryDir dir_;

    MainWindow& w() { return *window_; }
    Editor& e() { return window_->editor(); }

    // "K, 12, B" typed as the user types it and moved into row 1; the first
    // difference between widgets and model on the way, or "".
    QString typeKLine() {
        if (!clickListLine(w(), LineK) || !clickInto(w().mskTxt(2)))
            return QStringLiteral("no active window");
        QTest::keyClicks(w().mskTxt(2), QStringLiteral("12"));
        if (const QString difference = mismatch(w()); !difference.isEmpty())
            return difference;
        if (!clickInto(w().mskTxt(3)))
            return QStringLiteral("no active window");
        QTest::keyClicks(w().mskTxt(3), QStringLiteral("B"));
        QTest::mouseClick(w().cmdUeb_Zei(), Qt::LeftButton);
        return mismatch(w());
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }

    void init() {
        platform_ = std::make_unique<ScriptedPlatform>();
        window_ = std::make_unique<MainWindow>(platform_->platform(), dir_.path());
        w().show();
        QApplication::setActiveWindow(&w());
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        QTest::qWait(20); // the docks settle after the first paint
    }

    void cleanup() {
        window_.reset();
        platform_.reset();
    }

    void startUp() {
        CHECK_MIRROR(w());
        QVERIFY(w().commandListWindow()->isVisible());
        QCOMPARE(w().commandListWindow()->lstBefehle()->count(), 30);
        // Docked beside the grid; the entry area keeps the whole width under both.
        QDockWidget* dock = w().commandListDock();
        QVERIFY(!dock->isFloating());
        QCOMPARE(dock->window(), &w());
        QCOMPARE(w().dockWidgetArea(dock), Qt::RightDockWidgetArea);
        const QRect list(dock->mapTo(&w(), QPoint()), dock->size());
        const QRect grid(w().grdFahrpl()->mapTo(&w(), QPoint()), w().grdFahrpl()->size());
        const QRect entry(w().sevFrame1()->mapTo(&w(), QPoint()), w().sevFrame1()->size());
        QVERIFY(list.left() > grid.right());
        QVERIFY(entry.top() > list.bottom() && entry.top() > grid.bottom());
        // Its view spans the window; a narrow screen scrolls it.
        const QWidget* view = w().sevFrame1()->parentWidget();
        QCOMPARE(view->mapTo(&w(), QPoint()).x(), 0);
        QCOMPARE(view->width(), w().width());
        QCOMPARE(dock->windowTitle(), u"Comandos de planificación para VELOX"_qs);
        // The menu bar's colours.
        QVERIFY(w().menuAction(QStringLiteral("MenuDat"))->menu() != nullptr);
        QVERIFY(!w().menuAction(QStringLiteral("MyFpls_1"))->isVisible());
    }

    void falseOperandTurnsFieldAndExplanationRed() {
        QVERIFY(clickListLine(w(), LineK));
        CHECK_MIRROR(w());
        // The list click moves the focus into the main window's first field.
        QTRY_COMPARE(QApplication::focusWidget(), w().mskTxt(2));
        QCOMPARE(w().mskTxt(2)->cursorPosition(), 0);
        QTest::keyClicks(w().mskTxt(2), QStringLiteral("2000"));
        CHECK_MIRROR(w());
        QCOMPARE(w().mskTxt(2)->palette().color(QPalette::Base), MainWindow::errorColour());
        QCOMPARE(w().lblBemerkung()->palette().color(QPalette::Window), MainWindow::errorColour());
        // Correcting the value takes the colour away again.
        QTest::keyClick(w().mskTxt(2), Qt::Key_Backspace);
        QTest::keyClick(w().mskTxt(2), Qt::Key_Backspace);
        CHECK_MIRROR(w());
        QVERIFY(w().mskTxt(2)->palette().color(QPalette::Base) != MainWindow::errorColour());
    }

    void hintFollowsTheFocusedField() {
        QVERIFY(clickListLine(w(), LineK));
        QTRY_VERIFY(w().isActiveWindow());
        QVERIFY(w().lblHinweise()->isVisible());
        const int underField1 = w().lblHinweise()->x();
        QCOMPARE(underField1, w().mskTxt(2)->x());
        QVERIFY(clickInto(w().mskTxt(3)));
        CHECK_MIRROR(w());
        QCOMPARE(w().lblHinweise()->x(), w().mskTxt(3)->x());
    }

    void typedLineIsTransferredAndFetchedBack() {
        // Enter in the last operand field transfers and goes back to the code.
        QVERIFY(clickListLine(w(), LineK));
        QVERIFY(clickInto(w().mskTxt(2)));
        QTest::keyClicks(w().mskTxt(2), QStringLiteral("7"));
        QTest::keyClick(w().mskTxt(2), Qt::Key_Return); // not the last: nothing
        QCOMPARE(e().document.line(1), QString());
        QTest::keyClick(w().mskTxt(2), Qt::Key_Tab);
        QTest::keyClicks(w().mskTxt(3), QStringLiteral("F"));
        int last = 3;
        while (w().mskTxt(last + 1)->isVisible())
            ++last;
        QVERIFY(clickInto(w().mskTxt(last)));
        QTest::keyClick(w().mskTxt(last), Qt::Key_Return);
        CHECK_MIRROR(w());
        QCOMPARE(e().document.line(1), QStringLiteral("K, 7, F"));
        QTRY_COMPARE(QApplication::focusWidget(), w().mskTxt(1));

        CHECK_MIRROR_OF(typeKLine());
        QVERIFY(w().trmSichDat()->isActive());

        // Another command empties the fields; the fetch brings the line back.
        QVERIFY(clickListLine(w(), LineF));
        CHECK_MIRROR(w());
        QVERIFY(w().mskTxt(2)->text().isEmpty());
        QVERIFY(clickGridRow(w(), 1));
        CHECK_MIRROR(w());
        QTest::mouseClick(w().cmdHol_Zei(), Qt::LeftButton);
        CHECK_MIRROR(w());
        QCOMPARE(w().mskTxt(2)->text(), QStringLiteral("12"));
    }

    void rowButtonsFollowTheCurrentRow() {
        QVERIFY(clickGridRow(w(), 7));
        CHECK_MIRROR(w());
        QVERIFY(flat(w().cmdUeb_Zei()->text()).endsWith(QStringLiteral(" 7")));
        // Typing into the grid appends to the line at once.
        QTest::keyClicks(w().grdFahrpl(), QStringLiteral("Z, 5"));
        CHECK_MIRROR(w());
        QCOMPARE(e().document.line(7), QStringLiteral("Z, 5"));
        // Keys that type no printable character write none.
        QTest::keyClick(w().grdFahrpl(), Qt::Key_Delete);
        QTest::keyClick(w().grdFahrpl(), Qt::Key_Tab);
        QTest::keyClick(w().grdFahrpl(), Qt::Key_Insert);
        QCOMPARE(e().document.line(7), QStringLiteral("Z, 5"));
        QTest::keyClick(w().grdFahrpl(), Qt::Key_Escape);
        CHECK_MIRROR(w());
        QCOMPARE(e().document.line(7), QString());
    }

    // Shift+click and Shift+arrows select rows; the clipboard keys act on
    // them with the grid focused and keep their meaning in a field. Typing
    // in a cell shows the unsaved mark.
    void gridSelectionAndClipboard() {
        for (int row : {1, 2, 3}) {
            QVERIFY(clickGridRow(w(), row));
            QTest::keyClicks(w().grdFahrpl(), QString::number(row));
        }
        QVERIFY(w().isWindowModified());
        QVERIFY(w().windowTitle().endsWith(u"[*]"_qs));
        QVERIFY(clickGridRow(w(), 1));
        QTableView* grid = w().grdFahrpl();
        const QModelIndex second = grid->model()->index(1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid->visualRect(second).center());
        QCOMPARE(e().selection(), qMakePair(1, 2));
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(e().selection(), qMakePair(1, 3));
        QCOMPARE(e().document.grid.currentRow, 3);
        QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 3);
        QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(e().document.line(1), QString());
        QVERIFY(clickGridRow(w(), 5));
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        CHECK_MIRROR(w());
        QCOMPARE(e().document.line(5), u"1"_qs);
        QCOMPARE(e().document.line(7), u"3"_qs);
        // In a field Ctrl+V pastes text into the field, not rows.
        QVERIFY(clickListLine(w(), LineK));
        QApplication::clipboard()->setText(u"12"_qs);
        QTest::keyClick(w().mskTxt(2), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e().document.line(8), QString());
    }

    void commandLineFileOpensAtStart() {
        const QString path = dir_.filePath(QStringLiteral("start.vfp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Z, 10\r\n* remark\r\n");
        file.close();
        w().openAtStart(path);
        CHECK_MIRROR(w());
        QCOMPARE(e().document.line(2), QStringLiteral("* remark"));
        QCOMPARE(w().menuAction(QStringLiteral("MyFpls_1"))->text(), path);

        const QString missing = dir_.filePath(QStringLiteral("gone.vfp"));
        w().openAtStart(missing);
        CHECK_MIRROR(w());
        QCOMPARE(platform_->messages.size(), 1);
        QVERIFY(platform_->messages.last().prompt.contains(missing));
        QCOMPARE(e().document.line(2), QStringLiteral("* remark"));
    }

    void searchAndReplace() {
        QVERIFY(clickGridRow(w(), 5));
        QTest::keyClicks(w().grdFahrpl(), QStringLiteral("K, 12, B"));
        QVERIFY(clickGridRow(w(), 1));
        w().menuAction(QStringLiteral("Wrk_Ers"))->trigger();
        ReplaceWindow* replace = w().replaceWindow();
        QVERIFY(replace && replace->isVisible());
        QTest::keyClicks(replace->txbvon_Text(), QStringLiteral("12"));
        QTest::keyClicks(replace->txbnach_Text(), QStringLiteral("13"));
        QTest::mouseClick(replace->sevCmdBef(0), Qt::LeftButton);
        CHECK_MIRROR(w());
        QCOMPARE(w().grdFahrpl()->currentIndex().row(), 4);
        QVERIFY(replace->sevCmdBef(1)->isEnabled());
        QTest::mouseClick(replace->sevCmdBef(1), Qt::LeftButton);
        CHECK_MIRROR(w());
        QCOMPARE(w().grdFahrpl()->model()->index(4, 1).data().toString(),
                 QStringLiteral("K, 13, B"));
        QVERIFY(!replace->sevCmdBef(1)->isEnabled());
        // "whole number": the 1 of 13 is no longer found; Enter searches, Esc closes.
        replace->wholeNumber()->click();
        QVERIFY(e().search.wholeNumber);
        replace->txbvon_Text()->clear();
        QTest::keyClicks(replace->txbvon_Text(), QStringLiteral("1"));
        platform_->messages.clear();
        QTest::keyClick(replace->txbvon_Text(), Qt::Key_Return);
        CHECK_MIRROR(w());
        QCOMPARE(platform_->messages.size(), 1); // not found
        QTest::keyClick(replace->txbvon_Text(), Qt::Key_Escape);
        QTRY_VERIFY(!w().replaceWindow());
        platform_->messages.clear();

        w().menuAction(QStringLiteral("Wrk_Such"))->trigger();
        SearchWindow* search = w().searchWindow();
        QVERIFY(search && search->isVisible());
        QVERIFY(search->wholeNumber()->isChecked()); // one option for both windows
        QTest::keyClicks(search->txbSuchtext(), QStringLiteral("xyz"));
        QTest::keyClick(search->txbSuchtext(), Qt::Key_Enter);
        CHECK_MIRROR(w());
        QCOMPARE(platform_->messages.size(), 1);
        QCOMPARE(platform_->messages.last().title, search->windowTitle());
        QTest::mouseClick(search->sevCmdBef(1), Qt::LeftButton);
        QTRY_VERIFY(!w().searchWindow());
    }

    void languageSwitch() {
        const QString spanish = w().menuAction(QStringLiteral("MenuDat"))->text();
        QVERIFY(clickListLine(w(), LineK));
        QTest::keyClicks(w().mskTxt(2), QStringLiteral("12"));
        w().menuAction(QStringLiteral("Opt_Spr"))->trigger();
        CHECK_MIRROR(w());
        QVERIFY(w().lblHinweise()->text().contains(QStringLiteral("Contact number")));
        QCOMPARE(w().mskTxt(2)->text(), QStringLiteral("12"));
        QCOMPARE(e().catalogue.language(), Language::EN);
        QVERIFY(w().menuAction(QStringLiteral("MenuDat"))->text() != spanish);
        QCOMPARE(w().menuAction(QStringLiteral("MenuDat"))->text(), QStringLiteral("&File"));
        // Every entry of a menu is reachable with its own letter, in every language.
        for (const QString& menu : {u"MenuDat"_qs, u"MenuWrk"_qs, u"MenuOpt"_qs, u"MenuHlp"_qs}) {
            QSet<QChar> letters;
            for (const QAction* action : w().menuAction(menu)->menu()->actions()) {
                const qsizetype mark = action->text().indexOf(u'&');
                if (action->isSeparator() || !action->isVisible() ||
                    action->objectName().startsWith(u"MyFpls_"))
                    continue;
                QVERIFY2(mark >= 0, qPrintable(action->text()));
                QVERIFY2(!letters.contains(action->text()[mark + 1].toLower()),
                         qPrintable(action->text()));
                letters.insert(action->text()[mark + 1].toLower());
            }
        }
        QCOMPARE(w().menuAction(u"Dat_Sav"_qs)->shortcut(), QKeySequence(u"Ctrl+S"_qs));
        // The three languages, the current one ticked, also after a click on it.
        QVERIFY(w().menuAction(u"Opt_Spr_EN"_qs)->isChecked());
        QVERIFY(!w().menuAction(u"Opt_Spr_ES"_qs)->isChecked());
        w().menuAction(u"Opt_Spr_EN"_qs)->trigger();
        QVERIFY(w().menuAction(u"Opt_Spr_EN"_qs)->isChecked());
        w().menuAction(u"Opt_Spr_DE"_qs)->trigger();
        CHECK_MIRROR(w());
        QVERIFY(w().menuAction(u"Opt_Spr_DE"_qs)->isChecked());
        QVERIFY(!w().menuAction(u"Opt_Spr_EN"_qs)->isChecked());
        QCOMPARE(w().commandListDock()->windowTitle(), u"Fahrplanbefehle für VELOX"_qs);
        w().menuAction(u"Opt_Spr_EN"_qs)->trigger();
        QCOMPARE(w().grdFahrpl()->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("line no."));
        w().menuAction(QStringLiteral("Opt_Spr"))->trigger();
        CHECK_MIRROR(w());
        QCOMPARE(w().menuAction(QStringLiteral("MenuDat"))->text(), spanish);
    }

    void closingWithUnsavedWorkCanBeCancelled() {
        CHECK_MIRROR_OF(typeKLine());
        platform_->answers.push_back(MsgAnswer::Cancel);
        QVERIFY(!w().close());
        CHECK_MIRROR(w());
        QVERIFY(w().isVisible());
        QVERIFY(w().commandListWindow()->isVisible());
        QCOMPARE(platform_->messages.size(), 1);
        const ShownMessage& question = platform_->messages.last();
        QCOMPARE(question.style & 7, MsgStyle::YesNoCancel);

        // Answering no ends the program and closes the command list.
        platform_->answers.push_back(MsgAnswer::No);
        QVERIFY(w().close());
        QVERIFY(!w().commandListWindow()->isVisible());
        QVERIFY(e().ended);
    }

    void programEndFromTheMenu() {
        w().menuAction(QStringLiteral("Dat_End"))->trigger();
        QVERIFY(!w().isVisible());
        QVERIFY(e().ended);
        QVERIFY(platform_->messages.isEmpty()); // nothing typed: no question
    }

    void informationWindow() {
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        w().menuAction(QStringLiteral("Hlp_Info"))->trigger();
        CHECK_MIRROR(w());
        QCOMPARE(e().infoWindowShown, 1);
        QCOMPARE(e().helpContext, 100);
    }

    // The window fits any screen: taller gives the grid the room, the entry
    // area stays whole at the bottom; the problems list and a chosen command
    // move no field.
    void windowFitsAndNothingMovesUnderThePointer() {
        const QRect area = w().screen()->availableGeometry();
        QVERIFY(w().minimumSizeHint().width() <= area.width());
        QVERIFY(w().minimumSizeHint().height() <= area.height());
        w().resize(w().width(), area.height() / 2);
        QTRY_COMPARE(w().height(), area.height() / 2);
        const int gridBefore = w().grdFahrpl()->height();
        const int entryHeight = w().sevFrame1()->height();
        w().resize(w().width(), w().height() + 60);
        QTRY_COMPARE(w().grdFahrpl()->height(), gridBefore + 60);
        QCOMPARE(w().sevFrame1()->height(), entryHeight);
        const auto fieldsAt = [this] {
            return QList<QPoint>{w().mskTxt(0)->mapToGlobal(QPoint()),
                                 w().mskTxt(1)->mapToGlobal(QPoint()),
                                 w().cmdUeb_Zei()->mapToGlobal(QPoint())};
        };
        const QList<QPoint> fields = fieldsAt();
        const QSize size = w().size();
        QVERIFY(clickListLine(w(), LineK));
        QCOMPARE(fieldsAt(), fields);
        // A line with a finding shows the problems list; deleting it hides it.
        QTest::keyClicks(w().mskTxt(2), QStringLiteral("2000"));
        w().cmdUeb_Zei()->click();
        QTRY_VERIFY(w().problemsPane()->isVisible());
        QCOMPARE(w().size(), size);
        QCOMPARE(fieldsAt(), fields);
        w().cmdLoe_Zei()->click();
        QTRY_VERIFY(!w().problemsPane()->isVisible());
        QCOMPARE(w().size(), size);
        QCOMPARE(fieldsAt(), fields);
    }

    // The list may float and be put back, and closed and shown again from
    // the Options menu; its place is there again at the next start.
    void commandListDockFloatsClosesAndIsRemembered() {
        QDockWidget* dock = w().commandListDock();
        QAction* toggle = dock->toggleViewAction();
        QVERIFY(w().menuAction(u"MenuOpt"_qs)->menu()->actions().contains(toggle));
        QVERIFY(!QKeySequence::mnemonic(toggle->text()).isEmpty());
        dock->close();
        QTRY_VERIFY(!w().commandListWindow()->isVisible());
        toggle->trigger();
        QTRY_VERIFY(w().commandListWindow()->isVisible());
        dock->setFloating(true);
        QTRY_VERIFY(dock->isWindow());
        QVERIFY(clickListLine(w(), LineK)); // still the list of this window
        QCOMPARE(e().form->CurrentCommand, LineK);
        QVERIFY(w().close());
        window_ = std::make_unique<MainWindow>(platform_->platform(), dir_.path());
        w().show();
        QTRY_VERIFY(w().commandListDock()->isFloating());
        w().commandListDock()->setFloating(false);
        QTRY_COMPARE(w().commandListDock()->window(), &w());
    }

    // A click on the bare window gives the general help page; resizing the
    // command list gives the command's page back.
    void helpContextOfBackgroundAndListResize() {
        QVERIFY(clickListLine(w(), LineK));
        QCOMPARE(e().helpContext, 1060);
        QTest::mouseClick(w().sevFrame1(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(e().helpContext, 1);
        CommandListWindow* list = w().commandListWindow();
        list->resize(list->width(), list->height() + 40);
        QCOMPARE(e().helpContext, 1060);
    }

    void relativeCommandLinePathIsKeptWhole() {
        const QString path = dir_.filePath(QStringLiteral("rel.vfp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("A\r\n");
        file.close();
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        w().openAtStart(QStringLiteral("rel.vfp"));
        QDir::setCurrent(before);
        CHECK_MIRROR(w());
        QCOMPARE(e().document.FilePath, path);
        QCOMPARE(w().menuAction(QStringLiteral("MyFpls_1"))->text(), path);
    }

    // One command per kind of trouble: the tallest hint (L), a field that
    // operand 1 re-masks (F with Z), free text up to the buttons (G with D).
    void entryControlsStandClear_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("operand");
        for (const char* language : {"DE", "EN", "ES"}) {
            const QString lang = QString::fromLatin1(language);
            QTest::addRow("%s L", language) << lang << 12 << QString();
            QTest::addRow("%s F Z", language) << lang << LineF << QStringLiteral("Z");
            QTest::addRow("%s G D", language) << lang << 7 << QStringLiteral("D");
        }
    }

    void entryControlsStandClear() {
        QFETCH(QString, language);
        QFETCH(int, line);
        QFETCH(QString, operand);
        e().startInLanguage(language);
        w().syncFromModel();
        QVERIFY(clickListLine(w(), line));
        QTRY_VERIFY(w().isActiveWindow());
        if (!operand.isEmpty()) {
            QTest::keyClicks(w().mskTxt(2), operand);
            // On to the next operand, where the free text of G shows.
            e().form->setFocus(Control::mskTxt3);
            w().syncFromModel();
        }
        CHECK_MIRROR(w());
        CHECK_MIRROR_OF(overlap(w()));
        const QLabel* hint = w().lblHinweise();
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->height(), hint->sizeHint().height());
        QVERIFY(hint->width() >= hint->sizeHint().width());
        for (const QLabel* caption : {w().lblAnmerk(), w().lblLfdNr(), w().lblCode()})
            QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(caption->text()));
        if (operand == u"Z") {
            // The counter value takes a comparison and a signed number.
            MaskedField* value = nullptr;
            for (int k = 3; k < EntryFormState::FieldCount; ++k)
                if (w().mskTxt(k)->mask() == u"CC#####")
                    value = w().mskTxt(k);
            QVERIFY(value != nullptr);
            QVERIFY(clickInto(value));
            QTest::keyClicks(value, QStringLiteral(">-99999"));
            QCOMPARE(value->text(), QStringLiteral(">-99999"));
            QVERIFY(showsWholeText(value));
            CHECK_MIRROR_OF(overlap(w()));
        }
    }

    // The row placing on its own: spans as the model puts them (left, width,
    // flexible), the lefts and widths they get.
    void rowPlacing_data() {
        QTest::addColumn<QList<int>>("spans");  // left, width, flexible, ...
        QTest::addColumn<QList<int>>("placed"); // left, width, ...
        QTest::newRow("room enough: as the model has it")
            << QList<int>{0, 56, 0, 64, 32, 0} << QList<int>{0, 56, 64, 32};
        QTest::newRow("a grown field pushes the next one")
            << QList<int>{0, 56, 0, 64, 50, 0, 107, 56, 0} << QList<int>{0, 56, 64, 50, 117, 56};
        QTest::newRow("the push carries on to fields further right")
            << QList<int>{0, 80, 0, 60, 20, 0, 100, 20, 0} << QList<int>{0, 80, 83, 20, 123, 20};
        QTest::newRow("free text gives way to a field beyond the row's end")
            << QList<int>{166, 420, 1, 201, 48, 0} << QList<int>{166, 415, 584, 48};
        QTest::newRow("free text keeps its least width, even when that is not enough")
            << QList<int>{0, 600, 1, 10, 600, 0} << QList<int>{0, 40, 43, 600};
        QTest::newRow("order of the model, not of the list")
            << QList<int>{100, 20, 0, 0, 110, 0} << QList<int>{113, 20, 0, 110};
    }

    void rowPlacing() {
        QFETCH(QList<int>, spans);
        QFETCH(QList<int>, placed);
        std::vector<RowSpan> row;
        for (qsizetype i = 0; i + 2 < spans.size(); i += 3)
            row.push_back({spans[i], spans[i + 1], spans[i + 2] != 0});
        PlaceRow(row, 632);
        QList<int> result;
        for (const RowSpan& span : row)
            result << span.placedLeft << span.placedWidth;
        QCOMPARE(result, placed);
    }

    // Alt reaches every entry of a menu with a letter of its own, in every
    // language, the export among them.
    void menuAcceleratorsAreUnique() {
        for (const char* language : {"DE", "EN", "ES"}) {
            e().startInLanguage(QString::fromLatin1(language));
            w().syncFromModel();
            for (const char* top : {"MenuDat", "MenuWrk", "MenuOpt", "MenuHlp"}) {
                QSet<QKeySequence> used;
                for (const QAction* action :
                     w().menuAction(QString::fromLatin1(top))->menu()->actions()) {
                    if (action->isSeparator() || !action->isVisible())
                        continue;
                    const QKeySequence alt = QKeySequence::mnemonic(action->text());
                    const QString where = QString::fromLatin1(language) + u' ' + action->text();
                    QVERIFY2(!alt.isEmpty(), qPrintable(where));
                    QVERIFY2(!used.contains(alt), qPrintable(where));
                    used.insert(alt);
                }
            }
            QVERIFY(w().menuAction(QStringLiteral("Dat_Pdf"))->isVisible());
        }
    }

    // An open menu takes the keys: F1 there still opens the page of the menu.
    void f1InAnOpenMenu() {
        QMenu* file = w().menuAction(u"MenuDat"_qs)->menu();
        platform_->helpRequests.clear();
        file->popup(w().mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(QApplication::activePopupWidget() == file);
        QTest::keyClick(file, Qt::Key_Down);
        QTest::keyClick(file, Qt::Key_F1);
        QTRY_COMPARE(platform_->helpRequests.size(), 1);
        QCOMPARE(e().helpContext, 100);
        QVERIFY(!file->isVisible());
    }

    void f1AsksForTheHelpPageOfTheCommand() {
        QVERIFY(clickListLine(w(), LineK));
        QTRY_VERIFY(w().isActiveWindow());
        platform_->helpRequests.clear();
        QTest::keyClick(w().mskTxt(2), Qt::Key_F1);
        CHECK_MIRROR(w());
        QCOMPARE(platform_->helpRequests.size(), 1);
        QCOMPARE(platform_->helpRequests.last().page, QStringLiteral("VXEe_1060"));
        QCOMPARE(w().mskTxt(2)->text(), QString()); // the key reached no field
    }

    // The dry run's window: its own help page, every button at hand in a
    // narrow dock, and contact cells that hold the widest number.
    void dryRunDock() {
        // A short contact number first: every cell must still hold the longest.
        const QString path = dir_.filePath(QStringLiteral("run.vfp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("B, 5, F\r\nK, 1056, B\r\nK, 12, F\r\nE\r\n");
        file.close();
        w().openAtStart(path);
        QVERIFY(clickListLine(w(), LineK));
        w().menuAction(u"Wrk_Run"_qs)->trigger();
        RunDock* dock = w().runDock();
        QTRY_VERIFY(dock->isVisible());
        platform_->helpRequests.clear();
        dock->contacts()->setFocus();
        QTRY_VERIFY(dock->contacts()->hasFocus());
        QTest::keyClick(dock->contacts(), Qt::Key_F1);
        QCOMPARE(platform_->helpRequests.size(), 1);
        QCOMPARE(platform_->helpRequests.last().page, QStringLiteral("VXEe_0150"));
        // The fields keep the topic of their command.
        QCOMPARE(e().form->CurrentHelpTopic, qint16(1060));

        // Narrower than the buttons in one row: they go on in a second one.
        const QWidget* bar = dock->findChild<QWidget*>(u"runButtons"_qs);
        QVERIFY(bar);
        const int oneRow = bar->sizeHint().width();
        dock->setFloating(true);
        dock->resize(oneRow / 2, 400);
        QTRY_VERIFY(bar->width() < oneRow);
        const QList<QToolButton*> buttons = bar->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 7);
        QSet<int> rows;
        for (const QToolButton* b : buttons) {
            QVERIFY(b->isVisible());
            QVERIFY2(bar->rect().contains(b->geometry()), qPrintable(b->toolTip()));
            rows.insert(b->y());
        }
        QVERIFY(rows.size() > 1);

        QListView* contacts = dock->contacts();
        QCOMPARE(contacts->model()->rowCount(), 3);
        const QFontMetrics fm = contacts->fontMetrics();
        for (int row = 0; row < 3; ++row) {
            const QModelIndex index = contacts->model()->index(row, 0);
            const QString text = index.data().toString();
            const QRect cell = contacts->visualRect(index);
            QVERIFY2(cell.width() >= fm.horizontalAdvance(text) + 6, qPrintable(text));
            QVERIFY2(cell.height() > fm.height(), qPrintable(text));
        }
    }
};

// The styled message window and the Qt platform parts that need no user.
class TestMessageWindow : public QObject {
    Q_OBJECT
private slots:
    void buttonsAndDefault_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("defaultAnswer");
        QTest::addColumn<int>("escapeAnswer"); // 0: escape does nothing
        QTest::newRow("ok") << 0 << false << QStringList{u"OK"_qs} << QList<int>{1} << 1 << 1;
        QTest::newRow("save question")
            << (3 + 32 + 512 + 4096) << false << QStringList{u"&Yes"_qs, u"&No"_qs, u"Cancel"_qs}
            << QList<int>{6, 7, 2} << 2 << 2;
        QTest::newRow("yes/no second default")
            << (4 + 32 + 256) << true << QStringList{u"&Ja"_qs, u"&Nein"_qs} << QList<int>{6, 7}
            << 7 << 7;
        QTest::newRow("retry/cancel critical")
            << (5 + 16 + 256 + 4096) << false << QStringList{u"&Retry"_qs, u"Cancel"_qs}
            << QList<int>{4, 2} << 2 << 2;
        QTest::newRow("abort/retry/ignore")
            << 2 << false << QStringList{u"&Abort"_qs, u"&Retry"_qs, u"&Ignore"_qs}
            << QList<int>{3, 4, 5} << 3 << 0;
    }

    void buttonsAndDefault() {
        QFETCH(int, style);
        QFETCH(bool, german);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, answers);
        QFETCH(int, defaultAnswer);
        QFETCH(int, escapeAnswer);
        StyledMessageDialog dialog(QStringLiteral("Line one\n\r  line two"), style,
                                   QStringLiteral("Title"), german);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Title"));
        QCOMPARE(dialog.promptLabel()->text(), QStringLiteral("Line one\n  line two"));
        QVERIFY(dialog.promptLabel()->font().bold());
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(236, 233, 216));
        QCOMPARE(dialog.buttons().size(), captions.size());
        for (int i = 0; i < captions.size(); ++i) {
            QCOMPARE(dialog.buttons()[i]->text(), captions[i]);
            QCOMPARE(dialog.answerOf(dialog.buttons()[i]), answers[i]);
        }
        QCOMPARE(dialog.answerOf(dialog.defaultButton()), defaultAnswer);
        QCOMPARE(dialog.iconLabel()->isVisibleTo(&dialog), (style & 0x70) != 0);
        QCOMPARE(dialog.isModal(), true);
        QCOMPARE((dialog.windowFlags() & Qt::WindowStaysOnTopHint) != 0, (style & 4096) != 0);

        // Enter presses the default button.
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.answer(), defaultAnswer);
        QVERIFY(!dialog.isVisible());

        StyledMessageDialog again(QStringLiteral("x"), style, QStringLiteral("t"), german);
        again.show();
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(again.isVisible(), escapeAnswer == 0);
        if (escapeAnswer != 0)
            QCOMPARE(again.answer(), escapeAnswer);
        // Any button gives its own answer.
        StyledMessageDialog third(QStringLiteral("x"), style, QStringLiteral("t"), german);
        third.show();
        QTest::mouseClick(third.buttons().last(), Qt::LeftButton);
        QCOMPARE(third.answer(), answers.last());
    }

    // With Qt's translation of the program's language loaded, the buttons
    // read in that language, not in English or German.
    void buttonsInTheToolkitsLanguage() {
        ToolkitTranslation toolkit;
        toolkit.follow(Language::ES);
        if (toolkit.installed().isEmpty())
            QSKIP("Qt's Spanish translation is not installed (Debian: qt6-translations-l10n)");
        StyledMessageDialog dialog(QStringLiteral("x"), 3, QStringLiteral("t"), false);
        QStringList captions;
        for (const QPushButton* button : dialog.buttons())
            captions << button->text();
        QVERIFY2(!captions.contains(u"&Yes"_qs) && !captions.contains(u"Cancel"_qs),
                 qPrintable(captions.join(u", ")));
        toolkit.follow(Language::EN);
        StyledMessageDialog english(QStringLiteral("x"), 3, QStringLiteral("t"), false);
        QCOMPARE(english.buttons().first()->text(), u"&Yes"_qs);
    }

    void platformShowsTheStyledWindow() {
        QtPlatform platform;
        QTimer::singleShot(0, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<StyledMessageDialog*>(modal))
                QTest::mouseClick(dialog->buttons()[1], Qt::LeftButton);
            else if (modal)
                modal->close(); // not the styled window: the answer below fails
        });
        QCOMPARE(platform.show(QStringLiteral("Save?"), 3 + 32, QStringLiteral("t"), false),
                 MsgAnswer::No);
    }

    void nameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("schedule") << u"SCHEDULE-FILE  (*.vfp) | *.vfp"_qs
                                  << u"SCHEDULE-FILE  (*.vfp)"_qs;
        QTest::newRow("no pattern in text") << u"Schedules|*.vfp"_qs << u"Schedules (*.vfp)"_qs;
        QTest::newRow("two pairs") << u"A (*.vfp)|*.vfp|All|*.*"_qs << u"A (*.vfp);;All (*.*)"_qs;
    }
    void nameFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(QtNameFilters(filter), expected);
    }

    void initialFolder() {
        QTemporaryDir dir;
        QCOMPARE(InitialDialogFolder(dir.path(), QString()), dir.path());
        const QString schedule = dir.filePath(QStringLiteral("x.vfp"));
        QCOMPARE(InitialDialogFolder(QDir::tempPath(), schedule), dir.path());
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString fallback = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QCOMPARE(InitialDialogFolder(QStringLiteral("C:\\Velox-PC_V9"), QString()), fallback);
        QCOMPARE(InitialDialogFolder(QString(), QStringLiteral("/no/such/folder/x.vfp")), fallback);
        QCOMPARE(DefaultSuffix(QStringLiteral("Schedule files  (*.vfp) | *.vfp")), u"vfp"_qs);
    }

    void settingsStore() {
        QStandardPaths::setTestModeEnabled(true);
        QtPlatform platform;
        const QString app = QStringLiteral("VX-Editor");
        const QString section = QStringLiteral("Recent Schedules");
        platform.setValue(app, section, QStringLiteral("RecentSchedule1"), u"/a/b.vfp"_qs);
        QCOMPARE(platform.value(app, section, QStringLiteral("RecentSchedule1"), QString()),
                 QStringLiteral("/a/b.vfp"));
        QCOMPARE(platform.value(app, section, QStringLiteral("RecentSchedule5"), u"none"_qs),
                 QStringLiteral("none"));
        QSettings raw(app);
        QCOMPARE(raw.value(QStringLiteral("Recent Schedules/RecentSchedule1")).toString(),
                 QStringLiteral("/a/b.vfp"));
        raw.clear();
    }

    void busyCursorNests() {
        QtPlatform platform;
        platform.setBusy(true);
        platform.setBusy(true);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        platform.setBusy(false);
        QVERIFY(QApplication::overrideCursor());
        platform.setBusy(false);
        QVERIFY(!QApplication::overrideCursor());
        platform.setBusy(false); // one too many changes nothing
        QVERIFY(!QApplication::overrideCursor());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        TestMessageWindow messages;
        status |= QTest::qExec(&messages, argc, argv);
    }
    {
        TestWindows windows;
        status |= QTest::qExec(&windows, argc, argv);
    }
    return status;
}

#include "test_windows.moc"
