// The user flows of tests/data/flows, each run through vxedit-cli script as a
// user would run it. A script carries its own checks in comment lines, which
// the tool ignores:
//   #args ARGS          options for the tool (@DIR@ = a fresh temporary folder)
//   #expect PATH JSON   the last dump before this line holds JSON at PATH
//                       (keys and array indices joined by dots)
//   #file PATH          after the lines above, PATH exists
//   #no-file PATH       after the lines above, PATH does not exist

#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx::test;

namespace {

QString flowsFolder() {
    return QStringLiteral(VX_TEST_DATA "/flows");
}

QList<QJsonObject> dumpsOf(const QByteArray& out) {
    QList<QJsonObject> dumps;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty())
            dumps.append(QJsonDocument::fromJson(line).object());
    return dumps;
}

QJsonValue at(QJsonValue value, const QString& path) {
    for (const QString& key : path.split(u'.')) {
        bool index = false;
        const int i = key.toInt(&index);
        value = index && value.isArray() ? value.toArray().at(i) : value.toObject().value(key);
    }
    return value;
}

QJsonValue parseValue(const QString& json) {
    return QJsonDocument::fromJson((u'[' + json + u']').toUtf8()).array().at(0);
}

struct Flow {
    QStringList lines; // @DIR@ not yet replaced
    QStringList args;
};

Flow readFlow(const QString& path) {
    Flow flow;
    flow.lines = QString::fromUtf8(ReadBytes(path)).split(u'\n');
    for (const QString& line : flow.lines)
        if (line.startsWith(u"#args "))
            flow.args = line.mid(6).split(u' ', Qt::SkipEmptyParts);
    return flow;
}

// Runs lines [0, end) of the flow in a fresh folder; checks the files named
// by the #file / #no-file lines that follow.
CliRun runPart(const Flow& flow, qsizetype end, const QTemporaryDir& dir) {
    const auto fill = [&dir](QString s) { return s.replace(u"@DIR@"_qs, dir.path()); };
    QStringList args{u"script"_qs};
    for (const QString& a : flow.args)
        args.append(fill(a));
    return RunCli(args, fill(flow.lines.mid(0, end).join(u'\n')).toUtf8());
}

} // namespace

class TestCliFlows : public QObject {
    Q_OBJECT

private slots:
    void flow_data() {
        QTest::addColumn<QString>("path");
        const QStringList names =
            QDir(flowsFolder()).entryList({u"*.script"_qs}, QDir::Files, QDir::Name);
        QVERIFY(names.size() >= 8);
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << flowsFolder() + u'/' + name;
    }

    void flow() {
        QFETCH(QString, path);
        const Flow flow = readFlow(path);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const CliRun run = runPart(flow, flow.lines.size(), dir);
        QVERIFY(run.finished);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QList<QJsonObject> dumps = dumpsOf(run.out);

        int dumpsSoFar = 0;
        int checks = 0;
        for (qsizetype i = 0; i < flow.lines.size(); ++i) {
            const QString line = flow.lines[i].trimmed();
            const QString where =
                QStringLiteral("%1:%2").arg(QFileInfo(path).fileName()).arg(i + 1);
            if (line == u"dump") {
                ++dumpsSoFar;
            } else if (line.startsWith(u"#expect ")) {
                QVERIFY2(dumpsSoFar > 0 && dumpsSoFar <= dumps.size(), qPrintable(where));
                const QString rest = line.mid(8);
                const qsizetype blank = rest.indexOf(u' ');
                const QString key = rest.left(blank);
                const QString json = QString(rest.mid(blank + 1)).replace(u"@DIR@"_qs, dir.path());
                const QJsonValue expected = parseValue(json);
                QVERIFY2(!expected.isUndefined(), qPrintable(where + u": bad JSON"_qs));
                const QJsonValue actual = at(dumps[dumpsSoFar - 1], key);
                QVERIFY2(actual == expected,
                         qPrintable(where + u": "_qs + key + u" is "_qs +
                                    QString::fromUtf8(QJsonDocument(QJsonArray{actual})
                                                          .toJson(QJsonDocument::Compact))));
                ++checks;
            } else if (line.startsWith(u"#file ") || line.startsWith(u"#no-file ")) {
                // The files as they stand after the lines above: a run of the
                // script up to here in a folder of its own.
                QTemporaryDir partDir;
                QVERIFY(partDir.isValid());
                const CliRun part = runPart(flow, i, partDir);
                QVERIFY2(part.exitCode == 0, part.err.constData());
                for (; i < flow.lines.size(); ++i) {
                    const QString check = flow.lines[i].trimmed();
                    const bool wanted = check.startsWith(u"#file ");
                    if (!wanted && !check.startsWith(u"#no-file "))
                        break;
                    const QString file =
                        check.mid(check.indexOf(u' ') + 1).replace(u"@DIR@"_qs, partDir.path());
                    QVERIFY2(QFileInfo::exists(file) == wanted,
                             qPrintable(QStringLiteral("%1:%2: %3")
                                            .arg(QFileInfo(path).fileName())
                                            .arg(i + 1)
                                            .arg(check)));
                    ++checks;
                }
                --i;
            }
        }
        QVERIFY2(checks > 0, "a flow without checks");
    }
};

QTEST_GUILESS_MAIN(TestCliFlows)
#include "test_cli_flows.moc"
