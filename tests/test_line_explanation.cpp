// Explaining a line without an editor: for generated lines of every command
// form, in each language, the same explanation and the same red fields as the
// fetch into a whole editor's entry area, which stays the reference.

#include "commands/line_syntax.h"
#include "document/vfp_file.h"
#include "editor/schedule_check.h"
#include "form/line_explanation.h"
#include "form/parallel_lines.h"
#include "line_generator.h"
#include "texts/blanks.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <vector>

using namespace vx;

namespace {

QString Shown(const LineExplanation& e) {
    QStringList red;
    for (qsizetype i = 0; i < e.redFields.size(); ++i)
        red.append(e.redFields[i] + u'=' + e.redTexts.value(i));
    return u"\"%1\"%2 [%3]"_qs.arg(e.explanation, e.explanationRed ? u" red"_qs : QString(),
                                   red.join(u", "));
}

QStringList GeneratedLines(std::uint64_t seed, std::size_t count) {
    QByteArray bytes;
    for (const std::string& line : linegen::GenerateLines({seed, count}))
        bytes.append(line.data(), static_cast<qsizetype>(line.size())).append("\r\n");
    return ParseScheduleBytes(bytes, std::numeric_limits<int>::max()).lines;
}

// The red part of Shown.
QString ShownRed(const LineExplanation& e) {
    QStringList red;
    for (qsizetype i = 0; i < e.redFields.size(); ++i)
        red.append(e.redFields[i] + u'=' + e.redTexts[i]);
    return red.join(u", ");
}

QString ShownRed(const QList<FalseInput>& inputs) {
    QStringList red;
    for (const FalseInput& f : inputs)
        red.append(ControlName(f.control) + u'=' + f.text);
    return red.join(u", ");
}

} // namespace

class TestLineExplanation : public QObject {
    Q_OBJECT

private slots:
    void sameAsFetchIntoEditor_data();
    void sameAsFetchIntoEditor();
    void independentOfEarlierLines();
    void onManyThreads();
};

void TestLineExplanation::sameAsFetchIntoEditor_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<quint64>("seed");
    // Each language with other lines: the rules' texts differ per language,
    // the forms do not.
    QTest::newRow("DE") << u"DE"_qs << quint64(11);
    QTest::newRow("EN") << u"EN"_qs << quint64(12);
    QTest::newRow("ES") << u"ES"_qs << quint64(13);
}

void TestLineExplanation::sameAsFetchIntoEditor() {
    QFETCH(QString, language);
    QFETCH(quint64, seed);
    const ExplanationLanguage texts(language);
    LineExplainer reference(language);
    int compared = 0;
    int red = 0;
    QStringList differences;
    for (const QString& line : GeneratedLines(seed, 20000)) {
        if (TrimView(line).isEmpty())
            continue;
        const LineExplanation explained = ExplainLine(line, texts);
        const QString got = Shown(explained);
        const QString expected = Shown(reference.explain(line));
        // The check's fetch leaves the explanation line unjoined: same marks.
        const QString redOnly = ShownRed(FalseInputsOf(line, SplitLine(line), texts));
        if (redOnly != ShownRed(explained) && differences.size() < 8)
            differences.append(line + u"\n    false inputs "_qs + redOnly);
        ++compared;
        red += expected.endsWith(u"[]") ? 0 : 1;
        if (got != expected && differences.size() < 8)
            differences.append(line + u"\n    got      "_qs + got + u"\n    expected "_qs +
                               expected);
    }
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
    // The lines must exercise both verdicts, or the comparison proves little.
    QVERIFY(compared > 19000);
    QVERIFY(red > compared / 10 && red < compared * 9 / 10);
}

void TestLineExplanation::independentOfEarlierLines() {
    // A reader that kept state between lines would explain a line after a
    // sub-form differently than alone; after many odd first characters the
    // lines are explained without the prepared states.
    const QStringList lines = GeneratedLines(5, 400);
    QStringList alone;
    for (const QString& line : lines) {
        const ExplanationLanguage fresh(u"EN");
        alone.append(Shown(ExplainLine(line, fresh)));
    }
    const ExplanationLanguage texts(u"EN");
    for (char16_t c = 0x4E00; c < 0x4E00 + 600; ++c)
        ExplainLine(QChar(c) + u", 12"_qs, texts);
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        QCOMPARE(Shown(ExplainLine(lines[i], texts)), alone[i]);
}

void TestLineExplanation::onManyThreads() {
    // Every item in exactly one slice, whatever the counts; a worker's
    // language is its own, so lines come out as they do one at a time.
    for (const qsizetype count : {0, 1, 63, 64, 65, 1000})
        for (const int workers : {1, 3}) {
            // The checks run here, not on the workers' threads.
            std::vector<std::atomic<int>> hits(static_cast<size_t>(count));
            std::atomic<int> slices{0};
            std::atomic<int> odd{0};
            RunInSlices(count, workers, 64, [&](int worker, qsizetype begin, qsizetype end) {
                if (worker < 0 || worker >= workers || begin >= end || end - begin > 64 ||
                    begin < 0 || end > count) {
                    ++odd;
                    return;
                }
                ++slices;
                for (qsizetype i = begin; i < end; ++i)
                    ++hits[static_cast<size_t>(i)];
            });
            const QByteArray context = u"%1 items, %2 workers"_qs.arg(count).arg(workers).toUtf8();
            QVERIFY2(odd == 0, context.constData());
            QVERIFY2(std::all_of(hits.begin(), hits.end(), [](const auto& h) { return h == 1; }),
                     context.constData());
            QCOMPARE(slices.load(), (count + 63) / 64);
        }

    const QStringList lines = GeneratedLines(7, 3000);
    const ExplanationLanguage one(u"DE");
    QStringList alone;
    for (const QString& line : lines)
        alone.append(Shown(ExplainLine(line, one)));
    ExplanationTeam team(u"DE");
    team.prepare(4);
    std::vector<QString> together(static_cast<size_t>(lines.size()));
    RunInSlices(lines.size(), 4, 100, [&](int worker, qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            together[static_cast<size_t>(i)] = Shown(ExplainLine(lines[i], team.of(worker)));
    });
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(together[static_cast<size_t>(i)], alone[i]);
}

QTEST_GUILESS_MAIN(TestLineExplanation)
#include "test_line_explanation.moc"
