// Time to render the listing of a full schedule (1999 lines, every command
// family, jumps and addresses) as text, and as a PDF through vxedit-cli.
// Prints figures; targets: text under 20 ms, PDF under 2 s.

#include "print/listing.h"
#include "texts/text_catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vx;

namespace {

std::vector<QString> FullSchedule() {
    static const char* const kinds[] = {
        "A, M",
        "B, 12, B, 7",
        "C, 12, 5, ON",
        "D, 5, A, M7",
        "F, K, 5, B",
        "G, L%1",
        "H, ?, M12",
        "I, 1, 99, 7",
        "J, 2, 1",
        "K, 5, F, AND",
        "L, 12+, B, +10, F, 1",
        "M, M5, O",
        "N3, NEXT.VFP, 10",
        "O, 1, 5, L",
        "P, HORN.WAV",
        "Q3, S, 2, -2",
        "R, S%1, 5",
        "S, 7, R",
        "T, 12, 30, S, 10",
        "U, S%1",
        "V3, 25",
        "W, 5",
        "X, 7, W, R",
        "Y, 12, F",
        "Z, 25",
        "/I, Train late, sorry",
        "!, L%1",
        "*  remark %1",
        "E",
        "M, 12, G  * with a trailing remark that makes the line a little longer"};
    std::vector<QString> lines(1);
    const int count = static_cast<int>(std::size(kinds));
    for (int n = 1; n <= 1999; ++n) {
        QString line = QString::fromLatin1(kinds[n % count]);
        if (line.contains(u"%1"))
            line = line.arg(n % 400);
        lines.push_back(line);
    }
    return lines;
}

struct Quiet : ListingReporter {
    int messages = 0;
    void reportError(int, int, const QString&, int, const QString&) override { ++messages; }
    void reportDoubleAddress(int, int, const QString&) override { ++messages; }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TextCatalogue catalogue;
    catalogue.LoadCatalogue(QStringLiteral("EN"));
    const std::vector<QString> lines = FullSchedule();
    const ListingSource source{&lines, 1999, QStringLiteral("/schedules/full.vfp"),
                               QStringLiteral("31.12.2024")};

    std::vector<double> render;
    std::vector<double> text;
    qsizetype size = 0;
    int pages = 0;
    int messages = 0;
    for (int round = 0; round < 25; ++round) {
        Quiet quiet;
        QElapsedTimer timer;
        timer.start();
        const ListingDocument document = RenderListing(source, catalogue, &quiet);
        const qint64 rendered = timer.nsecsElapsed();
        size = ListingText(document).size();
        const qint64 written = timer.nsecsElapsed();
        render.push_back(rendered / 1e6);
        text.push_back(written / 1e6);
        pages = static_cast<int>(document.pages.size());
        messages = quiet.messages;
    }
    std::printf("listing of 1999 lines: %d pages, %d messages, %lld characters of text\n", pages,
                messages, static_cast<long long>(size));
    std::printf("  render (median of 25):          %8.2f ms\n", Median(render));
    std::printf("  render + text form (median):    %8.2f ms   (target < 20 ms)\n", Median(text));

    // The PDF needs QtGui, which vxedit-cli links and the model does not: it is timed as
    // a whole run of `vxedit-cli listing --format pdf`, start-up included.
    const QString cli = QDir(QCoreApplication::applicationDirPath())
                            .absoluteFilePath(QStringLiteral("../vxedit-cli"));
    QTemporaryDir dir;
    if (!QFileInfo::exists(cli) || !dir.isValid()) {
        std::printf("  PDF: skipped (%s not built)\n", qPrintable(cli));
        return 0;
    }
    const QString schedule = dir.filePath(QStringLiteral("full.vfp"));
    QFile file(schedule);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    for (size_t n = 1; n < lines.size(); ++n)
        file.write(lines[n].toLatin1() + "\r\n");
    file.close();
    std::vector<double> pdf;
    for (int round = 0; round < 3; ++round) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(cli,
                      {QStringLiteral("listing"), QStringLiteral("--format"), QStringLiteral("pdf"),
                       QStringLiteral("-o"), dir.filePath(QStringLiteral("full.pdf")), schedule});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::printf("  PDF: vxedit-cli failed: %s\n",
                        process.readAllStandardError().constData());
            return 1;
        }
        pdf.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf(
        "  PDF, whole vxedit-cli run (median of 3): %8.1f ms   (target < 2000 ms), %lld bytes\n",
        Median(pdf),
        static_cast<long long>(QFileInfo(dir.filePath(QStringLiteral("full.pdf"))).size()));
    return 0;
}
