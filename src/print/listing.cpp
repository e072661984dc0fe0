#include "print/listing.h"

#include "commands/command_family.h"
#include "commands/limits.h"
#include "commands/listing_words.h"
#include "commands/parsed_command.h"
#include "texts/basic_numbers.h"
#include "texts/blanks.h"
#include "texts/text_catalogue.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace vx {

namespace {

using namespace ListingLayout;

// The family of the line's command, by its first character.
const CommandBehaviour* FamilyOf(QStringView line) {
    const QStringView trimmed = TrimView(line);
    return trimmed.isEmpty() ? nullptr : BehaviourOf(trimmed.front().toUpper());
}

class Renderer : private ListingWords {
public:
    Renderer(const ListingSource& source, const TextCatalogue& catalogue, ListingReporter* reporter)
        : ListingWords(catalogue), source_(source), c_(catalogue), reporter_(reporter) {}

    ListingDocument run() {
        addressPass();
        for (int n = 1; n <= source_.rowCount; ++n) {
            const QString trimmed = Trim(line(n));
            if (trimmed.isEmpty())
                continue;
            const Rendered r = render(n, trimmed);
            print(n, trimmed, r);
        }
        lineCounter_ = 0;
        return std::move(document_);
    }

private:
    struct Rendered {
        QString text;
        QString suffix; // jump target of goto and call lines, behind the cut
        bool faulty = false;
    };

    const QString& line(int n) const {
        static const QString none;
        const std::vector<QString>& lines = *source_.lines;
        return n >= 0 && static_cast<size_t>(n) < lines.size() ? lines[static_cast<size_t>(n)]
                                                               : none;
    }

    using ListingWords::T;

    QString linePrefix(int n) const {
        return QStringLiteral("vfp: ") + T(u"LNo.") + QString::number(n) + QStringLiteral(": ");
    }

    void reportError(int number, const QString& item) override {
        if (reporter_ != nullptr)
            reporter_->reportError(number, 0, linePrefix(currentLine_) + item, currentLine_,
                                   currentText_);
    }

    void reportTableFull(int n, const QString& commandLine) {
        if (reporter_ == nullptr)
            return;
        const QString detail = linePrefix(n) + T(u"Value") + QStringLiteral(": ") +
                               T(u"Max. addresses per schedule") + u' ' + T(u"to small") + u'!';
        reporter_->reportError(27013, 0, detail, n, commandLine);
    }

    // ---- addresses ---------------------------------------------------------

    void addressPass() {
        for (int n = 1; n <= source_.rowCount; ++n) {
            const CommandBehaviour* family = FamilyOf(line(n));
            if (!family || !family->uses)
                continue;
            const QString trimmed = Trim(line(n));
            const ParsedCommand parsed = ParseCommand(trimmed);
            const auto defines =
                std::find_if(parsed.uses.begin(), parsed.uses.end(), [](const Use& u) {
                    return u.thing == Thing::Address && u.access == Access::Defines;
                });
            if (defines == parsed.uses.end())
                continue;
            const QString& name = defines->id;
            const auto it = addressIndex_.constFind(name);
            if (it != addressIndex_.constEnd()) {
                const int first = addressLine_[static_cast<size_t>(*it)];
                if (first > 0)
                    reportDoubleAddress(first, n, name);
                continue;
            }
            if (addressLine_.size() >= static_cast<size_t>(MaxAddresses)) {
                reportTableFull(n, trimmed);
                continue;
            }
            addressIndex_.insert(name, static_cast<int>(addressLine_.size()));
            addressLine_.push_back(n);
        }
    }

    void reportDoubleAddress(int first, int again, const QString& name) {
        if (reporter_ != nullptr)
            reporter_->reportDoubleAddress(first, again, name);
    }

    // The line at which a jump target is defined, 0 when nowhere. A name seen
    // for the first time takes a place in the table, as long as there is one.
    int targetLine(const QString& name) {
        const auto it = addressIndex_.constFind(name);
        if (it != addressIndex_.constEnd())
            return addressLine_[static_cast<size_t>(*it)];
        if (addressLine_.size() >= static_cast<size_t>(MaxAddresses)) {
            reportTableFull(currentLine_, currentText_);
            return 0;
        }
        addressIndex_.insert(name, static_cast<int>(addressLine_.size()));
        addressLine_.push_back(0);
        return 0;
    }

