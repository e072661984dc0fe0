#include "print/listing.h"

#include "commands/line_syntax.h"
#include "texts/basic_numbers.h"
#include "texts/blanks.h"
#include "texts/text_catalogue.h"

#include <QHash>

#include <algorithm>

#include <cmath>
#include <optional>

namespace vx {

namespace {

using namespace ListingLayout;

QChar FirstUpper(QStringView text) {
    return text.isEmpty() ? QChar() : text.front().toUpper();
}

QString UpperTrim(const QString& text) {
    return Trim(text).toUpper();
}

QString Capitalised(const QString& text) {
    if (text.isEmpty())
        return text;
    return text.front().toUpper() + text.mid(1);
}

// Everything behind the k-th comma of an operating command, left-trimmed: its
// free text, commas included.
QString TextAfterComma(QStringView line, int k) {
    qsizetype at = -1;
    for (int i = 0; i < k; ++i) {
        at = line.indexOf(u',', at + 1);
        if (at < 0)
            return QString();
    }
    return Trim(line.mid(at + 1));
}

QChar CodeOf(QStringView line) {
    const QStringView trimmed = TrimView(line);
    return trimmed.isEmpty() ? QChar() : trimmed.front().toUpper();
}

class Renderer {
public:
    Renderer(const ListingSource& source, const TextCatalogue& catalogue, ListingReporter* reporter)
        : source_(source), c_(catalogue), reporter_(reporter) {}

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

    // One line split as the listing reads it: remark lines and operating
    // commands keep their case, every other line is upper-cased first.
    struct Split {
        QChar code;
        QString digit;     // schedule number 1..9 behind the code, or ""
        QString op[6];     // op[1]..op[5]
        QString work;      // the line as split
        int textComma = 2; // operating commands: their text follows this comma
    };

    const QString& line(int n) const {
        static const QString none;
        const std::vector<QString>& lines = *source_.lines;
        return n >= 0 && static_cast<size_t>(n) < lines.size() ? lines[static_cast<size_t>(n)]
                                                               : none;
    }

    const QString& T(QStringView english) const { return c_.tx(english); }

    QString linePrefix(int n) const {
        return QStringLiteral("vfp: ") + T(u"LNo.") + QString::number(n) + QStringLiteral(": ");
    }

