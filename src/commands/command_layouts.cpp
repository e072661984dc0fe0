#include "commands/command_layouts.h"

#include "texts/text_catalogue.h"

namespace vx {

namespace {

constexpr char16_t Blank = u' ';
constexpr char16_t Under = u'_';

constexpr FieldLayout F(const char16_t* mask, char16_t prompt, int maxLength, int width) {
    return {true, mask, prompt, maxLength, width, false, false};
}
constexpr FieldLayout Shown(FieldLayout f) {
    f.shown = true;
    return f;
}
constexpr FieldLayout WidthOnly(int width) {
    return {true, u"", 0, 0, width, true, false};
}
constexpr FieldLayout Code2 = F(u"A#", Blank, 2, 40);
constexpr FieldLayout Name12 = F(u"&&&&&&&&&&&&", Blank, 12, 168);

// Index = command; row 0 unused.
const CommandLayout Layouts[30] = {
    {},
    {u'A', 970, {}, {F(u"aa", Blank, 2, 40)}, {}, {}},
    {u'B',
     980,
     {},
     {F(u"####", Under, 4, 56), F(u"A", Blank, 1, 32), F(u"A###", Under, 4, 56)},
     {},
     {}},
    {u'C',
     990,
     {},
     {F(u"A####", Under, 5, 64), F(u"A##", Under, 3, 40), F(u"AAA", Blank, 3, 48)},
     {},
     {}},
    {u'D', 1000, {}, {F(u"###", Under, 3, 48), F(u"&&&&&&&&", Under, 8, 104)}, {}, {}},
    {u'E', 1010, {}, {F(u"?", Blank, 1, 40)}, {}, {}},
    {u'F',
     1020,
     {},
     {F(u"?", Blank, 1, 32), F(u"####", Under, 4, 56), F(u"?", Blank, 1, 32),
      F(u"CCC", Under, 3, 48)},
     {},
     {}},
    {u'G', 1030, {}, {Name12}, {}, {}},
    {u'H', 1040, {}, {F(u"####", Under, 4, 56), F(u"A999", Blank, 4, 56)}, {}, {}},
    {u'I',
     1050,
     Code2,
     {F(u"####", Under, 4, 56), F(u"####", Under, 4, 56), F(u"###", Under, 3, 48)},
     {},
     {}},
    {u'J', -1, {}, {F(u"", Blank, 1, 32), WidthOnly(32)}, {}, {}},
    {u'K',
     1060,
     {},
     {F(u"####", Under, 4, 56), F(u"?", Blank, 1, 32), Shown(F(u"CCC", Under, 3, 48))},
     {},
     {}},
    {u'L',
     1070,
     {},
     {F(u"ACCCCC", Under, 6, 56), F(u"A", Blank, 1, 32), F(u"aaaa", Under, 4, 56),
      F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
     {},
     {}},
    {u'M', 1080, {}, {F(u"A###", Under, 4, 56), F(u"A", Under, 1, 32)}, {}, {}},
    {u'N', 1090, Code2, {FieldLayout{}, F(u"####", Under, 4, 56)}, {280, 0}, {}},
    {u'O',
     1095,
     {},
     {F(u"#", Under, 1, 32), F(u"&&&", Blank, 3, 48), F(u"&", Blank, 1, 32)},
     {},
     {}},
    {u'P', 1100, {}, {}, {480, 0}, {}},
    {u'Q',
     1110,
     Code2,
     {F(u"A", Blank, 1, 32), F(u"#", Blank, 1, 32), F(u"9999", Under, 4, 56)},
     {},
     {}},
    {u'R', 1120, {}, {Name12, F(u"####", Under, 4, 56)}, {}, {}},
    {u'S', 1130, {}, {F(u"A###", Blank, 4, 56), F(u"A", Blank, 1, 32)}, {}, {}},
    {u'T',
     1140,
     {},
     {F(u"AA", Under, 2, 40), F(u"##", Under, 2, 40), F(u"A", Blank, 1, 32), F(u"999", 0, 3, 48)},
     {},
     {}},
    {u'U', 1150, {}, {Name12}, {}, {}},
    {u'V', 1160, Code2, {F(u"A###", Under, 4, 56)}, {}, {}},
    {u'W', 1170, {}, {F(u"A###", Under, 4, 56)}, {}, {}},
    {u'X',
     1180,
     {},
     {F(u"###", Under, 3, 48), F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
     {},
     {}},
    {u'Y',
     1190,
     {},
     {F(u"##", Under, 2, 40), F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
     {},
     {}},
    {u'Z', 1200, {}, {F(u"A###", Under, 4, 56)}, {}, {}},
    {u'/', 1210, {}, {F(u"a999", Blank, 4, 56), F(u"", Blank, 1, 32)}, {}, {420, 50}},
    {u'!', 1220, {}, {Name12}, {}, {}},
    {u'*', 1230, {true, u"&", Blank, 1, 32, false, false}, {}, {480, 76}, {}},
};

const CommandLayout NoLayout{};

} // namespace

const CommandLayout& LayoutOf(int command) {
    return command >= 1 && command <= 29 ? Layouts[command] : NoLayout;
}

QString LayoutHint(const TextCatalogue& c, int command, int n, bool* stored) {
    const QString& br = TextCatalogue::HintLineBreak();
    auto t = [&c](QStringView english) { return c.tx(english); };
    auto markerRange = [&] {
        return t(u"Marker no.") + QStringLiteral(" (") + t(u"1 up to 999") + u')';
    };
    auto orMarker = [&] {
        return br + t(u"or M with following ") + br + t(u"Marker no.") + u' ' + t(u"1 up to 999");
    };
    QString h;
    bool set = true;
    const char16_t code = LayoutOf(command).code;
    switch (code * 8 + n) {
    case u'A' * 8 + 1:
        h = t(u"optionally: ty6pe¶empty (All, but no markers),¶M (only magnetic articles),  S "
              u"(only signals),  P or W (only track switches/points), ¶C or K (only contacts),  "
              u"R or F (only switch routes)¶or MK (only markers)");
        break;
    case u'B' * 8 + 1:
    case u'K' * 8 + 1:
        h = t(u"Contact number¶0 up to 1056");
        break;
    case u'B' * 8 + 2:
    case u'K' * 8 + 2:
        h = t(u"B (occupied) or¶F (free)");
        break;
    case u'B' * 8 + 3:
        h = t(u"optionally: locomotive no.¶0 up to 9999¶or¶M with following  marker number 1 "
              u"to 999");
        break;
    case u'C' * 8 + 1:
        h = t(u"Function module no.¶0 up to 9999 or¶M and marker number¶1 up to 999");
        break;
    case u'C' * 8 + 2:
        h = t(u"function no. F..¶1 up to 28 or¶Function picture ¶P2 up to P50");
        break;
    case u'C' * 8 + 3:
        h = t(u"funktion value¶OFF, AUS or 0 = off or¶ON, EIN or 1 = on");
        break;
    case u'D' * 8 + 1:
    case u'Y' * 8 + 1:
        h = markerRange();
        break;
    case u'D' * 8 + 2:
        h = t(u"Marker value (0 up to 99999) or¶Operation (A; S; M; D; TM; TS; UC)¶or as text= "
              u"&&SETVAR&& ");
        break;
    case u'E' * 8 + 1:
        h = t(u"U (End of subroutine),¶W (End of repeating loop) or¶empty = End of main program");
        break;
    case u'F' * 8 + 1:
        h = t(u"K (Contact),               M (Magnetic article),¶S (Signal),                  T "
              u"(Modell time),¶X (Switch route),      D (Marker)¶V (SET variable)        or "
              u"¶Z (All-purpose counter)");
        break;
    case u'G' * 8 + 1:
        h = t(u"Address¶max. up to 12 digits");
        break;
    case u'H' * 8 + 1:
        h = t(u"Contact number¶1 up to 1056");
        break;
    case u'I' * 8 + 1:
        h = t(u"lowest value¶0 up to 9999");
        break;
    case u'I' * 8 + 3:
        h = t(u"optionally¶as target either:¶  Marker no. 1 up to 999¶  or empty ==> SETVar");
        break;
    case u'J' * 8 + 1:
        h = t(u"activity type: ") + t(u"0, 1, 2 or S") + br + QStringLiteral(" 0 = ") +
            t(u"all locomotives get direct STOP") + br + QStringLiteral(" 1 = ") +
            t(u"direct ALL OFF") + br + QStringLiteral(" 2 = ") +
            t(u"all locomotives get direct STOP") + t(u" and then ALL OFF") + br +
            QStringLiteral(" S = ") + t(u"Cancel-Stop of schedule no.");
        break;
    case u'K' * 8 + 3:
        h = t(u"optionally: AND or OR");
        break;
    case u'L' * 8 + 1:
        h = t(u"Locomotive number¶0 up to 9999 or¶M and marker number¶1 up to 999") + br +
            t(u" behind optionally¶  + (open loco window) or¶  -  (close loco window)");
        break;
    case u'L' * 8 + 2:
        h = t(u"Control type¶S (Absolute step),¶B (accelerate, decelerate) or¶U (switch "
              u"direction)");
        break;
    case u'L' * 8 + 3:
        h = t(u"Absolute driving step") + QStringLiteral(" , ALT ") +
            t(u"or changing (-126 up to +126)");
        break;
    case u'L' * 8 + 4:
        h = t(u"optionally: light function¶F");
        break;
    case u'L' * 8 + 5:
        h = t(u"0 or A (off)¶or¶1 or E (on)");
        break;
    case u'M' * 8 + 1:
        h = t(u"Magnetic article no. ") + t(u"0 up to 1024") + orMarker();
        break;
    case u'S' * 8 + 1:
        h = t(u"Signal no. ") + t(u"0 up to 1024") + orMarker();
        break;
    case u'M' * 8 + 2:
    case u'S' * 8 + 2:
        h = t(u"Wanted switch status¶G (green),¶R (red) or¶O (orange)");
        break;
    case u'N' * 8 + 1:
        h = t(u"Full file name of a schedule VFP-file");
        break;
    case u'N' * 8 + 2:
        h = t(u"Start line of schedule");
        break;
    case u'O' * 8 + 1:
        h = t(u"Turntable no. ") + br + t(u"1 or 2");
        break;
    case u'O' * 8 + 2:
        h = t(u"Turn position¶-24 up to 24 (to track number),¶D or R (fix rotation "
              u"direction),¶S (STEP) or T (TURN)");
        break;
    case u'O' * 8 + 3:
        h = t(u"Rotation direction¶A or empty (automatic),¶L or 2 (left turning, anti "
              u"clockwise) or¶R or 3 (right turning, clockwise),¶Sonderbefehle: C, E, I (CLEAR, "
              u"END oder INPUT)");
        break;
    case u'P' * 8 + 1:
        h = t(u"1 up to 99 (Sound no.) or full WAV filename");
        break;
    case u'Q' * 8 + 1:
        h = t(u"Queue def. type: A (Start),¶ E (End/Expand), G (Goto),¶P (Add), M (Move), S "
              u"(Step)¶or V (Takeover)");
        break;
    case u'Q' * 8 + 2:
        h = t(u"Queue no.¶1 up to 9");
        break;
    case u'Q' * 8 + 3:
        h = t(u"Value¶1 up to 9999");
        break;
    case u'R' * 8 + 1:
    case u'U' * 8 + 1:
        h = t(u"Subroute name¶max. up to 12 digits");
        break;
    case u'R' * 8 + 2:
        h = t(u"optionally: value (SET variable)¶0 up to 9999");
        break;
    case u'T' * 8 + 1:
        h = t(u"Modell hour¶0 up to 23") +
            t(u" or¶TM (model clock time via marker) or¶TS (system clock time via marker)");
        break;
    case u'T' * 8 + 2:
        h = t(u"Modell minute¶0 up to 59");
        break;
    case u'T' * 8 + 3:
        h = t(u"optionally: code:¶S (Set clock) or¶H (stop clock)");
        break;
    case u'V' * 8 + 1:
        h = t(u"Value of SET variable¶0 up to 9999") + br + t(u"or M with following ") + br +
            t(u"Marker no. 1 up to 999");
        break;
    case u'W' * 8 + 1:
        h = t(u"Repeating counter¶0 up to 999") + br + t(u"or M with following ") + br +
            t(u"Marker no. 1 up to 999");
        break;
    case u'X' * 8 + 1:
        h = t(u"Switch route no.¶0 up to 512");
        break;
    case u'X' * 8 + 2:
    case u'Y' * 8 + 2:
        h = t(
            u"S or empty = Switch,¶R = Reserve with switching,¶F = Release or ¶W = Wait until ...");
        break;
    case u'X' * 8 + 3:
    case u'Y' * 8 + 3:
        h = t(u"F = FREE or ¶R = RESERVED");
        break;
    case u'Z' * 8 + 1:
        h = t(u"Time delay in 1/10 sec.¶0 up to 999¶or¶M and marker number¶1 up to 999");
        break;
    case u'/' * 8 + 1:
        h = t(u"Command type¶I = Information,¶M = Message or¶T = Trace");
        break;
    case u'!' * 8 + 1:
        h = t(u"GOTO address¶max. 12 digits");
        break;
    case u'*' * 8 + 1:
        h = t(u"Remark¶free text, max. up to 76 digits");
        break;
    default:
        set = false;
        break;
    }
    if (stored)
        *stored = set;
    return h;
}

QString LayoutHead(const TextCatalogue& c, int command) {
    auto t = [&c](QStringView english) { return c.tx(english); };
    // Every command starts its sentence with a head, so that the explanation
    // reads as one sentence from the first operand on; the command field and
    // operand 1 replace it where their value changes the wording.
    switch (LayoutOf(command).code) {
    case u'A':
        return t(u"All to initial status");
    case u'B':
        return t(u"Occupy contact-no. ");
    case u'C':
        return t(u"Trigger funktion module ");
    case u'D':
        return t(u"Marker no.") + u' ';
    case u'E':
        return t(u"End") + u' ';
    case u'F':
        return t(u"If") + u' ';
    case u'G':
        return t(u"Goto address") + QStringLiteral(": ");
    case u'H':
        return t(u"Fetch locomotive number from contact no. ");
    case u'I':
        return RandomNumberHead(c);
    case u'J':
        return t(u"Jam/blockade generating: ");
    case u'K':
        return t(u"Wait until contact no. ");
    case u'L':
        return t(u"Locomotive no.") + u' ';
    case u'M':
        return t(u"Magnetic article no. ");
    case u'N':
        return t(u"New loading of schedule ") + u' ';
    case u'O':
        return t(u"Turntable no. ");
    case u'P':
        return t(u"Start of sound ");
    case u'Q':
        return t(u"Queue") + u':';
    case u'R':
        return t(u"Call subroutine ");
    case u'S':
        return t(u"Signal no. ");
    case u'T':
        return t(u"Modell time") + u' ';
    case u'U':
        return t(u"Start Subroutine ");
    case u'V':
        return t(u"SET variable") + u' ';
    case u'W':
        return t(u"Repeat ");
    case u'X':
        return t(u"Switch route no. ");
    case u'Y':
        return t(u"Switch route via marker no. ");
    case u'Z':
        return t(u"Time delay: ");
    case u'/':
        return t(u"Operating command");
    case u'!':
        return t(u"GOTO address") + QStringLiteral(": ");
    case u'*':
        return QStringLiteral("* ");
    default:
        return QString();
    }
}

QString RandomNumberHead(const TextCatalogue& c) {
    // The random-number phrase before " between " is empty in German and English;
    // the catalogue holds none, so every language reads "<blank> between".
    return u' ' + c.tx(u" between ");
}

} // namespace vx
