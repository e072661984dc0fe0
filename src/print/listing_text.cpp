#include "print/listing.h"

#include "texts/blanks.h"

#include <algorithm>

namespace vx {

QString ListingText(const ListingDocument& document) {
    QString out;
    QString row;
    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            out += QStringLiteral("\f\n");
        for (const ListingLine& line : document.pages[p].lines) {
            row.clear();
            for (const ListingPiece& piece : line.pieces) {
                // A piece owns its column: what an earlier piece wrote from
                // there on gives way, as the next tab stop would on paper.
                const qsizetype at = std::max(0, piece.column - 1);
                if (row.size() > at)
                    row.truncate(at);
                else
                    row.resize(at, u' ');
                row += piece.text;
            }
            out += RTrimView(row);
            out += u'\n';
        }
    }
    return out;
}

} // namespace vx