    void reportError(int number, const QString& item) {
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
            const QChar code = CodeOf(line(n));
            if (code != u'!' && code != u'U')
                continue;
            const QString trimmed = Trim(line(n));
            const auto f = SplitLine(trimmed.toUpper());
            const QString name = UpperTrim(f[1]);
            if (name.isEmpty())
                continue;
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
        if (reporter_ == nullptr)
            return;
        const QString& br = TextCatalogue::HintLineBreak();
        const QString prompt = c_.ErrorParts(1) + QStringLiteral("  ") + T(u"Schedule data") +
                               u':' + br + br + c_.ErrorTexts(16) + br + T(u"defined at: ") + u'<' +
                               Str(first) + QStringLiteral(" > ") + T(u" and also at: ") +
                               QStringLiteral("< ") + QString::number(again) +
                               QStringLiteral(" >: ") + name + br +
                               T(u"Please, correct before starting!");
        const QString title = c_.ErrorTexts(5) + Str(27016);
        reporter_->showMessage(27016, prompt,
                               MsgStyle::Ok + MsgStyle::Critical + MsgStyle::SystemModal, title);
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

    QString targetSuffix(const QString& name) {
        const int at = targetLine(UpperTrim(name));
        return QStringLiteral(" <") + T(u"LNo.") + u'=' + (at > 0 ? Str(at) : T(u"undefined")) +
               u'>';
    }

    // ---- pages -------------------------------------------------------------

    void startPage() {
        ++page_;
        ListingPage page;
        page.lines.reserve(LinesPerPage);
        page.lines.append(ListingLine{});
        page.lines.append(ListingLine{});
        ListingLine header;
        // A long path gives way in its middle: the label, the path's start and
        // the file name stay.
        const QString label =
            QStringLiteral("VX-EDIT   ") + T(u"schedule file") + QStringLiteral(": ");
        header.pieces.append({HeaderColumn, label + source_.filePath, true, false,
                              ListingPiece::Elide::Middle, label.size()});
        if (!source_.date.isEmpty())
            header.pieces.append({DateColumn, source_.date, true, false});
        header.pieces.append({CommandLineColumn, T(u"Page:") + Str(page_), true, false});
        page.lines.append(header);
        page.lines.append(ListingLine{});
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
        const QString indent =
            n > 1 && CodeOf(line(n - 1)) == u'F' ? QString(IndentWidth, u' ') : QString();
        const QString number = Str(n);
        ListingLine printed;
        printed.pieces.append(
            {LineNumberEndColumn - static_cast<int>(number.size() - 1), number, false, false});
        printed.pieces.append(
            {TextColumn, (indent + Trim(r.text)).left(TextWidth) + r.suffix, false, false});
        const QString commandLine = r.faulty ? QStringLiteral("* ") + trimmed : trimmed;
        printed.pieces.append(
            {CommandLineColumn, commandLine.left(CommandLineWidth), false, false});
        document_.pages.back().lines.append(printed);
        ++lineCounter_;
    }

    // ---- rendering ---------------------------------------------------------

    Split split(const QString& trimmed) const {
        Split s;
        const QChar first = trimmed.front();
        s.work = first == u'*' || first == u'/' ? trimmed : trimmed.toUpper();
        const auto f = SplitLine(s.work);
        s.code = f[0].isEmpty() ? QChar() : f[0].front().toUpper();
        if (f[0].size() > 1 && f[0][1] >= u'1' && f[0][1] <= u'9')
            s.digit = f[0].mid(1, 1);
        for (int k = 1; k <= 5; ++k)
            s.op[k] = f[static_cast<size_t>(k)];
        // "/M, text" as well as "/, M, text": the letter may follow the slash.
        if (s.code == u'/' && f[0].size() > 1) {
            for (int k = 5; k >= 2; --k)
                s.op[k] = s.op[k - 1];
            s.op[1] = Trim(QStringView(f[0]).mid(1));
            s.textComma = 1;
        }
        return s;
    }

    Rendered render(int n, const QString& trimmed) {
        currentLine_ = n;
        currentText_ = trimmed;
        const Split s = split(trimmed);
        Rendered r;
        // One group per command family (commands/command_family.h).
        switch (s.code.unicode()) {
        case u'B':
        case u'K':
            r.text = contact(s);
            break;
        case u'H':
            r.text = fetchLocomotive(s);
            break;

        case u'A':
            r.text = initialStatus(s);
            break;
        case u'M':
        case u'S':
            r.text = article(s);
            break;
        case u'X':
        case u'Y':
            r.text = switchRoute(s);
            break;
        case u'O':
            r.text = turntable(s);
            break;

        case u'L':
            if (const auto text = locomotive(s))
                r.text = *text;
            else
                r.faulty = true;
            break;
        case u'C':
            if (const auto text = functionModule(s))
                r.text = *text;
            else
                r.faulty = true;
            break;

        case u'D':
            r.text = marker(s);
            break;
        case u'Q':
            r.text = queue(s);
            break;
        case u'V':
            r.text = setVariable(s);
            break;
        case u'I':
            r.text = randomNumber(s);
            break;

        case u'T':
            r.text = modelTime(s);
            break;
        case u'Z':
            r.text = timeDelay(s);
            break;

        case u'F':
            r.text = condition(s);
            break;
        case u'G':
            r = gotoLine(s);
            break;
        case u'!':
            r.text = T(u"GOTO address") + u' ' + s.op[1];
            break;
        case u'R':
            r = callLine(s);
            break;
        case u'U':
            r.text = subroutineStart(s);
            break;
        case u'W':
            r.text = repeat(s);
            blocks_.append(T(u"Repeat "));
            break;
        case u'E':
            r.text = T(u"End") + u' ' + (blocks_.isEmpty() ? T(u"schedule") : blocks_.takeLast());
            break;
        case u'N':
            r.text = loadSchedule(s);
            break;

        case u'/':
            r.text = operating(s);
            break;
        case u'*':
            r.text = Trim(s.op[1]);
            break;
        case u'J':
            r.text = jam(s);
            break;
        case u'P':
            r.text = sound(s);
            break;

        default:
            r.text = c_.CommandNames(30);
            break;
        }
        if (r.faulty)
            r.text = QStringLiteral("* ") + T(u"Schedule command with error, changed => *");
        return r;
    }

    // ---- shared by several families ----------------------------------------
    // The families below are those of commands/command_family.h, in sections
    // named like their files.

    QString contactState(QChar state) const {
        if (state == u'B')
            return u' ' + UpperTrim(c_.SwitchStateNames(7));
        if (state == u'F')
            return u' ' + UpperTrim(c_.SwitchStateNames(1));
        return QString();
    }

    QString connector(const QString& op) const {
        if (op == u"AND")
            return u' ' + T(u"AND");
        if (op == u"OR")
            return u' ' + T(u"OR");
        return QString();
    }

    // ---- contacts: B, K, H -------------------------------------------------

    QString contact(const Split& s) const {
        const QString number = Trim(s.op[1]).toLower();
        const bool occupy = s.code == u'B';
        QString text = occupy ? T(u"Occupy contact") + u' ' + number + QStringLiteral(" =>")
                              : T(u"Contact no. ") + u' ' + number;
        text += contactState(FirstUpper(s.op[2]));
        if (occupy) {
            if (!s.op[3].isEmpty() && Val(s.op[3]) >= 0) {
                const int loco = Held(Val(s.op[3]), 0, 999999);
                text += u' ' + T(u" with ") + u' ' +
                        (loco == 0 ? T(u"SET variable") : T(u"Loco no.") + Str(loco));
            }
        } else {
            const QString joined = connector(s.op[3]);
            text += joined.isEmpty() ? T(u" waiting") : joined;
        }
        return text;
    }

    QString fetchLocomotive(const Split& s) const {
        QString text = T(u"Fetch locomotive number from contact no. ") + u' ' +
                       (s.op[1].startsWith(u'?') ? T(u"1. triggered contact") : s.op[1]);
        const QString& target = s.op[2];
        if (target.startsWith(u'M'))
            return text + QStringLiteral(" --> ") + T(u"Marker no.") + target.mid(1);
        return text + QStringLiteral(" --> ") + T(u"SET variable") + u'[' + target + u']';
    }

    // ---- articles_signals: A, M, S, X, Y, O --------------------------------

    QString initialStatus(const Split& s) const {
        switch (FirstUpper(s.op[1]).unicode()) {
        case u'M':
            return T(u"Only magnetic articles ==> Initial status");
        case u'C':
        case u'K':
            return T(u"Only contacts ==> Initial status");
        case u'F':
        case u'R':
            return T(u"Only routes ==> Initial status");
        case u'S':
            return T(u"Only all signals ==> Initial status");
        case u'W':
        case u'P':
            return T(u"Only all track switches/points ==> Initial status");
        default:
            return T(u"Magnetics/Contacts/Switch routes ==> Initial status");
        }
    }

    QString article(const Split& s) {
        const bool magnetic = s.code == u'M';
        const QString& op1 = s.op[1];
        const bool viaMarker = op1.startsWith(u'M');
        QString text;
        if (viaMarker) {
            text = Capitalised(magnetic ? T(u"Magnetic") : T(u"Signal"));
            const QString number = Trim(QStringView(op1).mid(1));
            const double value = Val(number);
            if (number.isEmpty() || value < 1 || value > 999) {
                reportError(27019, op1);
                return text + QStringLiteral(" {=>999}");
            }
            text += u'(' + T(u"no. in marker ") + number + QStringLiteral(") ") +
                    T(u"Set to ").toLower() + QStringLiteral(" => ");
        } else {
            text = Capitalised(magnetic ? T(u"Magnetic-no:") : T(u"Signal no. ")) +
                   Str(Held(Val(op1), 0, 1024)) + u' ' + T(u"Set to ").toLower() +
                   QStringLiteral(" => ");
        }
        const QString& green = c_.PositionNames(2);
        const QString& red = c_.PositionNames(3);
        const QString& orange = c_.PositionNames(4);
        switch (FirstUpper(s.op[2]).unicode()) {
        case u'G':
            text += magnetic ? green + u'/' + c_.PositionNames(18)
                             : UpperTrim(T(u"Proceed")) + u'/' + green;
            break;
        case u'R':
            text +=
                magnetic ? red + u'/' + c_.PositionNames(19) : UpperTrim(T(u"Stop")) + u'/' + red;
            break;
        case u'O':
        case u'S':
            text += magnetic ? orange + u'/' + c_.PositionNames(20)
                             : UpperTrim(T(u"Slow down")) + u'/' + orange;
            break;
        default:
            break;
        }
        return text;
    }

    QString switchRoute(const Split& s) const {
        const bool plain = s.code == u'X';
        const int number = plain ? Held(Val(s.op[1]), 0, 512) : Held(Val(s.op[1]), 0, 999);
        const QString numbered = T(u"switch route") + u'-' + T(u"no. ") + Str(number);
        const QString base = plain ? T(u"Switch route") + u'-' + T(u"no. ") + Str(number)
                                   : T(u"switch route") + u' ' + T(u"via marker no.") + Str(number);
        const QChar action = FirstUpper(s.op[2]);
        if (action.isNull() || action == u'S')
            return base + u' ' + T(u"switch");
        if (action == u'R')
            return T(u"Reserve") + u' ' + (plain ? numbered : base);
        if (action == u'F')
            return T(u"Release") + u' ' + (plain ? numbered : base);
        if (action == u'W') {
            const QChar state = FirstUpper(s.op[3]);
            const int entry = state == u'R' || state == u'B' ? 38 : 37;
            return T(u"wait until") + u' ' + base + u' ' + UpperTrim(c_.SwitchStateNames(entry));
        }
        return base;
    }

    QString rotation(const QString& direction) const {
        if (direction.isEmpty() || direction == u"A")
            return QStringLiteral(" (auto)");
        if (direction == u"L" || direction == u"2")
            return QStringLiteral(" <== (") + T(u"left") + u')';
        if (direction == u"R" || direction == u"3")
            return QStringLiteral(" ==> (") + T(u"right") + u')';
        return u' ' + direction;
    }

    QString turntable(const Split& s) const {
        QString text = T(u"Drehscheibe") + u' ' + T(u"no. ") + Trim(s.op[1]) + QStringLiteral(": ");
        const QString position = Trim(s.op[2]);
        const QString direction = Trim(s.op[3]);
        const QChar first = FirstUpper(position);
        switch (first.unicode()) {
        case u'T':
            return text + QStringLiteral("TURN (180°)");
        case u'S':
            return text + T(u"1 Step");
        case u'C':
            return text + QStringLiteral("CLEAR");
        case u'E':
            return text + QStringLiteral("END");
        case u'I':
            return text + QStringLiteral("INPUT");
        case u'D':
        case u'R':
            return text + T(u"Turn direction") + rotation(direction);
        default:
            break;
        }
        if (first.isDigit() || first == u'+' || first == u'-')
            return text + T(u"rotate to ") + T(u"Track") + u' ' + position + rotation(direction);
        return text + position;
    }

    // ---- locomotives: L, C (both can be faulty) ----------------------------

    QString steps(int k) const { return Str(k) + u' ' + (k == 1 ? T(u"step") : T(u"steps")); }

    std::optional<QString> locomotive(const Split& s) const {
        QString number = Trim(s.op[1]);
        const bool viaMarker = number.startsWith(u'M');
        if (viaMarker)
            number = Trim(QStringView(number).mid(1));
        QString window = QStringLiteral(" ");
        if (number.size() > 1 && (number.back() == u'+' || number.back() == u'-')) {
            window = number.back() == u'+' ? T(u" (open) ") : T(u" (close) ");
            number.chop(1);
        }
        if (!IsDigits(number))
            return std::nullopt;
        const double n = Val(number);
        if (viaMarker ? (n < 1 || n > 999) : n > 9999)
            return std::nullopt;
        QString text = viaMarker ? T(u"Loco no.") + u'(' + T(u"no. in marker ") + number + u')'
                                 : T(u"Loco no.") + Str(static_cast<int>(n));
        text += window;

        const QString action = Trim(s.op[2]);
        const QString how = Trim(s.op[3]);
        if (action == u"S" || action == u"B") {
            const bool absolute = action == u"S";
            static const QStringList old = {QStringLiteral("A"),   QStringLiteral("AL"),
                                            QStringLiteral("ALT"), QStringLiteral("O"),
                                            QStringLiteral("OL"),  QStringLiteral("OLD")};
            if (how.isEmpty()) {
                text += T(u"unchanging speed");
            } else if (old.contains(how)) {
                text += T(u"speed -->old (before=0)");
            } else if (how == u"H" || how == u"M" || how == u"L") {
                if (!absolute)
                    return std::nullopt;
                text += how == u"H"   ? T(u"Speed --> high")
                        : how == u"M" ? T(u"Speed --> middle")
                                      : T(u"Speed --> low");
            } else {
                const bool signedValue = how.front() == u'+' || how.front() == u'-';
                const QStringView digits = signedValue ? QStringView(how).mid(1) : QStringView(how);
                if (!IsDigits(digits) || Val(digits) > 126 || (signedValue && absolute))
                    return std::nullopt;
                const int k = static_cast<int>(Val(digits));
                if (absolute) {
                    if (k == 0)
                        text += T(u"stop");
                    else
                        text += T(u"speed") + steps(k) + QStringLiteral(" (") +
                                QString::number(static_cast<int>(std::lround(k * 100.0 / 126))) +
                                QStringLiteral("%)");
                } else if (k == 0) {
                    text += T(u"unchanging speed");
                } else if (how.front() == u'-') {
                    text += T(u"decelerating speed for") + steps(k);
                } else {
                    text += T(u"accelerating speed for:") + steps(k);
                }
            }
        } else if (action == u"U") {
            text += T(u"Change direction");
            if (how == u"R")
                text += QStringLiteral(" --> ") + T(u"backwards");
            else if (how == u"V")
                text += QStringLiteral(" --> ") + T(u"forward");
            else if (!how.isEmpty())
                return std::nullopt;
        } else {
            return std::nullopt;
        }

        const QString light = Trim(s.op[4]);
        const QString lightState = Trim(s.op[5]);
        if (light == u"F") {
            text += QStringLiteral(" + ") + T(u"Light");
            if (lightState == u"0" || lightState.startsWith(u'A'))
                text += u' ' + T(u"off");
            else if (lightState == u"1" || lightState.startsWith(u'E'))
                text += u' ' + T(u"on");
            else if (!lightState.isEmpty())
                return std::nullopt;
        } else if (!light.isEmpty() || !lightState.isEmpty()) {
            return std::nullopt;
        }
        return text;
    }

    std::optional<QString> functionModule(const Split& s) const {
        const QString module = Trim(s.op[1]);
        QString text;
        if (module.startsWith(u'M')) {
            const QStringView number = QStringView(module).mid(1);
            if (!IsDigits(number) || Val(number) < 1 || Val(number) > 999)
                return std::nullopt;
            text = T(u"F module addr.") + u'(' + T(u"no. in marker ") + number.toString() +
                   QStringLiteral("): ");
        } else {
            if (!IsDigits(module) || Val(module) > 9999)
                return std::nullopt;
            text = T(u"F module addr.") + u'=' + QString::number(Held(Val(module), 0, 9999)) +
                   QStringLiteral(": ");
        }
        const QString function = Trim(s.op[2]);
        if (function.startsWith(u'P')) {
            const QStringView picture = QStringView(function).mid(1);
            const double k = Val(picture);
            if (!IsDigits(picture) || k < 2 || k > 50)
                return std::nullopt;
            text += c_.FunctionSymbolNames(static_cast<int>(k));
        } else {
            const double k = Val(function);
            if (!IsDigits(function) || k < 1 || k > 28)
                return std::nullopt;
            text += c_.FunctionSymbolNames(1) + Str(static_cast<int>(k));
        }
        const QString value = Trim(s.op[3]);
        if (value.isEmpty())
            return text + T(u" trigger");
        static const QStringList offWords = {
            QStringLiteral("0"),  QStringLiteral("A"),   QStringLiteral("O"),  QStringLiteral("OF"),
            QStringLiteral("AU"), QStringLiteral("OFF"), QStringLiteral("AUS")};
        static const QStringList onWords = {QStringLiteral("1"), QStringLiteral("E"),
                                            QStringLiteral("ON"), QStringLiteral("EI"),
                                            QStringLiteral("EIN")};
        if (offWords.contains(value))
            return text + QStringLiteral(" --> ") + T(u"OFF");
        if (onWords.contains(value))
            return text + QStringLiteral(" --> ") + Trim(T(u" ON"));
        return std::nullopt;
    }

    // ---- markers_counters: D, Q, V, I --------------------------------------

    QString marker(const Split& s) const {
        const QString& m = Trim(s.op[1]);
        const QString& source = s.op[2];
        const QString head = T(u"Value of marker no. ") + m;
        const int first = Held(Val(m), 0, 999);
        const QString two = source.left(2);
        if (two == u"ZM" || two == u"TM")
            return T(u"Actual 'Model Clock Time' hh:mm") + QStringLiteral(" ==> ") +
                   T(u"Marker no.") + QString::number(first) + T(u" and ") +
                   QString::number(first + 1);
        if (two == u"ZS" || two == u"TS")
            return T(u"Actual 'System Time' hh:mm:ss and in sec.") + QStringLiteral(" ==> ") +
                   T(u"Marker no.") + QString::number(first) + u',' + QString::number(first + 1) +
                   u',' + QString::number(first + 2) + T(u" and ") + QString::number(first + 3);
        if (two == u"UZ" || two == u"UC")
            return head + QStringLiteral(" = ") + T(u"Value") + T(u" of ") +
                   c_.ArticleTypeNames(10) + u' ' + T(u"no. ") + Trim(s.op[3]);
        if (source.startsWith(u'&'))
            return head + QStringLiteral(" = ") + T(u"Value") + T(u" of ") + T(u"SET-Variable");
        if (source.size() == 1 && QStringView(u"ASMD").contains(source.front())) {
            static const QString signs[] = {QStringLiteral(" + "), QStringLiteral(" - "),
                                            QStringLiteral(" * "), QStringLiteral(" / ")};
            const QString& sign = signs[QStringView(u"ASMD").indexOf(source.front())];
            const QString& operand = s.op[3];
            const QString value = operand.startsWith(u'M')
                                      ? T(u"Value") + T(u" of ") + T(u"Marker no.") +
                                            Trim(QStringView(operand).mid(1))
                                      : operand;
            return head + sign + value + QStringLiteral(" ==> ") + T(u"Marker no.") + m;
        }
        // An empty source sets the marker to 0 as well: both erase it.
        const bool number =
            !source.isEmpty() &&
            (source.front().isDigit() ||
             (source.size() > 1 && (source.front() == u'+' || source.front() == u'-') &&
              source[1].isDigit()));
        if (source.isEmpty() || (number && Val(source) == 0))
            return head + QStringLiteral(" = 0 *** ") + T(u"erase");
        return head + QStringLiteral(" = ") + source;
    }

    QString queue(const Split& s) const {
        QString text = T(u"Queue");
        if (!s.digit.isEmpty())
            text += u'[' + s.digit + QStringLiteral(":]");
        text += u' ' + T(u"no. ") + Trim(s.op[2]) + QStringLiteral(": ");
        const QString value = Trim(s.op[3]);
        switch (FirstUpper(s.op[1]).unicode()) {
        case u'A':
            return text + T(u"Start field to value") + u' ' + value;
        case u'E':
            return text + T(u"next field to value") + u' ' + value;
        case u'G':
            return text + T(u"Goto ") + T(u" field ") + value;
        case u'M':
            return text + QStringLiteral("Move ") + T(u"SET variable") + QStringLiteral(" => ") +
                   T(u"act.") + T(u" field ");
        case u'P':
            return text + T(u"Add to actual") + T(u" field ") + value;
        case u'S':
            return text + T(u"step ") + value + QStringLiteral(" (= ") +
                   (Val(value) < 0 ? T(u"backwards") : T(u"forward")) + u')';
        case u'V':
            return text + T(u"Value act. field => SET variable");
        default:
            return text + s.op[1];
        }
    }

    QString setVariable(const Split& s) const {
        const QString value = Trim(s.op[1]).toLower();
        const int n = static_cast<int>(std::nearbyint(std::min(Val(value), 9999.0)));
        QString text = T(u"Set the ") + u' ' + T(u"SET variable");
        if (!s.digit.isEmpty())
            text += u'[' + s.digit + QStringLiteral("] ==>") + Str(n);
        else
            text += QStringLiteral("[] ==> ") + Str(n);
        if (!value.isEmpty() &&
            (value.back() == u'a' || value.back() == u'b' || value.back() == u'v'))
            text += QStringLiteral(" (=") + QString::number(n) + value.back() + u')';
        return text;
    }

    QString randomNumber(const Split& s) const {
        QString text = T(u"Generate random number between") + u' ' + s.op[1] + u' ' +
                       T(u"AND").toLower() + u' ' + s.op[2];
        if (!s.digit.isEmpty())
            return text + QStringLiteral(" ==>SETVar[") + s.digit + u']';
        if (!s.op[3].isEmpty())
            return text + QStringLiteral(" ==>") + T(u"Marker no.") + s.op[3];
        return text + QStringLiteral(" ==>SETVar[]");
    }

    // ---- time: T, Z --------------------------------------------------------

    QString modelTime(const Split& s) const {
        const QString source = s.op[1].left(2).toUpper();
        if (source == u"ZS" || source == u"TS" || source == u"ZM" || source == u"TM") {
            const bool system = source.back() == u'S';
            return (system ? T(u"System time") : T(u"Modell time")) + u' ' + T(u"via marker no.") +
                   s.op[2] + T(u" waiting");
        }
        const int h = Held(Val(s.op[1]), 0, 23);
        const int m = Held(Val(s.op[2]), 0, 59);
        const QString time =
            T(u"Model clock time") + (h < 10 ? QStringLiteral(" 0") + QString::number(h) : Str(h)) +
            (m < 10 ? QStringLiteral(":0") : QStringLiteral(":")) + QString::number(m);
        switch (FirstUpper(s.op[3]).unicode()) {
        case u'S': {
            QString text = T(u"Set to ") + u' ' + time + u' ' + T(u"o'clock");
            const QString lapse = Trim(s.op[4]);
            if (!lapse.isEmpty())
                text += u' ' + T(u"+ start") + T(u" with ") + T(u"time lapse value") + u'=' + lapse;
            return text;
        }
        case u'H':
            return time + u' ' + T(u"o'clock") + u' ' + T(u"stop");
        default:
            return time + u' ' + T(u"o'clock") + T(u" waiting");
        }
    }

    QString timeDelay(const Split& s) {
        const QString& op1 = s.op[1];
        QString text;
        if (op1.startsWith(u'M')) {
            const QString number = Trim(QStringView(op1).mid(1));
            const double value = Val(number);
            if (!(value > 0) || value > 999)
                reportError(27013, op1);
            text = T(u"Time delay: ") + u'(' + T(u"Value in marker no. ") + number +
                   QStringLiteral(") *1/10");
        } else {
            const QString digits = QString::number(WholeHeld(Val(op1), 0, 999));
            if (digits.size() < 2)
                text = T(u"Time delay: ") + QStringLiteral("0,") + digits;
            else
                text = T(u"Time delay: ") + u' ' + digits.chopped(1) + u',' + digits.back();
        }
        return text + u' ' + T(u"second(s)").left(3) + u'.';
    }

    // ---- flow: F, G, !, R, U, W, E, N --------------------------------------

    Rendered gotoLine(const Split& s) {
        Rendered r;
        r.text = T(u"Goto ") + s.op[1];
        r.suffix = targetSuffix(s.op[1]);
        return r;
    }

    Rendered callLine(const Split& s) {
        Rendered r;
        r.text = T(u"Call subr.: ") + s.op[1];
        if (!Trim(s.op[2]).isEmpty())
            r.text +=
                T(u" with ") + T(u"SET variable") + QStringLiteral(" (=") + Trim(s.op[2]) + u')';
        r.suffix = targetSuffix(s.op[1]);
        return r;
    }

    QString subroutineStart(const Split& s) {
        blocks_.append(T(u"Subroutine"));
        return T(u"Subroutine") + u' ' + s.op[1];
    }

    // A comparison as the If command writes it: a leading "<" or ">" is the
    // sign, anything else compares for equality.
    static QString Comparison(const QString& value) {
        if (value.startsWith(u'<') || value.startsWith(u'>'))
            return u' ' + value.left(1) + u' ' + Trim(QStringView(value).mid(1));
        return QStringLiteral(" = ") + value;
    }

    QString valueTest(const QString& value, bool markerAllowed) const {
        if (value.isEmpty())
            return QString();
        const QChar first = value.front();
        if (markerAllowed && first == u'M')
            return QStringLiteral(" = ") + T(u"Value of marker no. ") + Trim(value.mid(1));
        if (first == u'G' || first == u'E')
            return QStringLiteral(" = ") + T(u"even");
        if (first == u'U' || first == u'O')
            return QStringLiteral(" = ") + T(u"odd");
        return Comparison(value);
    }

    QString condition(const Split& s) const {
        const QString& what = s.op[2];
        const QString& state = s.op[3];
        const QString If = T(u"If") + u' ';
        switch (FirstUpper(s.op[1]).unicode()) {
        case u'K': {
            QString text = T(u"If contact") + u' ' + what;
            const QChar st = FirstUpper(state);
            text += st == u'X' ? u' ' + T(u"changing to FREE") : contactState(st);
            return text + connector(s.op[4]);
        }
        case u'M':
        case u'S': {
            const bool magnetic = FirstUpper(s.op[1]) == u'M';
            QString text = If + Capitalised(magnetic ? T(u"Magnetic-no:") : T(u"Signal no. ")) +
                           Str(Held(Val(what), 0, 1024));
            switch (FirstUpper(state).unicode()) {
            case u'R':
                text += u' ' + c_.PositionNames(3);
                break;
            case u'G':
                text += u' ' + c_.PositionNames(2);
                break;
            case u'O':
                text += u' ' + c_.PositionNames(4);
                break;
            default:
                break;
            }
            return text + connector(s.op[4]);
        }
        case u'X': {
            QString text =
                If + T(u"Switch route") + u'-' + T(u"no. ") + Str(Held(Val(what), 0, 512));
            const QChar st = FirstUpper(state);
            if (st == u'R')
                text += u' ' + UpperTrim(c_.SwitchStateNames(38));
            else if (st == u'F')
                text += u' ' + UpperTrim(c_.SwitchStateNames(37));
            return text + connector(s.op[4]);
        }
        case u'T': {
            QString sign = QStringLiteral(" >= ");
            QStringView hour = what;
            if (what.startsWith(u'<') || what.startsWith(u'>')) {
                sign = u' ' + what.left(1) + u' ';
                hour = hour.mid(1);
            }
            return If + T(u"Model clock time") + sign + TwoDigits(Held(Val(hour), 0, 23)) + u':' +
                   TwoDigits(Held(Val(state), 0, 59)) + connector(s.op[4]);
        }
        case u'V':
            return If + T(u"SET variable") + (what.isEmpty() ? QString() : Comparison(what)) +
                   connector(state);
        case u'D':
            return If + T(u"value") + T(u" of ") + T(u"Marker no.") + what +
                   valueTest(state, true) + connector(s.op[4]);
        case u'Z':
            return If + c_.ArticleTypeNames(10) + u' ' + T(u"no. ") + what +
                   valueTest(state, false) + connector(s.op[4]);
        default:
            return If + s.op[1];
        }
    }

    QString repeat(const Split& s) const {
        const QString& op1 = s.op[1];
        if (op1.startsWith(u'M'))
            return T(u"Repeat") + u'(' + T(u"Value in marker no. ") +
                   Trim(QStringView(op1).mid(1)) + QStringLiteral(") x-") + T(u"times");
        const int n = WholeHeld(Val(op1), 0, 999);
        if (n == 0)
            return T(u"Repeat") + QStringLiteral(" SETVar ") + T(u"times");
        return T(u"Repeat") + Str(n) + u' ' + T(u"times");
    }

    QString loadSchedule(const Split& s) const {
        QString text =
            T(u"Load ") + QStringLiteral(" Vx-Fpl:") +
            (s.digit.isEmpty() ? QStringLiteral(" N * ") : QStringLiteral(" N") + s.digit + u' ');
        const QString file = Trim(s.op[1]);
        text += file.isEmpty() ? T(u"LOAD ERROR") + QStringLiteral(": ") + T(u"File") + u' ' +
                                     T(u"not available")
                               : file;
        const QString start = Trim(s.op[2]);
        if (!start.isEmpty()) {
            const double at = Val(start);
            text += QStringLiteral(" <") + T(u"LNo.") + u'=' +
                    (IsDigits(start) ? Str(Held(at, 0, 99999)) : start);
            if (at > 1999)
                text += QStringLiteral(" (> max. ") + QStringLiteral("1999)");
            text += u'>';
        }
        const QString alternative = Trim(s.op[3]);
        if (!alternative.isEmpty())
            text += QStringLiteral(", ") + alternative;
        return text;
    }

    // ---- operating: /, *, J, P ---------------------------------------------

    QString operating(const Split& s) const {
        const QString& kind = s.op[1];
        const QString text = TextAfterComma(s.work, s.textComma);
        const QChar value = s.op[2].isEmpty() ? QChar() : s.op[2].front();
        switch (FirstUpper(kind).unicode()) {
        case u'A':
            return QStringLiteral("Anzeige ") + displaySwitch(value, true);
        case u'T':
            return QStringLiteral("TRACE ") + displaySwitch(value, false);
        case u'I':
            return QStringLiteral("INFO: ") + text;
        case u'M':
            return T(u"Message text") + QStringLiteral(": ") + text;
        case u'D': {
            const QString number = Trim(QStringView(kind).mid(1));
            if (text.isEmpty())
                return T(u"Please, input the wanted value for marker no.") + u' ' + number;
            return T(u"Input") + QStringLiteral(" ==> ") + T(u"Marker no.") + number +
                   QStringLiteral(": ") + text;
        }
        default:
            return T(u"Operating command") + u' ' + kind +
                   (text.isEmpty() ? QString() : QStringLiteral(", ") + text);
        }
    }

    QString displaySwitch(QChar value, bool display) const {
        switch (value.unicode()) {
        case u'0':
        case u'n':
        case u'N':
            return T(u"switch off") + u'!';
        case u'1':
        case u'j':
        case u'J':
        case u'y':
        case u'Y':
            return T(u"switch on") + u'!';
        case u'2':
            return display ? T(u"switch to display only K-,Z-commands") + u'!' : QString();
        default:
            return QString();
        }
    }

    QString jam(const Split& s) const {
        const bool autoStop = Val(s.op[2]) > 0;
        const QString& stop = T(u"all locomotives get direct STOP");
        QString text;
        switch (FirstUpper(s.op[1]).unicode()) {
        case u'0':
            text = stop + (autoStop ? QStringLiteral(" + Auto=>Stop!") : QStringLiteral("!"));
            break;
        case u'1':
            text = T(u"direct ALL OFF") + u'!';
            break;
        case u'2':
            text = autoStop ? stop + QStringLiteral(" + Auto=>Stop ") + u' ' +
                                  T(u" and then ALL OFF") + u'!'
                            : stop + T(u" and then ALL OFF") + u'!';
            break;
        case u'S':
            text = T(u"Cancel-Stop of schedule no.") + u' ' + Trim(s.op[2]);
            break;
        default:
            text = s.op[1];
            break;
        }
        return T(u"Jam/blockade generating: ") + text;
    }

    QString sound(const Split& s) const {
        const QString& name = s.op[1];
        if (QString::compare(name, u"99") > 0 || QString::compare(name, u"0") <= 0) {
            const QString& word = T(u"Sound no.");
            return word.left(std::max<qsizetype>(0, word.size() - 4)) + QStringLiteral(": ") + name;
        }
        return T(u"Sound no.") + u' ' + name;
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
