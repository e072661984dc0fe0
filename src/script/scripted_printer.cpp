#include "script/scripted_printer.h"

#include "document/file_io.h"

#include <utility>

namespace vx {

Result<QByteArray> PaintPdf(PdfPainter* painter, const ListingDocument& document,
                            const FontChoice& font) {
    if (painter != nullptr)
        return painter->paintListing(document, font);
    return Failure{QStringLiteral("PDF output is not available in this program")};
}

bool ScriptedPrinter::configure(QStringView setting, QString* error) {
    if (setting == u"none" || setting == u"system") {
        if (setting == u"system" && system == nullptr) {
            if (error != nullptr)
                *error = QStringLiteral("printer: this program cannot reach the system's printers");
            return false;
        }
        mode = setting == u"none" ? Mode::None : Mode::System;
        path.clear();
        return true;
    }
    for (const auto& [word, wanted] :
         {std::pair{u"pdf ", Mode::Pdf}, std::pair{u"text ", Mode::Text}}) {
        const QStringView prefix(word);
        if (!setting.startsWith(prefix))
            continue;
        const QString target = setting.mid(prefix.size()).toString();
        if (target.isEmpty())
            break;
        mode = wanted;
        path = target;
        return true;
    }
    if (error != nullptr)
        *error = QStringLiteral("printer: expected 'none', 'pdf PATH', 'text PATH' or 'system'");
    return false;
}

bool ScriptedPrinter::installed() const {
    if (mode == Mode::System)
        return system->installed();
    return mode != Mode::None;
}

FontChoice ScriptedPrinter::font() const {
    return mode == Mode::System ? system->font() : currentFont;
}

void ScriptedPrinter::setFont(const FontChoice& font) {
    if (mode == Mode::System) {
        system->setFont(font);
        return;
    }
    currentFont.name = font.name;
    currentFont.size = font.size;
}

bool ScriptedPrinter::printListing(const ListingDocument& document) {
    lastError_.clear();
    if (mode == Mode::None) {
        lastError_ = QStringLiteral("no printer");
        return false;
    }
    ++listingsPrinted;
    lastListing = document;
    lastListingFont = font();
    if (mode == Mode::System) {
        const bool printed = system->printListing(document);
        lastError_ = system->lastError();
        return printed;
    }
    QByteArray bytes;
    if (mode == Mode::Pdf) {
        Result<QByteArray> pdf = PaintPdf(painter, document, currentFont);
        if (!pdf) {
            lastError_ = path + QStringLiteral(": ") + pdf.message();
            return false;
        }
        bytes = std::move(*pdf);
    } else {
        bytes = ListingText(document).toUtf8();
    }
    if (const Status written = WriteOutputFile(path, bytes); !written) {
        lastError_ = path + QStringLiteral(": ") + written.message();
        return false;
    }
    return true;
}

} // namespace vx
