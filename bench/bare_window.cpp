// The yardstick of the start-up benchmark: a bare Qt main window holding one
// table widget of the schedule grid's size, built like the editor.

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QStringList>
#include <QTableWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    auto* table = new QTableWidget(99, 2, &window);
    table->setHorizontalHeaderLabels({QStringLiteral("line no."), QStringLiteral("Schedule")});
    for (int r = 0; r < 99; ++r)
        table->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
    table->horizontalHeader()->setStretchLastSection(true);
    window.setCentralWidget(table);
    window.resize(800, 560);
    window.show();
    return QApplication::exec();
}
