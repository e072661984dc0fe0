#include "render/listing_painter.h"

#include "document/file_io.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace vx {

namespace {

constexpr qreal LinesPerPage = ListingLayout::LinesPerPage;
constexpr qreal MinimumPointSize = 6.0;

bool haveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Where the widest printed line ends, in device units, at the font base: a
// piece runs to the end of its text or to the next piece, which cuts it.
qreal widestLine(const ListingDocument& document, const QFont& base, QPagedPaintDevice& device) {
    QFont bold = base;
    bold.setBold(true);
    const QFontMetricsF plain(base, &device);
    const QFontMetricsF heavy(bold, &device);
    const qreal column = plain.averageCharWidth();
    qreal widest = 0;
    for (const ListingPage& page : document.pages)
        for (const ListingLine& line : page.lines) {
            if (line.pieces.isEmpty())
                continue;
            const ListingPiece& last = line.pieces.back();
            const QFontMetricsF& m = last.bold ? heavy : plain;
            widest = std::max(widest, (last.column - 1) * column + m.horizontalAdvance(last.text));
        }
    return widest;
}

// How much the font must shrink for sixty lines a sheet and the widest line
// across it on the device as its page now stands; 1 when it fits.
qreal fittingScale(const ListingDocument& document, const QFont& base, QPagedPaintDevice& device) {
    const QFontMetricsF metrics(base, &device);
    const qreal width = device.width();
    const qreal height = device.height();
    const qreal widest = widestLine(document, base, device);
    qreal scale = std::min(1.0, height / (metrics.lineSpacing() * LinesPerPage));
    if (widest > 0)
        scale = std::min(scale, width / widest);
    return scale;
}

// The piece's text as it fits into room: whole, or elided where the piece
// says, its kept start untouched while there is room for it.
QString fitted(const ListingPiece& piece, const QFontMetricsF& metrics, qreal room) {
    if (metrics.horizontalAdvance(piece.text) <= room)
        return piece.text;
    const Qt::TextElideMode mode =
        piece.elide == ListingPiece::Elide::Middle ? Qt::ElideMiddle : Qt::ElideRight;
    const QString kept = piece.text.left(piece.kept);
    const qreal rest = room - metrics.horizontalAdvance(kept);
    if (kept.isEmpty() || rest <= 0)
        return metrics.elidedText(piece.text, Qt::ElideRight, room);
    return kept + metrics.elidedText(piece.text.mid(piece.kept), mode, rest);
}

} // namespace

Status PaintListing(const ListingDocument& document, const FontChoice& font,
                    QPagedPaintDevice& device) {
    if (!haveGuiApplication())
        return Failure{QStringLiteral("printing needs the graphical application")};
    QFont base(font.name.isEmpty() ? QStringLiteral("Arial") : font.name);
    base.setStyleHint(QFont::SansSerif);
    base.setPointSizeF(font.size > 0 ? font.size : 10.08);
    // Every column on the paper: portrait when the widest printed line fits,
    // else landscape, else a smaller font, down to a size still readable.
    // The layout is decided before painting starts, so a preview shows it.
    qreal scale = fittingScale(document, base, device);
    if (scale < 1.0 && device.pageLayout().orientation() == QPageLayout::Portrait) {
        device.setPageOrientation(QPageLayout::Landscape);
        const qreal landscape = fittingScale(document, base, device);
        if (landscape > scale)
            scale = landscape;
        else
            device.setPageOrientation(QPageLayout::Portrait);
    }
    if (scale < 1.0)
        base.setPointSizeF(std::max(base.pointSizeF() * scale, MinimumPointSize));
    QPainter painter;
    if (!painter.begin(&device))
        return Failure{QStringLiteral("the print document cannot be started")};
    const qreal width = device.width();
    const qreal height = device.height();
    const QFontMetricsF metrics(base, &device);
    QFont heavy = base;
    heavy.setBold(true);
    const QFontMetricsF heavyMetrics(heavy, &device);
    const qreal column = metrics.averageCharWidth();
    const qreal step = std::min(metrics.lineSpacing(), height / LinesPerPage);
    // Proportional text can outrun its columns; a piece keeps this much clear
    // of the next one.
    const qreal gap = column / 2;

    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            return Failure{QStringLiteral("a new page cannot be started")};
        }
        const QList<ListingLine>& lines = document.pages[p].lines;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QList<ListingPiece>& pieces = lines[i].pieces;
            for (qsizetype k = 0; k < pieces.size(); ++k) {
                const ListingPiece& piece = pieces[k];
                const qreal x = (piece.column - 1) * column;
                const qreal right =
                    k + 1 < pieces.size() ? (pieces[k + 1].column - 1) * column - gap : width;
                if (piece.text.isEmpty() || right <= x)
                    continue;
                // Elided rather than clipped: a clipped glyph is still in the
                // PDF's text, and a reader would find it under the next piece.
                const QString text = fitted(piece, piece.bold ? heavyMetrics : metrics, right - x);
                if (text.isEmpty())
                    continue;
                QFont face = piece.bold ? heavy : base;
                face.setUnderline(piece.underline);
                painter.setFont(face);
                painter.drawText(QRectF(x, i * step, right - x, step),
                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
            }
        }
    }
    if (!painter.end())
        return Failure{QStringLiteral("the print document cannot be finished")};
    return {};
}

Result<QByteArray> RenderListingPdf(const ListingDocument& document, const FontChoice& font) {
    if (!haveGuiApplication())
        return Failure{QStringLiteral("PDF output needs the graphical application")};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Status painted;
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("VX-EDIT"));
        writer.setTitle(QStringLiteral("VX-EDIT"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 8, 10), QPageLayout::Millimeter);
        painted = PaintListing(document, font, writer);
    }
    if (!painted)
        return Failure{painted.message()};
    return buffer.data();
}

Status WriteListingPdf(const ListingDocument& document, const FontChoice& font,
                       const QString& path) {
    // Painted into memory first: the file is written by the one writer, which
    // never replaces a device or a FIFO and replaces a file only whole.
    const Result<QByteArray> pdf = RenderListingPdf(document, font);
    if (!pdf)
        return Failure{path + QStringLiteral(": ") + pdf.message()};
    if (const Status written = WriteOutputFile(path, *pdf); !written)
        return Failure{path + QStringLiteral(": ") + written.message()};
    return {};
}

} // namespace vx
