#include "render/cups_printer.h"

#include "render/listing_painter.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace vx {

namespace {

constexpr int ClientTimeoutMs = 60'000;

struct ClientRun {
    bool ok = false;
    QByteArray out;
    QString error;
};

// The client's answers are parsed: they must not come translated.
ClientRun runClient(const QString& program, const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    ClientRun run;
    if (!process.waitForStarted(ClientTimeoutMs)) {
        run.error = program + QStringLiteral(": ") + process.errorString();
        return run;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(ClientTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.error = program + QStringLiteral(": no answer from the print system");
        return run;
    }
    run.out = process.readAllStandardOutput();
    run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!run.ok) {
        run.error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        if (run.error.isEmpty())
            run.error = program + QStringLiteral(" failed");
    }
    return run;
}

QStringList destinations() {
    const ClientRun run = runClient(QStringLiteral("lpstat"), {QStringLiteral("-e")});
    if (!run.ok)
        return {};
    return QString::fromLocal8Bit(run.out).split(u'\n', Qt::SkipEmptyParts);
}

QString defaultDestination() {
    const ClientRun run = runClient(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    const QString text = QString::fromLocal8Bit(run.out).trimmed();
    const QString prefix = QStringLiteral("system default destination: ");
    return run.ok && text.startsWith(prefix) ? text.mid(prefix.size()).trimmed() : QString();
}

} // namespace

CupsPrinter::CupsPrinter() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font_.name = system.family();
        font_.size = system.pointSizeF() > 0 ? system.pointSizeF() : 10.0;
    }
}

bool CupsPrinter::installed() const {
    return !destinations().isEmpty();
}

void CupsPrinter::setFont(const FontChoice& font) {
    font_.name = font.name;
    font_.size = font.size;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr ||
        font.name.isEmpty())
        return;
    QFont wanted(font.name);
    wanted.setPointSizeF(font.size > 0 ? font.size : 10.0);
    font_.name = QFontInfo(wanted).family();
}

bool CupsPrinter::printListing(const ListingDocument& document) {
    lastError_.clear();
    QString destination = defaultDestination();
    if (destination.isEmpty()) {
        const QStringList all = destinations();
        if (all.isEmpty()) {
            lastError_ = QStringLiteral("no printer");
            return false;
        }
        destination = all.front();
    }
    const Result<QByteArray> pdf = RenderListingPdf(document, font_);
    if (!pdf) {
        lastError_ = pdf.message();
        return false;
    }
    const ClientRun run = runClient(
        QStringLiteral("lp"),
        {QStringLiteral("-d"), destination, QStringLiteral("-t"), QStringLiteral("VX-EDIT")}, *pdf);
    if (!run.ok)
        lastError_ = destination + QStringLiteral(": ") + run.error;
    return run.ok;
}

} // namespace vx
