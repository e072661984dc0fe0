// Random schedules through the listing renderer: every page keeps its size,
// pieces stay in column order, and the text form has one line per printed
// line. Lines are built from command letters and operand pieces so that the
// jump targets, blocks and indents are reached, not only false input.

#include "print/listing.h"
#include "texts/text_catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

const char* const kPieces[] = {"1",   "12", "0",  "999", "1000", "B",   "F",  "M5", "+5", "-3",
                               "&",   "UZ", "Z",  "S",   "E",    "2.7", "30", "A",  "N",  "X",
                               "1,2", "",   "P2", "R",   "G",    "V",   "U",  "  ", ";",  "\xe4"};
const char kLetters[] = "KLFSWVDZTRGUEIAQ!*/#HJMNOPXYBC ";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vx::TextCatalogue catalogue;
    std::vector<QString> lines(1);
    std::size_t i = 0;
    if (size > 0)
        catalogue.LoadCatalogue(vx::TextCatalogue::languageCode(vx::Language(data[i++] % 3)));
    while (i < size && lines.size() < 400) {
        QString line = QChar::fromLatin1(kLetters[data[i++] % (sizeof kLetters - 1)]);
        const int operands = i < size ? data[i++] % 6 : 0;
        for (int k = 0; k < operands && i < size; ++k) {
            line += QStringLiteral(", ");
            line += QString::fromLatin1(kPieces[data[i++] % std::size(kPieces)]);
        }
        lines.push_back(line);
    }
    vx::ListingSource source;
    source.lines = &lines;
    source.rowCount = static_cast<int>(lines.size()) - 1;
    source.date = QStringLiteral("06.12.2026");
    const vx::ListingDocument document = vx::RenderListing(source, catalogue, nullptr);
    qsizetype printed = 0;
    for (const vx::ListingPage& page : document.pages) {
        check(page.lines.size() <= vx::ListingLayout::LinesPerPage);
        printed += page.lines.size();
        for (const vx::ListingLine& line : page.lines)
            for (qsizetype p = 1; p < line.pieces.size(); ++p)
                check(line.pieces[p - 1].column <= line.pieces[p].column);
    }
    const QString text = vx::ListingText(document);
    const qsizetype formFeeds = document.pages.isEmpty() ? 0 : document.pages.size() - 1;
    check(text.count(u'\n') == printed + formFeeds);
    return 0;
}
