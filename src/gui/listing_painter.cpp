#include "gui/listing_painter.h"

#include "document/file_io.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace vx {

namespace {

constexpr qreal LinesPerPage = ListingLayout::LinesPerPage;
// The command line's column and 25 characters of it.
constexpr qreal FittingColumns = ListingLayout::CommandLineColumn + 25;

bool haveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void setError(QString* error, const QString& text) {
    if (error != nullptr)
        *error = text;
}

} // namespace

bool PaintListing(const ListingDocument& document, const FontChoice& font,
                  QPagedPaintDevice& device, QString* error) {
    if (!haveGuiApplication()) {
        setError(error, QStringLiteral("printing needs the graphical application"));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        setError(error, QStringLiteral("the print document cannot be started"));
        return false;
    }
    QFont base(font.name.isEmpty() ? QStringLiteral("Arial") : font.name);
    base.setStyleHint(QFont::SansSerif);
    base.setPointSizeF(font.size > 0 ? font.size : 10.08);
    const qreal width = device.width();
    const qreal height = device.height();
    // A sheet must hold sixty lines and the columns up to the command line
    // with room for a short one; a font too large for that (or a wider
    // stand-in for a missing one) is printed smaller.
    {
        const QFontMetricsF wanted(base, &device);
        const qreal scale = std::min({1.0, height / (wanted.lineSpacing() * LinesPerPage),
                                      width / (wanted.averageCharWidth() * FittingColumns)});
        if (scale < 1.0)
            base.setPointSizeF(base.pointSizeF() * scale);
    }
    const QFontMetricsF metrics(base, &device);
    const qreal column = metrics.averageCharWidth();
    const qreal step = std::min(metrics.lineSpacing(), height / LinesPerPage);

    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            setError(error, QStringLiteral("a new page cannot be started"));
            return false;
        }
        const QList<ListingLine>& lines = document.pages[p].lines;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QList<ListingPiece>& pieces = lines[i].pieces;
            for (qsizetype k = 0; k < pieces.size(); ++k) {
                const ListingPiece& piece = pieces[k];
                const qreal x = (piece.column - 1) * column;
                const qreal right =
                    k + 1 < pieces.size() ? (pieces[k + 1].column - 1) * column : width;
                if (piece.text.isEmpty() || right <= x)
                    continue;
                QFont face = base;
                face.setBold(piece.bold);
                face.setUnderline(piece.underline);
                painter.setFont(face);
                painter.drawText(QRectF(x, i * step, right - x, step),
                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, piece.text);
            }
        }
    }
    if (!painter.end()) {
        setError(error, QStringLiteral("the print document cannot be finished"));
        return false;
    }
    return true;
}

bool WriteListingPdf(const ListingDocument& document, const FontChoice& font, const QString& path,
                     QString* error) {
    if (!haveGuiApplication()) {
        setError(error, path + QStringLiteral(": PDF output needs the graphical application"));
        return false;
    }
    // Painted into memory first: the file is written by the one writer, which
    // never replaces a device or a FIFO and replaces a file only whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("VX-EDIT"));
        writer.setTitle(QStringLiteral("VX-EDIT"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 8, 10), QPageLayout::Millimeter);
        painted = PaintListing(document, font, writer, error);
    }
    if (!painted)
        return false;
    QString reason;
    if (!WriteOutputFile(path, buffer.data(), &reason)) {
        setError(error, path + QStringLiteral(": ") + reason);
        return false;
    }
    return true;
}

void InstallListingPainter() {
    SetPdfListingWriter(&WriteListingPdf);
}

SystemPrinter::SystemPrinter() {
    if (haveGuiApplication()) {
        const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font_.name = system.family();
        font_.size = system.pointSizeF() > 0 ? system.pointSizeF() : 10.0;
    }
}

bool SystemPrinter::installed() const {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void SystemPrinter::setFont(const FontChoice& font) {
    font_.name = font.name;
    font_.size = font.size;
    if (!haveGuiApplication() || font.name.isEmpty())
        return;
    QFont wanted(font.name);
    wanted.setPointSizeF(font.size > 0 ? font.size : 10.0);
    font_.name = QFontInfo(wanted).family();
}

bool SystemPrinter::printListing(const ListingDocument& document) {
    lastError_.clear();
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty()) {
            lastError_ = QStringLiteral("no printer");
            return false;
        }
        info = all.front();
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("VX-EDIT"));
    if (previewFirst && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
        return PreviewAndPrint(document, font_, printer, QApplication::activeWindow(), &lastError_);
    return PaintListing(document, font_, printer, &lastError_);
}

bool PreviewAndPrint(const ListingDocument& document, const FontChoice& font, QPrinter& printer,
                     QWidget* parent, QString* error) {
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("VX-EDIT"));
    // The preview paints for the screen, the print button once more for the
    // printer; the last painting decides.
    bool painted = true;
    QString reason;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         reason.clear();
                         painted = PaintListing(document, font, *target, &reason);
                     });
    if (preview.exec() != QDialog::Accepted) {
        setError(error, QString());
        return false;
    }
    if (!painted) {
        setError(error, reason);
        return false;
    }
    return true;
}

} // namespace vx
