#include "gui/system_printer.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace vx {

namespace {

bool haveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

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
    if (previewFirst && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        const Result<bool> printed =
            PreviewAndPrint(document, font_, printer, QApplication::activeWindow());
        lastError_ = printed.message();
        return printed && *printed;
    }
    const Status painted = PaintListing(document, font_, printer);
    if (!painted)
        lastError_ = painted.message();
    return static_cast<bool>(painted);
}

Result<bool> PreviewAndPrint(const ListingDocument& document, const FontChoice& font,
                             QPrinter& printer, QWidget* parent) {
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("VX-EDIT"));
    // The preview paints for the screen, the print button once more for the
    // printer; the last painting decides.
    Status painted;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { painted = PaintListing(document, font, *target); });
    if (preview.exec() != QDialog::Accepted)
        return false;
    if (!painted)
        return Failure{painted.message()};
    return true;
}

} // namespace vx
