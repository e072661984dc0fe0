// The findings as the window shows them: marks in the grid's number column,
// the problems list under the grid, and the jumps between addresses by key,
// by Ctrl+click and from the list.

#include "editor/editor.h"
#include "editor/layout_view.h"
#include "form/entry_form.h"
#include "gui/main_window.h"
#include "gui/problems_pane.h"
#include "gui/xref_dock.h"
#include "script/scripted_platform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;

class TestProblemsWindow : public QObject {
    Q_OBJECT

    ScriptedPlatform platform_;
    std::unique_ptr<MainWindow> window_;
    QTemporaryDir dir_;

    MainWindow& w() { return *window_; }
    int currentRow() { return w().editor().document.grid.currentRow; }
    QModelIndex numberCell(int row) { return w().grdFahrpl()->model()->index(row - 1, 0); }

private slots:
    void init() {
        QStandardPaths::setTestModeEnabled(true);
        window_ = std::make_unique<MainWindow>(platform_.platform(), dir_.path());
        w().show();
        QApplication::setActiveWindow(&w());
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        const QString path = dir_.filePath(QStringLiteral("jumps.vfp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("R, SUB\r\nG, TOP\r\nE\r\nU, SUB\r\nE, U\r\n!, TOP\r\nG, NOWHERE\r\n");
        file.close();
        w().openAtStart(path);
    }

    void marksAndList() {
        ProblemsPane* pane = w().problemsPane();
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->list()->count(), 1);
        QCOMPARE(pane->list()->item(0)->text(),
                 u"7: "_qs + w().editor().diagnostics()->problemsAt(7).value(0).message());
        const QModelIndex marked = numberCell(7);
        QCOMPARE(marked.data(Qt::BackgroundRole).value<QBrush>().color(),
                 MainWindow::errorColour());
        QVERIFY(marked.data(Qt::ToolTipRole).toString().endsWith(u"NOWHERE"_qs));
        QVERIFY(!numberCell(6).data(Qt::ToolTipRole).isValid());

        // The marks follow the rows: deleting the faulty row clears them all,
        // and the list goes away with nothing to show.
        w().grdFahrpl()->setCurrentIndex(w().grdFahrpl()->model()->index(6, 1));
        QTest::mouseClick(w().cmdLoe_Zei(), Qt::LeftButton);
        QVERIFY(!numberCell(7).data(Qt::ToolTipRole).isValid());
        QVERIFY(!pane->isVisible());
        w().menuAction(QStringLiteral("Wrk_Undo"))->trigger();
        QVERIFY(pane->isVisible());
        // The Work menu hides and shows it.
        w().menuAction(QStringLiteral("Wrk_Probl"))->trigger();
        QVERIFY(!pane->isVisible());
        QVERIFY(!w().menuAction(QStringLiteral("Wrk_Probl"))->isChecked());
        w().menuAction(QStringLiteral("Wrk_Probl"))->trigger();
        QVERIFY(pane->isVisible());
    }

    // A finding that only the layout shows keeps the list and the menu's
    // check mark together: one click hides it, the next shows it again. A file
    // of the folder that holds no schedule is named in the cross-references.
    void layoutFindingAlone() {
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("layout")));
        for (const char* name : {"a.vfp", "b.vfp"}) {
            QFile file(dir_.filePath(QStringLiteral("layout/") + QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("B, 5, B\r\nE\r\n");
        }
        QFile binary(dir_.filePath(QStringLiteral("layout/c.vfp")));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write("\x01\x02\x03");
        binary.close();
        w().openAtStart(dir_.filePath(QStringLiteral("layout/b.vfp")));
        ProblemsPane* pane = w().problemsPane();
        QAction* menu = w().menuAction(QStringLiteral("Wrk_Probl"));
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->list()->count(), 1);
        QVERIFY(menu->isChecked());
        menu->trigger();
        QVERIFY(!pane->isVisible());
        QVERIFY(!menu->isChecked());
        menu->trigger();
        QVERIFY(pane->isVisible());
        const auto* skipped = w().findChild<QLabel*>(QStringLiteral("xrefSkipped"));
        QVERIFY(skipped && skipped->text().endsWith(QStringLiteral(" c.vfp")));

        // Unfiltered, the pane shows the table itself; a typed number goes
        // through the proxy, and clearing it lets the proxy go.
        auto* dock = w().findChild<XrefDock*>(QStringLiteral("xrefDock"));
        QVERIFY(dock);
        LayoutView& layout = *w().editor().layout;
        QCOMPARE(dock->table()->model(), &layout.model());
        const int all = dock->table()->model()->rowCount();
        dock->text()->setText(QStringLiteral("5"));
        QCOMPARE(dock->table()->model(), &layout.filter());
        QCOMPARE(dock->table()->model()->rowCount(), 2);
        dock->text()->clear();
        QCOMPARE(dock->table()->model(), &layout.model());
        QCOMPARE(dock->table()->model()->rowCount(), all);
        QVERIFY(!layout.filter().sourceModel());
    }

    void jumps() {
        QTableView* grid = w().grdFahrpl();
        grid->setCurrentIndex(grid->model()->index(1, 1));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F12);
        QCOMPARE(currentRow(), 6);
        QCOMPARE(grid->currentIndex().row(), 5);

        QTest::keyClick(grid, Qt::Key_F12, Qt::ShiftModifier);
        QListWidget* list = w().problemsPane()->list();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), u"2: G, TOP"_qs);

        // Ctrl+click on the call; Enter on the list's line goes back.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          grid->visualRect(grid->model()->index(0, 1)).center());
        QCOMPARE(currentRow(), 4);
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(currentRow(), 2);
    }

    void cleanup() { window_.reset(); }
};

QTEST_MAIN(TestProblemsWindow)
#include "test_problems_window.moc"
