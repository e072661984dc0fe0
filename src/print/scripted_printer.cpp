#include "print/scripted_printer.h"

#include <QSaveFile>

#include <utility>

namespace vx {

bool ScriptedPrinter::configure(QStringView setting, QString* error) {
    if (setting == u"none") {
        mode = Mode::None;
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
        *error = QStringLiteral("printer: expected 'none', 'pdf PATH' or 'text PATH'");
    return false;
}

void ScriptedPrinter::setFont(const FontChoice& font) {
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
    lastListingFont = currentFont;
    if (mode == Mode::Pdf) {
        const PdfListingWriter writer = GetPdfListingWriter();
        if (writer == nullptr) {
            lastError_ = path + QStringLiteral(": PDF output is not available in this program");
            return false;
        }
        return writer(document, currentFont, path, &lastError_);
    }
    QSaveFile file(path);
    const QByteArray bytes = ListingText(document).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        lastError_ = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

} // namespace vx
