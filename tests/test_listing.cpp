// The listing renderer: the rendering of every command family, the pages, the
// columns, the indent, the cut lengths, the jump targets and the messages.

#include "print/listing.h"
#include "texts/text_catalogue.h"

#include <QtTest>

#include <utility>

using namespace vx;

namespace {

struct Recorder : ListingReporter {
    struct Error {
        int number;
        QString detail;
        int line;
        QString commandLine;
    };
    struct Message {
        int number;
        QString prompt;
        int style;
        QString title;
    };
    QList<Error> errors;
    QList<Message> messages;

    void reportError(int number, int, const QString& detail, int line,
                     const QString& commandLine) override {
        errors.append({number, detail, line, commandLine});
    }
    void showMessage(int number, const QString& prompt, int style, const QString& title) override {
        messages.append({number, prompt, style, title});
    }
};

// Keys the renderings asked for that the catalogue lacks: a typo, or an
// entry still to be added. Checked after every test.
QStringList missingKeys;

// Rows 1..n of a schedule, rendered with the English catalogue.
ListingDocument Render(const QStringList& rows, Recorder* recorder = nullptr,
                       const QString& path = QStringLiteral("/data/test.vfp"),
                       const QString& date = QStringLiteral("24.12.2024")) {
    TextCatalogue catalogue;
    catalogue.LoadCatalogue(QStringLiteral("EN"));
    std::vector<QString> lines(1);
    for (const QString& row : rows)
        lines.push_back(row);
    const int rowCount = std::max<int>(99, static_cast<int>(rows.size()));
    lines.resize(static_cast<size_t>(rowCount) + 1);
    ListingSource source{&lines, rowCount, path, date};
    ListingDocument document = RenderListing(source, catalogue, recorder);
    missingKeys += catalogue.missingKeys();
    return document;
}

QString PieceAt(const ListingLine& line, int column) {
    for (const ListingPiece& piece : line.pieces)
        if (piece.column == column)
            return piece.text;
    return QStringLiteral("<none>");
}

// The schedule lines of all pages, header lines left out.
QList<ListingLine> BodyLines(const ListingDocument& document) {
    QList<ListingLine> body;
    for (const ListingPage& page : document.pages)
        body += page.lines.mid(ListingLayout::HeaderLines);
    return body;
}

// The command as text of the last row of the schedule.
QString TextOfLast(const QStringList& rows, Recorder* recorder = nullptr) {
    const QList<ListingLine> body = BodyLines(Render(rows, recorder));
    return body.isEmpty() ? QStringLiteral("<no line>")
                          : PieceAt(body.back(), ListingLayout::TextColumn);
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT

private slots:
    // Every text the listing prints comes from the catalogue.
    void cleanup() {
        const QStringList missing = std::exchange(missingKeys, {});
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u" | "_qs)));
    }

    // Every family, every sub-form: the line alone (or after the lines that
    // open its context) and the text printed at column 16.
    void rendering_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, QStringList rows, const QString& text) {
            QTest::newRow(name) << rows << text;
        };
        // All to initial status.
        row("A M", {u"A, M"_qs}, u"Only magnetic articles ==> Initial status"_qs);
        row("A MK", {u"A, MK"_qs}, u"Only magnetic articles ==> Initial status"_qs);
        row("A C", {u"A, C"_qs}, u"Only contacts ==> Initial status"_qs);
        row("A K", {u"A, K"_qs}, u"Only contacts ==> Initial status"_qs);
        row("A F", {u"A, F"_qs}, u"Only routes ==> Initial status"_qs);
        row("A R", {u"A, R"_qs}, u"Only routes ==> Initial status"_qs);
        row("A S", {u"A, S"_qs}, u"Only all signals ==> Initial status"_qs);
        row("A W", {u"A, W"_qs}, u"Only all track switches/points ==> Initial status"_qs);
        row("A P", {u"A, P"_qs}, u"Only all track switches/points ==> Initial status"_qs);
        row("A none", {u"A"_qs}, u"Magnetics/Contacts/Switch routes ==> Initial status"_qs);
        row("A other", {u"A, X"_qs}, u"Magnetics/Contacts/Switch routes ==> Initial status"_qs);
        row("A lower case", {u"a, s"_qs}, u"Only all signals ==> Initial status"_qs);
        // Contacts.
        row("B example", {u"B, 12, B, 7"_qs},
            u"Occupy contact 12 => RESERVED (CLOSED)  with  Loco no. 7"_qs);
        row("B free", {u"B, 12, F"_qs}, u"Occupy contact 12 => FREE (OPEN)"_qs);
        row("B SET variable", {u"B, 12, B, 0"_qs},
            u"Occupy contact 12 => RESERVED (CLOSED)  with  SET variable"_qs);
        row("B negative loco", {u"B, 12, B, -3"_qs}, u"Occupy contact 12 => RESERVED (CLOSED)"_qs);
        row("B other state", {u"B, 12, X"_qs}, u"Occupy contact 12 =>"_qs);
        row("B marker stays lower", {u"B, m5, F"_qs}, u"Occupy contact m5 => FREE (OPEN)"_qs);
        row("K example", {u"K, 5, F"_qs}, u"Contact no.  5 FREE (OPEN) waiting"_qs);
        row("K occupied", {u"K, 5, B"_qs}, u"Contact no.  5 RESERVED (CLOSED) waiting"_qs);
        row("K AND", {u"K, 5, B, AND"_qs}, u"Contact no.  5 RESERVED (CLOSED) AND"_qs);
        row("K OR", {u"K, 5, F, OR"_qs}, u"Contact no.  5 FREE (OPEN) OR"_qs);
        row("K other connector", {u"K, 5, F, ANDX"_qs}, u"Contact no.  5 FREE (OPEN) waiting"_qs);
        row("K compact", {u"K12"_qs}, u"Contact no.  12 waiting"_qs);
        row("K lower case", {u"k, 5, f"_qs}, u"Contact no.  5 FREE (OPEN) waiting"_qs);
        // Magnetic articles and signals.
        row("M example", {u"M, 12, G"_qs}, u"Magnetic-no: 12 set to  => GREEN/STRAIGHT"_qs);
        row("M red", {u"M, 12, R"_qs}, u"Magnetic-no: 12 set to  => RED/DIVERGING"_qs);
        row("M orange", {u"M, 12, O"_qs}, u"Magnetic-no: 12 set to  => ORANGE/2. DIVERGING"_qs);
        row("M special", {u"M, 12, S"_qs}, u"Magnetic-no: 12 set to  => ORANGE/2. DIVERGING"_qs);
        row("M other", {u"M, 12, X"_qs}, u"Magnetic-no: 12 set to  =>"_qs);
        row("M held", {u"M, 2000, G"_qs}, u"Magnetic-no: 1024 set to  => GREEN/STRAIGHT"_qs);
        row("M marker example", {u"M, M5, O"_qs},
            u"Magnetic(no. in marker 5) set to  => ORANGE/2. DIVERGING"_qs);
        row("S example", {u"S, 7, R"_qs}, u"Signal no.  7 set to  => STOP/RED"_qs);
        row("S green", {u"S, 7, G"_qs}, u"Signal no.  7 set to  => PROCEED/GREEN"_qs);
        row("S orange", {u"S, 7, O"_qs}, u"Signal no.  7 set to  => SLOW DOWN/ORANGE"_qs);
        row("S marker", {u"S, M999, G"_qs},
            u"Signal(no. in marker 999) set to  => PROCEED/GREEN"_qs);
        row("S marker out of range", {u"S, M1000, G"_qs}, u"Signal {=>999}"_qs);
        row("M marker zero", {u"M, M0, G"_qs}, u"Magnetic {=>999}"_qs);
        // Switch routes.
        row("X switch", {u"X, 5, S"_qs}, u"Switch route-no.  5 switch"_qs);
        row("X empty action", {u"X, 5"_qs}, u"Switch route-no.  5 switch"_qs);
        row("X reserve", {u"X, 5, R"_qs}, u"Reserve switch route-no.  5"_qs);
        row("X release", {u"X, 5, F"_qs}, u"Release switch route-no.  5"_qs);
        row("X wait reserved", {u"X, 7, W, R"_qs}, u"wait until Switch route-no.  7 RESERVED"_qs);
        row("X wait occupied", {u"X, 7, W, B"_qs}, u"wait until Switch route-no.  7 RESERVED"_qs);
        row("X wait free", {u"X, 7, W, F"_qs}, u"wait until Switch route-no.  7 FREE"_qs);
        row("X other", {u"X, 7, Q"_qs}, u"Switch route-no.  7"_qs);
        row("X held", {u"X, 600"_qs}, u"Switch route-no.  512 switch"_qs);
        row("Y switch", {u"Y, 12"_qs}, u"switch route via marker no. 12 switch"_qs);
        row("Y reserve", {u"Y, 12, R"_qs}, u"Reserve switch route via marker no. 12"_qs);
        row("Y release", {u"Y, 12, F"_qs}, u"Release switch route via marker no. 12"_qs);
        row("Y wait", {u"Y, 12, W, F"_qs}, u"wait until switch route via marker no. 12 FREE"_qs);
        // Model time.
        row("T system", {u"T, ZS, 5"_qs}, u"System time via marker no.5 waiting"_qs);
        row("T system English", {u"T, TS, 5"_qs}, u"System time via marker no.5 waiting"_qs);
        row("T model", {u"T, TM, 8"_qs}, u"Modell time via marker no.8 waiting"_qs);
        row("T model German", {u"T, ZM, 8"_qs}, u"Modell time via marker no.8 waiting"_qs);
        row("T wait", {u"T, 9, 5"_qs}, u"Model clock time 09:05 o'clock waiting"_qs);
        row("T set", {u"T, 12, 30, S, 10"_qs},
            u"Set to  Model clock time 12:30 o'clock + start with time lapse value=10"_qs);
        row("T set without lapse", {u"T, 12, 30, S"_qs},
            u"Set to  Model clock time 12:30 o'clock"_qs);
        row("T stop", {u"T, 6, 0, H"_qs}, u"Model clock time 06:00 o'clock stop"_qs);
        row("T held", {u"T, 30, 75"_qs}, u"Model clock time 23:59 o'clock waiting"_qs);
        // SET variable.
        row("V digit", {u"V3, 25"_qs}, u"Set the  SET variable[3] ==> 25"_qs);
        row("V without digit", {u"V, 25"_qs}, u"Set the  SET variable[] ==>  25"_qs);
        row("V held", {u"V, 12345"_qs}, u"Set the  SET variable[] ==>  9999"_qs);
        row("V letter", {u"V, 25a"_qs}, u"Set the  SET variable[] ==>  25 (=25a)"_qs);
        row("V letter v", {u"V2, 7V"_qs}, u"Set the  SET variable[2] ==> 7 (=7v)"_qs);
        // Subroutine, sound, repeat, delay.
        row("U", {u"U, SUB1"_qs}, u"Subroutine SUB1"_qs);
        row("P file", {u"P, horn.wav"_qs}, u"Sound: HORN.WAV"_qs);
        row("P number", {u"P, 12"_qs}, u"Sound no. 12"_qs);
        row("P zero is a name", {u"P, 0"_qs}, u"Sound: 0"_qs);
        row("P sorts after 99", {u"P, 990"_qs}, u"Sound: 990"_qs);
        row("P sorts before 99", {u"P, 100"_qs}, u"Sound no. 100"_qs);
        row("W", {u"W, 5"_qs}, u"Repeat 5 times"_qs);
        row("W zero", {u"W, 0"_qs}, u"Repeat SETVar times"_qs);
        row("W marker", {u"W, M12"_qs}, u"Repeat(Value in marker no. 12) x-times"_qs);
        row("W held", {u"W, 1500"_qs}, u"Repeat 999 times"_qs);
        row("Z", {u"Z, 5"_qs}, u"Time delay: 0,5 sec."_qs);
        row("Z two digits", {u"Z, 25"_qs}, u"Time delay:  2,5 sec."_qs);
        row("Z three digits", {u"Z, 123"_qs}, u"Time delay:  12,3 sec."_qs);
        row("Z zero", {u"Z, 0"_qs}, u"Time delay: 0,0 sec."_qs);
        row("Z marker", {u"Z, M17"_qs}, u"Time delay: (Value in marker no. 17) *1/10 sec."_qs);
        // End and its blocks.
        row("E main", {u"E"_qs}, u"End schedule"_qs);
        row("E repeat", {u"W, 3"_qs, u"E, W"_qs}, u"End Repeat"_qs);
        row("E subroutine", {u"U, SUB"_qs, u"E, U"_qs}, u"End Subroutine"_qs);
        row("E nested", {u"U, SUB"_qs, u"W, 2"_qs, u"E"_qs, u"E"_qs}, u"End Subroutine"_qs);
        row("E after all closed", {u"W, 2"_qs, u"E"_qs, u"E"_qs}, u"End schedule"_qs);
        // If.
        row("F contact", {u"F, K, 5, B"_qs}, u"If contact 5 RESERVED (CLOSED)"_qs);
        row("F contact free AND", {u"F, k, 5, F, AND"_qs}, u"If contact 5 FREE (OPEN) AND"_qs);
        row("F contact changing", {u"F, K, 5, X, OR"_qs}, u"If contact 5 changing to FREE OR"_qs);
        row("F magnetic", {u"F, M, 12, R"_qs}, u"If Magnetic-no: 12 RED"_qs);
        row("F signal", {u"F, S, 7, G"_qs}, u"If Signal no.  7 GREEN"_qs);
        row("F signal orange", {u"F, S, 7, O, AND"_qs}, u"If Signal no.  7 ORANGE AND"_qs);
        row("F route", {u"F, X, 3, R"_qs}, u"If Switch route-no.  3 RESERVED"_qs);
        row("F route free", {u"F, X, 3, F"_qs}, u"If Switch route-no.  3 FREE"_qs);
        row("F time before", {u"F, T, <9, 30"_qs}, u"If Model clock time < 09:30"_qs);
        row("F time after", {u"F, T, >18, 5"_qs}, u"If Model clock time > 18:05"_qs);
        row("F time from", {u"F, T, 9, 30, OR"_qs}, u"If Model clock time >= 09:30 OR"_qs);
        row("F SET variable", {u"F, V, 25"_qs}, u"If SET variable = 25"_qs);
        row("F SET variable less", {u"F, v, <25, AND"_qs}, u"If SET variable < 25 AND"_qs);
        row("F marker", {u"F, D, 5, 100"_qs}, u"If value of Marker no.5 = 100"_qs);
        row("F marker greater", {u"F, D, 5, >100"_qs}, u"If value of Marker no.5 > 100"_qs);
        row("F marker other marker", {u"F, D, 5, M7"_qs},
            u"If value of Marker no.5 = Value of marker no. 7"_qs);
        row("F marker even", {u"F, D, 5, G"_qs}, u"If value of Marker no.5 = even"_qs);
        row("F marker odd", {u"F, D, 5, O, AND"_qs}, u"If value of Marker no.5 = odd AND"_qs);
        row("F counter", {u"F, Z, 3, -50"_qs}, u"If All-purpose counter no. 3 = -50"_qs);
        row("F counter even", {u"F, Z, 3, E"_qs}, u"If All-purpose counter no. 3 = even"_qs);
        row("F counter less", {u"F, Z, 3, <10"_qs}, u"If All-purpose counter no. 3 < 10"_qs);
        row("F counter odd", {u"F, Z, 3, U"_qs}, u"If All-purpose counter no. 3 = odd"_qs);
        row("F other type", {u"F, Q, 3"_qs}, u"If Q"_qs);
        // Goto and call (targets in their own test).
        row("G", {u"G, LOOP"_qs}, u"Goto LOOP <LNo.=undefined>"_qs);
        row("R", {u"R, SUB1"_qs}, u"Call subr.: SUB1 <LNo.=undefined>"_qs);
        row("R with value", {u"R, SUB1, 5"_qs},
            u"Call subr.: SUB1 with SET variable (=5) <LNo.=undefined>"_qs);
        // Fetch locomotive number.
        row("H marker", {u"H, 5, M12"_qs},
            u"Fetch locomotive number from contact no.  5 --> Marker no.12"_qs);
        row("H first contact", {u"H, ?, 3"_qs},
            u"Fetch locomotive number from contact no.  1. triggered contact --> SET variable[3]"_qs);
        row("H no target", {u"H, 5"_qs},
            u"Fetch locomotive number from contact no.  5 --> SET variable[]"_qs);
        // Random number.
        row("I SET variable", {u"I4, 1, 99"_qs},
            u"Generate random number between 1 and 99 ==>SETVar[4]"_qs);
        row("I marker", {u"I, 1, 99, 7"_qs},
            u"Generate random number between 1 and 99 ==>Marker no.7"_qs);
        row("I no target", {u"I, 1, 99"_qs},
            u"Generate random number between 1 and 99 ==>SETVar[]"_qs);
        // Jam/blockade: every cell of the table.
        row("J 0 auto", {u"J, 0, 1"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP + Auto=>Stop!"_qs);
        row("J 0", {u"J, 0, 0"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP!"_qs);
        row("J 0 empty", {u"J, 0"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP!"_qs);
        row("J 1 auto", {u"J, 1, 1"_qs}, u"Jam/blockade generating: direct ALL OFF!"_qs);
        row("J 1", {u"J, 1"_qs}, u"Jam/blockade generating: direct ALL OFF!"_qs);
        row("J 2 auto", {u"J, 2, 1"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP + Auto=>Stop   and then ALL OFF!"_qs);
        row("J 2", {u"J, 2, -1"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP and then ALL OFF!"_qs);
        row("J cancel", {u"J, S, 3"_qs},
            u"Jam/blockade generating: Cancel-Stop of schedule no. 3"_qs);
        // Operating commands keep their case.
        row("/ display off", {u"/A, 0"_qs}, u"Anzeige switch off!"_qs);
        row("/ display no", {u"/A, n"_qs}, u"Anzeige switch off!"_qs);
        row("/ display on", {u"/A, 1"_qs}, u"Anzeige switch on!"_qs);
        row("/ display yes", {u"/a, j"_qs}, u"Anzeige switch on!"_qs);
        row("/ display K Z", {u"/A, 2"_qs}, u"Anzeige switch to display only K-,Z-commands!"_qs);
        row("/ display other", {u"/A, 7"_qs}, u"Anzeige"_qs);
        row("/ trace on", {u"/T, Y"_qs}, u"TRACE switch on!"_qs);
        row("/ trace off", {u"/T, N"_qs}, u"TRACE switch off!"_qs);
        row("/ trace 2", {u"/T, 2"_qs}, u"TRACE"_qs);
        row("/ info", {u"/I, Train 4 late, sorry"_qs}, u"INFO: Train 4 late, sorry"_qs);
        row("/ message", {u"/M, Shunting *now*"_qs}, u"Message text: Shunting *now*"_qs);
        row("/ input", {u"/D5, How many?"_qs}, u"Input ==> Marker no.5: How many?"_qs);
        row("/ input without prompt", {u"/D12"_qs},
            u"Please, input the wanted value for marker no. 12"_qs);
        row("/ other", {u"/X, abc"_qs}, u"Operating command X, abc"_qs);
        row("/ written form display", {u"/, A, 1"_qs}, u"Anzeige switch on!"_qs);
        row("/ written form info", {u"/, I, Train 4 late, sorry"_qs},
            u"INFO: Train 4 late, sorry"_qs);
        row("/ written form input", {u"/, D7, Value?"_qs}, u"Input ==> Marker no.7: Value?"_qs);
        // Function module.
        row("C on", {u"C, 12, 5, ON"_qs}, u"F module addr.=12: with number 5 --> ON"_qs);
        row("C EIN", {u"C, 12, 5, EIN"_qs}, u"F module addr.=12: with number 5 --> ON"_qs);
        row("C 1", {u"C, 12, 5, 1"_qs}, u"F module addr.=12: with number 5 --> ON"_qs);
        row("C off", {u"C, 12, 28, OFF"_qs}, u"F module addr.=12: with number 28 --> OFF"_qs);
        row("C AUS", {u"C, 12, 1, AUS"_qs}, u"F module addr.=12: with number 1 --> OFF"_qs);
        row("C 0", {u"C, 12, 1, 0"_qs}, u"F module addr.=12: with number 1 --> OFF"_qs);
        row("C trigger", {u"C, 0, 3"_qs}, u"F module addr.=0: with number 3 trigger"_qs);
        row("C picture", {u"C, 12, P2, ON"_qs}, u"F module addr.=12: Whistle --> ON"_qs);
        row("C picture 50", {u"C, 9999, P50"_qs}, u"F module addr.=9999: Pea-whisle trigger"_qs);
        row("C marker", {u"C, M5, P6, OFF"_qs},
            u"F module addr.(no. in marker 5): Horn --> OFF"_qs);
        // Locomotive.
        row("L speed", {u"L, 3, S, 63"_qs}, u"Loco no. 3 speed 63 steps (50%)"_qs);
        row("L speed 1", {u"L, 3, S, 1"_qs}, u"Loco no. 3 speed 1 step (1%)"_qs);
        row("L stop", {u"L, 3, S, 0"_qs}, u"Loco no. 3 stop"_qs);
        row("L high", {u"L, 3, S, H"_qs}, u"Loco no. 3 Speed --> high"_qs);
        row("L middle", {u"L, 3, S, M"_qs}, u"Loco no. 3 Speed --> middle"_qs);
        row("L low", {u"L, 3, S, L"_qs}, u"Loco no. 3 Speed --> low"_qs);
        row("L old", {u"L, 3, S, OLD"_qs}, u"Loco no. 3 speed -->old (before=0)"_qs);
        row("L alt", {u"L, 3, B, ALT"_qs}, u"Loco no. 3 speed -->old (before=0)"_qs);
        row("L unchanged", {u"L, 3, S"_qs}, u"Loco no. 3 unchanging speed"_qs);
        row("L accelerate", {u"L, 12+, B, +10, F, 1"_qs},
            u"Loco no. 12 (open) accelerating speed for: 10 steps + Light on"_qs);
        row("L accelerate unsigned", {u"L, 12, B, 10"_qs},
            u"Loco no. 12 accelerating speed for: 10 steps"_qs);
        row("L decelerate", {u"L, 3, B, -1"_qs}, u"Loco no. 3 decelerating speed for 1 step"_qs);
        row("L by zero", {u"L, 3, B, +0"_qs}, u"Loco no. 3 unchanging speed"_qs);
        row("L reverse", {u"L, M5-, U, R"_qs},
            u"Loco no.(no. in marker 5) (close) Change direction --> backwards"_qs);
        row("L forward", {u"L, 5, U, V"_qs}, u"Loco no. 5 Change direction --> forward"_qs);
        row("L direction", {u"L, 5, U"_qs}, u"Loco no. 5 Change direction"_qs);
        row("L light off", {u"L, 5, S, 20, F, A"_qs},
            u"Loco no. 5 speed 20 steps (16%) + Light off"_qs);
        row("L light", {u"L, 5, S, 20, F"_qs}, u"Loco no. 5 speed 20 steps (16%) + Light"_qs);
        // Marker.
        row("D value", {u"D, 5, 100"_qs}, u"Value of marker no. 5 = 100"_qs);
        row("D negative", {u"D, 5, -7"_qs}, u"Value of marker no. 5 = -7"_qs);
        row("D erase", {u"D, 5, 0"_qs}, u"Value of marker no. 5 = 0 *** erase"_qs);
        row("D nothing", {u"D, 5"_qs}, u"Value of marker no. 5 = 0 *** erase"_qs);
        row("D SET variable", {u"D, 5, &SETVAR&"_qs},
            u"Value of marker no. 5 = Value of SET-Variable"_qs);
        row("D add", {u"D, 5, A, 10"_qs}, u"Value of marker no. 5 + 10 ==> Marker no.5"_qs);
        row("D subtract", {u"D, 5, S, 10"_qs}, u"Value of marker no. 5 - 10 ==> Marker no.5"_qs);
        row("D multiply", {u"D, 5, M, 3"_qs}, u"Value of marker no. 5 * 3 ==> Marker no.5"_qs);
        row("D divide by marker", {u"D, 5, D, M7"_qs},
            u"Value of marker no. 5 / Value of Marker no.7 ==> Marker no.5"_qs);
        row("D counter", {u"D, 5, UZ, 3"_qs},
            u"Value of marker no. 5 = Value of All-purpose counter no. 3"_qs);
        row("D counter English", {u"D, 5, UC, 3"_qs},
            u"Value of marker no. 5 = Value of All-purpose counter no. 3"_qs);
        row("D model time", {u"D, 10, TM"_qs},
            u"Actual 'Model Clock Time' hh:mm ==> Marker no.10 and 11"_qs);
        row("D model time German", {u"D, 10, ZM"_qs},
            u"Actual 'Model Clock Time' hh:mm ==> Marker no.10 and 11"_qs);
        row("D system time", {u"D, 10, TS"_qs},
            u"Actual 'System Time' hh:mm:ss and in sec. ==> Marker no.10,11,12 and 13"_qs);
        row("D system time German", {u"D, 10, ZS"_qs},
            u"Actual 'System Time' hh:mm:ss and in sec. ==> Marker no.10,11,12 and 13"_qs);
        // Load schedule.
        row("N", {u"N, NEXT.VFP"_qs}, u"Load  Vx-Fpl: N * NEXT.VFP"_qs);
        row("N digit and start", {u"N3, next.vfp, 10"_qs},
            u"Load  Vx-Fpl: N3 NEXT.VFP <LNo.= 10>"_qs);
        row("N start too high", {u"N, A.VFP, 2500"_qs},
            u"Load  Vx-Fpl: N * A.VFP <LNo.= 2500 (> max. 1999)>"_qs);
        row("N alternative start", {u"N, A.VFP, 10, 20"_qs},
            u"Load  Vx-Fpl: N * A.VFP <LNo.= 10>, 20"_qs);
        row("N no file", {u"N"_qs}, u"Load  Vx-Fpl: N * LOAD ERROR: File not available"_qs);
        // Turntable.
        row("O turn", {u"O, 1, T"_qs}, u"Drehscheibe no. 1: TURN (180°)"_qs);
        row("O step", {u"O, 1, S"_qs}, u"Drehscheibe no. 1: 1 Step"_qs);
        row("O clear", {u"O, 1, C"_qs}, u"Drehscheibe no. 1: CLEAR"_qs);
        row("O end", {u"O, 2, E"_qs}, u"Drehscheibe no. 2: END"_qs);
        row("O input", {u"O, 2, I"_qs}, u"Drehscheibe no. 2: INPUT"_qs);
        row("O track auto", {u"O, 1, 5"_qs}, u"Drehscheibe no. 1: rotate to Track 5 (auto)"_qs);
        row("O track A", {u"O, 1, 5, A"_qs}, u"Drehscheibe no. 1: rotate to Track 5 (auto)"_qs);
        row("O track left", {u"O, 1, 5, L"_qs},
            u"Drehscheibe no. 1: rotate to Track 5 <== (left)"_qs);
        row("O track 2", {u"O, 1, -24, 2"_qs},
            u"Drehscheibe no. 1: rotate to Track -24 <== (left)"_qs);
        row("O track right", {u"O, 1, +7, R"_qs},
            u"Drehscheibe no. 1: rotate to Track +7 ==> (right)"_qs);
        row("O track 3", {u"O, 1, 7, 3"_qs},
            u"Drehscheibe no. 1: rotate to Track 7 ==> (right)"_qs);
        row("O direction", {u"O, 1, D, L"_qs}, u"Drehscheibe no. 1: Turn direction <== (left)"_qs);
        row("O direction R", {u"O, 1, R, R"_qs},
            u"Drehscheibe no. 1: Turn direction ==> (right)"_qs);
        // Queue.
        row("Q start", {u"Q, A, 2, 100"_qs}, u"Queue no. 2: Start field to value 100"_qs);
        row("Q end", {u"Q, E, 2, 5"_qs}, u"Queue no. 2: next field to value 5"_qs);
        row("Q goto", {u"Q, G, 2, 5"_qs}, u"Queue no. 2: Goto  field 5"_qs);
        row("Q move", {u"Q, M, 1"_qs}, u"Queue no. 1: Move SET variable => act. field"_qs);
        row("Q add", {u"Q, P, 1, +5"_qs}, u"Queue no. 1: Add to actual field +5"_qs);
        row("Q step back", {u"Q3, S, 2, -2"_qs}, u"Queue[3:] no. 2: step -2 (= backwards)"_qs);
        row("Q step on", {u"Q, S, 2, +1"_qs}, u"Queue no. 2: step +1 (= forward)"_qs);
        row("Q value", {u"Q9, V, 1"_qs}, u"Queue[9:] no. 1: Value act. field => SET variable"_qs);
        // Addresses, remarks, unknown codes.
        row("!", {u"!, LOOP"_qs}, u"GOTO address LOOP"_qs);
        row("remark keeps case", {u"*  West yard: slow"_qs}, u"West yard: slow"_qs);
        row("unknown code", {u"9, 5"_qs}, u"no valid schedule command"_qs);
        row("trailing remark", {u"M, 12, G  * west yard"_qs},
            u"Magnetic-no: 12 set to  => GREEN/STRAIGHT"_qs);
    }
    void rendering() {
        QFETCH(QStringList, rows);
        QFETCH(QString, text);
        // The text column holds the first 80 characters of the rendering.
        QCOMPARE(TextOfLast(rows), text.left(ListingLayout::TextWidth));
    }

    // Function-module and locomotive lines with an invalid operand print as
    // the faulty command; the command line gets "* " in front.
    void faulty_data() {
        QTest::addColumn<QString>("line");
        for (const char* line : {"C, 12, 29, ON",
                                 "C, 12, 0",
                                 "C, 12, P1",
                                 "C, 12, P51",
                                 "C, 12, 5, MAYBE",
                                 "C, 10000, 5",
                                 "C, M0, 5",
                                 "C, M1000, 5",
                                 "C, X, 5",
                                 "C, 12",
                                 "L, 3, X",
                                 "L, 3",
                                 "L, 3, S, 127",
                                 "L, 3, B, +127",
                                 "L, 3, B, H",
                                 "L, 3, S, +5",
                                 "L, M1000, S, 5",
                                 "L, M0, S, 5",
                                 "L, 10000, S, 5",
                                 "L, X3, S, 5",
                                 "L, 3, S, 5, F, 7",
                                 "L, 3, S, 5, G",
                                 "L, 3, U, X",
                                 "L, 3, S, FAST",
                                 "L"})
            QTest::newRow(line) << QString::fromLatin1(line);
    }
    void faulty() {
        QFETCH(QString, line);
        const QList<ListingLine> body = BodyLines(Render({u"  "_qs + line + u"  "_qs}));
        QCOMPARE(body.size(), 1);
        QCOMPARE(PieceAt(body[0], ListingLayout::TextColumn),
                 u"* Schedule command with error, changed => *"_qs);
        QCOMPARE(PieceAt(body[0], ListingLayout::CommandLineColumn), u"* "_qs + line);
    }

    void lineNumberColumn_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << 10 << u" 1"_qs;
        QTest::newRow("25") << 25 << 9 << u" 25"_qs;
        QTest::newRow("100") << 100 << 8 << u" 100"_qs;
        QTest::newRow("1999") << 1999 << 7 << u" 1999"_qs;
    }
    void lineNumberColumn() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QStringList rows;
        for (int r = 1; r < row; ++r)
            rows.append(QString());
        rows.append(u"E"_qs);
        const QList<ListingLine> body = BodyLines(Render(rows));
        QCOMPARE(body.size(), 1);
        QCOMPARE(body[0].pieces.front().column, column);
        QCOMPARE(body[0].pieces.front().text, text);
        // The last digit stands in column 11.
        QCOMPARE(column + text.size() - 1, 11);
    }

    void emptyLinesLeaveNoGap() {
        const QList<ListingLine> body =
            BodyLines(Render({u"E"_qs, u"W, 2"_qs, QString(), u"   "_qs, u"E"_qs}));
        QCOMPARE(body.size(), 3);
        QCOMPARE(PieceAt(body[0], 10), u" 1"_qs);
        QCOMPARE(PieceAt(body[1], 10), u" 2"_qs);
        QCOMPARE(PieceAt(body[2], 10), u" 5"_qs);
    }

    void headerOfEveryPage() {
        QStringList rows;
        for (int r = 1; r <= 56; ++r)
            rows.append(u"K, %1, F"_qs.arg(r));
        const ListingDocument document = Render(rows);
        QCOMPARE(document.pages.size(), 2);
        QCOMPARE(document.pages[0].lines.size(), 60);
        QCOMPARE(document.pages[1].lines.size(), 6);
        for (int p = 0; p < 2; ++p) {
            const QList<ListingLine>& lines = document.pages[p].lines;
            QVERIFY(lines[0].pieces.isEmpty());
            QVERIFY(lines[1].pieces.isEmpty());
            QVERIFY(lines[3].pieces.isEmpty());
            const QList<ListingPiece> header{
                {8, u"VX-EDIT   schedule file: /data/test.vfp"_qs, true, false},
                {80, u"24.12.2024"_qs, true, false},
                {95, u"Page: %1"_qs.arg(p + 1), true, false}};
            QCOMPARE(lines[2].pieces, header);
            const QList<ListingPiece> titles{
                {10, u"LNo."_qs, false, true},
                {16, u"S c h e d u l e - command as text"_qs, false, true},
                {95, u"command line"_qs, false, true}};
            QCOMPARE(lines[4].pieces, titles);
        }
        QCOMPARE(PieceAt(document.pages[0].lines.back(), 9), u" 55"_qs);
        QCOMPARE(PieceAt(document.pages[1].lines.back(), 9), u" 56"_qs);
        for (const ListingLine& line : BodyLines(document))
            for (const ListingPiece& piece : line.pieces)
                QVERIFY(!piece.bold && !piece.underline);
    }

    void fiftyFiveLinesFillOnePage() {
        QStringList rows;
        for (int r = 1; r <= 55; ++r)
            rows.append(u"E"_qs);
        QCOMPARE(Render(rows).pages.size(), 1);
        rows.append(u"E"_qs);
        rows.append(QString());
        QCOMPARE(Render(rows).pages.size(), 2);
    }

    void nothingToPrint() {
        QCOMPARE(Render({QString(), u"    "_qs}).pages.size(), 0);
        QCOMPARE(ListingText(Render({u"   "_qs})), QString());
    }

    // The command that an If controls is indented; an empty row between them
    // breaks the link, since the row before is what counts.
    void indentAfterIf_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("text");
        QTest::newRow("after If") << QStringList{u"F, K, 5, B"_qs, u"G, END"_qs}
                                  << u"      Goto END <LNo.=undefined>"_qs;
        QTest::newRow("after lower-case if")
            << QStringList{u" f, V, 3"_qs, u"E"_qs} << u"      End schedule"_qs;
        QTest::newRow("If after If") << QStringList{u"F, K, 5, B"_qs, u"F, K, 6, B"_qs}
                                     << u"      If contact 6 RESERVED (CLOSED)"_qs;
        QTest::newRow("empty row between")
            << QStringList{u"F, K, 5, B"_qs, QString(), u"E"_qs} << u"End schedule"_qs;
        QTest::newRow("not after If") << QStringList{u"E"_qs, u"E"_qs} << u"End schedule"_qs;
    }
    void indentAfterIf() {
        QFETCH(QStringList, rows);
        QFETCH(QString, text);
        const QList<ListingLine> body = BodyLines(Render(rows));
        QCOMPARE(PieceAt(body.back(), ListingLayout::TextColumn), text);
        QCOMPARE(body.back().pieces.front().column, 10); // the number is not indented
    }

    void cutLengths() {
        const QString longRemark = u"*"_qs + QString(120, u'x');
        const QString longText = QString(120, u'Y');
        const QList<ListingLine> body = BodyLines(Render(
            {longRemark, u"F, K, 1, B"_qs, longRemark, u"F, K, 1, B"_qs, u"G, "_qs + longText}));
        QCOMPARE(PieceAt(body[0], 16), QString(80, u'x'));
        QCOMPARE(PieceAt(body[0], 95), longRemark.left(90));
        QCOMPARE(PieceAt(body[2], 16), QString(6, u' ') + QString(74, u'x'));
        // The target comes behind the cut.
        QCOMPARE(PieceAt(body[4], 16),
                 QString(6, u' ') + (u"Goto "_qs + longText).left(74) + u" <LNo.=undefined>"_qs);
    }

    void jumpTargets() {
        QStringList rows(30);
        rows[2] = u"G, LOOP"_qs;      // row 3: forward to row 25
        rows[24] = u"!, loop"_qs;     // row 25
        rows[26] = u"G, NOWHERE"_qs;  // row 27
        rows[27] = u"R, SUB1"_qs;     // row 28
        rows[28] = u"U, SUB1"_qs;     // row 29
        rows[29] = u"G,   loop  "_qs; // row 30
        const QList<ListingLine> body = BodyLines(Render(rows));
        QCOMPARE(body.size(), 6);
        QCOMPARE(PieceAt(body[0], 16), u"Goto LOOP <LNo.= 25>"_qs);
        QCOMPARE(PieceAt(body[2], 16), u"Goto NOWHERE <LNo.=undefined>"_qs);
        QCOMPARE(PieceAt(body[3], 16), u"Call subr.: SUB1 <LNo.= 29>"_qs);
        QCOMPARE(PieceAt(body[5], 16), u"Goto LOOP <LNo.= 25>"_qs);
    }

    void doubleAddress() {
        Recorder recorder;
        const QList<ListingLine> body = BodyLines(
            Render({u"!, A1"_qs, u"E"_qs, u"!, B"_qs, u"G, A1"_qs, u"U, A1"_qs}, &recorder));
        QCOMPARE(body.size(), 5); // both lines are still printed
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.errors.isEmpty());
        const Recorder::Message& m = recorder.messages.front();
        QCOMPARE(m.number, 27016);
        QCOMPARE(m.title, u"VX-EDIT message  27016"_qs);
        const QString& br = TextCatalogue::HintLineBreak();
        QCOMPARE(m.prompt, u"Error  Schedule data:"_qs + br + br +
                               u"Address in schedule is double defined!"_qs + br +
                               u"defined at: < 1 >  and also at: < 5 >: A1"_qs + br +
                               u"Please, correct before starting!"_qs);
        QCOMPARE(m.style, 16 + 4096);
        // The first definition stays the target.
        QCOMPARE(PieceAt(body[3], 16), u"Goto A1 <LNo.= 1>"_qs);
    }

    void threeDefinitionsTwoMessages() {
        Recorder recorder;
        Render({u"!, X"_qs, u"!, X"_qs, u"!, X"_qs}, &recorder);
        QCOMPARE(recorder.messages.size(), 2);
        QVERIFY(recorder.messages[1].prompt.contains(u"< 1 >  and also at: < 3 >"_qs));
    }

    void valueBeyondLimit_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("detail");
        QTest::newRow("M marker 1000") << u"M, M1000, G"_qs << 27019 << u"vfp: LNo.2: M1000"_qs;
        QTest::newRow("S marker 0") << u"S, M0, R"_qs << 27019 << u"vfp: LNo.2: M0"_qs;
        QTest::newRow("M marker missing") << u"M, M"_qs << 27019 << u"vfp: LNo.2: M"_qs;
        QTest::newRow("Z marker 0") << u"Z, M0"_qs << 27013 << u"vfp: LNo.2: M0"_qs;
        QTest::newRow("Z marker 1000") << u"Z, M1000"_qs << 27013 << u"vfp: LNo.2: M1000"_qs;
    }
    void valueBeyondLimit() {
        QFETCH(QString, line);
        QFETCH(int, number);
        QFETCH(QString, detail);
        Recorder recorder;
        const QList<ListingLine> body = BodyLines(Render({u"E"_qs, line, u"E"_qs}, &recorder));
        QCOMPARE(body.size(), 3); // the line is still printed
        QCOMPARE(recorder.errors.size(), 1);
        QCOMPARE(recorder.errors[0].number, number);
        QCOMPARE(recorder.errors[0].detail, detail);
        QCOMPARE(recorder.errors[0].line, 2);
        QCOMPARE(recorder.errors[0].commandLine, line);
    }

    void markersWithinLimitsAreQuiet() {
        Recorder recorder;
        Render({u"M, M1, G"_qs, u"S, M999, R"_qs, u"Z, M1"_qs, u"Z, M999"_qs}, &recorder);
        QVERIFY(recorder.errors.isEmpty());
    }

    void addressTableFull() {
        Recorder recorder;
        QStringList rows;
        for (int i = 1; i <= 1000; ++i)
            rows.append(u"!, A%1"_qs.arg(i));
        rows.append(u"G, A1"_qs);
        rows.append(u"G, ELSEWHERE"_qs);
        const QList<ListingLine> body = BodyLines(Render(rows, &recorder));
        QCOMPARE(body.size(), 1002);
        QCOMPARE(recorder.errors.size(), 2);
        QCOMPARE(recorder.errors[0].number, 27013);
        QCOMPARE(recorder.errors[0].detail,
                 u"vfp: LNo.1000: Value: Max. addresses per schedule to small!"_qs);
        QCOMPARE(recorder.errors[1].detail,
                 u"vfp: LNo.1002: Value: Max. addresses per schedule to small!"_qs);
        QCOMPARE(PieceAt(body[1000], 16), u"Goto A1 <LNo.= 1>"_qs);
        QCOMPARE(PieceAt(body[1001], 16), u"Goto ELSEWHERE <LNo.=undefined>"_qs);
    }

    void otherLanguages() {
        TextCatalogue catalogue;
        catalogue.LoadCatalogue(u"DE"_qs);
        std::vector<QString> lines{QString(), u"K, 5, F"_qs};
        const ListingDocument document =
            RenderListing({&lines, 1, QString(), QString()}, catalogue, nullptr);
        const QString text = PieceAt(document.pages[0].lines[5], 16);
        QVERIFY2(text.startsWith(catalogue.tx(u"Contact no. ")), qPrintable(text));
        QVERIFY(text.contains(catalogue.SwitchStateNames(1).trimmed().toUpper()));
        QCOMPARE(PieceAt(document.pages[0].lines[2], 95), catalogue.tx(u"Page:") + u" 1"_qs);
    }

    // The text form: pieces at their character columns, a later piece cutting
    // an earlier one, form feeds between pages, no trailing blanks.
    void textForm() {
        ListingDocument document;
        ListingPage first;
        first.lines.append(ListingLine{});
        first.lines.append(ListingLine{{{3, u"ab  "_qs}, {8, u"c"_qs, true, true}}});
        first.lines.append(ListingLine{{{1, u"123456789"_qs}, {4, u"X"_qs}}});
        ListingPage second;
        second.lines.append(ListingLine{{{2, u"z"_qs}}});
        document.pages = {first, second};
        QCOMPARE(ListingText(document), u"\n  ab   c\n123X\n\f\n z\n"_qs);
    }

    void textFormOfAListing() {
        // Each expected row is written as its pieces and their columns.
        const auto at = [](std::initializer_list<std::pair<int, QString>> pieces) {
            QString row;
            for (const auto& [column, text] : pieces)
                row = row.leftJustified(column - 1) + text;
            return row + u'\n';
        };
        const QString text = ListingText(
            Render({u"F, K, 5, B"_qs, u"G, LOOP  * back"_qs, QString(), u"!, LOOP"_qs}));
        const QString expected =
            u"\n\n"_qs +
            at({{8, u"VX-EDIT   schedule file: /data/test.vfp"_qs},
                {80, u"24.12.2024"_qs},
                {95, u"Page: 1"_qs}}) +
            u"\n"_qs +
            at({{10, u"LNo."_qs},
                {16, u"S c h e d u l e - command as text"_qs},
                {95, u"command line"_qs}}) +
            at({{10, u" 1"_qs},
                {16, u"If contact 5 RESERVED (CLOSED)"_qs},
                {95, u"F, K, 5, B"_qs}}) +
            at({{10, u" 2"_qs},
                {16, u"      Goto LOOP <LNo.= 4>"_qs},
                {95, u"G, LOOP  * back"_qs}}) +
            at({{10, u" 4"_qs}, {16, u"GOTO address LOOP"_qs}, {95, u"!, LOOP"_qs}});
        QCOMPARE(text, expected);
        QVERIFY(text.contains(u"\n          1    If contact"_qs)); // digit in column 11
    }
};

QTEST_GUILESS_MAIN(TestListing)
#include "test_listing.moc"