    QString targetSuffix(const QString& name) override {
        const int at = targetLine(UpperTrim(name));
        return QStringLiteral(" <") + T(u"LNo.") + u'=' + (at > 0 ? Str(at) : T(u"undefined")) +
               u'>';
    }

    // ---- pages -------------------------------------------------------------

    void startPage() {
        ++page_;
        ListingPage page;
        page.lines = ListingPageHead(
            c_, QStringLiteral("VX-EDIT   ") + T(u"schedule file") + QStringLiteral(": "),
            source_.filePath, source_.date, page_);
        page.lines.reserve(LinesPerPage);
        ListingLine titles;
        titles.pieces.append({LineNumberTitleColumn, T(u"LNo."), false, true});
        titles.pieces.append({TextColumn, T(u"S c h e d u l e - command as text"), false, true});
        titles.pieces.append({CommandLineColumn, T(u"command line"), false, true});
        page.lines.append(titles);
        document_.pages.append(page);
        lineCounter_ = HeaderLines;
    }

    void print(int n, const QString& trimmed, const Rendered& r) {
        if (lineCounter_ > LinesPerPage - 1)
            startPage();
        const CommandBehaviour* before = n > 1 ? FamilyOf(line(n - 1)) : nullptr;
        const QString indent =
            before && before->block == Block::Condition ? QString(IndentWidth, u' ') : QString();
        const QString number = Str(n);
        ListingLine printed;
        printed.pieces.append(
            {LineNumberEndColumn - static_cast<int>(number.size() - 1), number, false, false});
        printed.pieces.append(
            {TextColumn, QString(indent + Trim(r.text)).left(TextWidth) + r.suffix, false, false});
        const QString commandLine = r.faulty ? QStringLiteral("* ") + trimmed : trimmed;
        printed.pieces.append(
            {CommandLineColumn, commandLine.left(CommandLineWidth), false, false});
        document_.pages.back().lines.append(printed);
        ++lineCounter_;
    }

    // ---- rendering ---------------------------------------------------------

    void openBlock(const QString& what) override { blocks_.append(what); }
    QString closeBlock() override {
        return blocks_.isEmpty() ? T(u"schedule") : blocks_.takeLast();
    }

    Rendered render(int n, const QString& trimmed) {
        currentLine_ = n;
        currentText_ = trimmed;
        const ListingSplit s = SplitForListing(trimmed);
        Rendered r;
        const CommandBehaviour* family = BehaviourOf(s.code);
        if (family == nullptr || family->listing == nullptr) {
            r.text = c_.CommandNames(30);
            return r;
        }
        suffix.clear();
        if (const ListedLine text = family->listing(*this, s))
            r.text = *text;
        else
            r.faulty = true;
        r.suffix = suffix;
        if (r.faulty)
            r.text = QStringLiteral("* ") + T(u"Schedule command with error, changed => *");
        return r;
    }

    const ListingSource& source_;
    const TextCatalogue& c_;
    ListingReporter* reporter_;

    QHash<QString, int> addressIndex_;
    std::vector<int> addressLine_; // per address: the line defining it, 0 = none
    QStringList blocks_;           // what an End closes, innermost last
    int page_ = 0;
    int lineCounter_ = LinesPerPage;
    int currentLine_ = 0;
    QString currentText_;
    ListingDocument document_;
};

} // namespace

QList<ListingLine> ListingPageHead(const TextCatalogue& catalogue, const QString& label,
                                   const QString& path, const QString& date, int page) {
    QList<ListingLine> lines(2);
    ListingLine header;
    // A long path gives way in its middle: the label, the path's start and
    // the file name stay.
    header.pieces.append({ListingLayout::HeaderColumn, label + path, true, false,
                          ListingPiece::Elide::Middle, label.size()});
    if (!date.isEmpty())
        header.pieces.append({ListingLayout::DateColumn, date, true, false});
    header.pieces.append(
        {ListingLayout::CommandLineColumn, catalogue.tx(u"Page:") + Str(page), true, false});
    lines.append(header);
    lines.append(ListingLine{});
    return lines;
}

ListingDocument RenderListing(const ListingSource& source, const TextCatalogue& catalogue,
                              ListingReporter* reporter) {
    if (source.lines == nullptr)
        return {};
    ListingSource bounded = source;
    bounded.rowCount = std::min<int>(source.rowCount, static_cast<int>(source.lines->size()) - 1);
    Renderer renderer(bounded, catalogue, reporter);
    return renderer.run();
}

} // namespace vx
