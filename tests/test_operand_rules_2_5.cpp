// Operands 2 to 5 of every command, typed field by field as a user types
// them: the explanation line, the red field and the re-shaped later fields.

#include "test_operand_rules_session.h"

#include <QtTest>

using namespace vx;
using namespace vx::test;

class TestOperandRules2To5 : public QObject {
    Q_OBJECT

private slots:
    void explanation_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("operands");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("red");

        auto row = [](const char* name, const QString& code, const QStringList& ops,
                      const QString& caption,
                      int red = 0) { QTest::newRow(name) << code << ops << caption << red; };

        // B: occupy a contact, optionally naming the locomotive.
        row("B occupied", u"B"_qs, {u"12"_qs, u"B"_qs}, u"^12 as OCCUPIED"_qs);
        row("B free", u"B"_qs, {u"12"_qs, u"F"_qs}, u"^12 as FREE."_qs);
        row("B other state", u"B"_qs, {u"12"_qs, u"X"_qs}, False, 3);
        row("B with loco", u"B"_qs, {u"12"_qs, u"B"_qs, u"9999"_qs},
            u"^12 as OCCUPIED with Locomtive no. 9999"_qs);
        row("B with marker", u"B"_qs, {u"12"_qs, u"B"_qs, u"M7"_qs},
            u"^12 as OCCUPIED with Marker no. 7"_qs);
        row("B marker 0", u"B"_qs, {u"12"_qs, u"B"_qs, u"M0"_qs}, False, 4);

        // C: function or picture, then on/off in both languages.
        row("C picture on", u"C"_qs, {u"3"_qs, u"P5"_qs, u"E"_qs},
            u"Function module no. 3  with Function picture 5=ON"_qs);
        row("C picture 51", u"C"_qs, {u"3"_qs, u"P51"_qs}, False, 3);
        row("C picture 1", u"C"_qs, {u"3"_qs, u"P1"_qs}, False, 3);
        row("C function 29", u"C"_qs, {u"3"_qs, u"29"_qs}, False, 3);
        row("C function 0", u"C"_qs, {u"3"_qs, u"0"_qs}, False, 3);
        row("C AUS", u"C"_qs, {u"3"_qs, u"28"_qs, u"AUS"_qs},
            u"Function module no. 3  with F28OFF"_qs);
        row("C OFF", u"C"_qs, {u"3"_qs, u"P2"_qs, u"off"_qs},
            u"Function module no. 3  with Function picture 2=OFF"_qs);
        row("C EIN", u"C"_qs, {u"3"_qs, u"P2"_qs, u"EIN"_qs},
            u"Function module no. 3  with Function picture 2=ON"_qs);
        row("C ON", u"C"_qs, {u"3"_qs, u"P2"_qs, u"ON"_qs},
            u"Function module no. 3  with Function picture 2=ON"_qs);
        row("C 1", u"C"_qs, {u"3"_qs, u"P2"_qs, u"1"_qs},
            u"Function module no. 3  with Function picture 2=ON"_qs);
        row("C EIX", u"C"_qs, {u"3"_qs, u"P2"_qs, u"EIX"_qs}, False, 4);
        row("C 2", u"C"_qs, {u"3"_qs, u"P2"_qs, u"2"_qs}, False, 4);

        // D: where the marker's value comes from.
        row("D SET variable", u"D"_qs, {u"10"_qs, u"&"_qs}, u"^10  = value of SET variable"_qs);
        row("D erasing", u"D"_qs, {u"10"_qs, u"0"_qs}, u"^10  = 0 (erasing)"_qs);
        row("D constant", u"D"_qs, {u"10"_qs, u"025"_qs}, u"^10  = 25"_qs);
        row("D negative constant", u"D"_qs, {u"10"_qs, u"-25"_qs}, u"^10  =-25"_qs);
        row("D system time", u"D"_qs, {u"10"_qs, u"TS"_qs},
            u"^10 Actual 'System Time' hh:mm:ss and in sec. ==> Marker no.10,11,12  and 13"_qs);
        row("D German system time", u"D"_qs, {u"10"_qs, u"ZS"_qs},
            u"^10 Actual 'System Time' hh:mm:ss and in sec. ==> Marker no.10,11,12  and 13"_qs);
        row("D model time", u"D"_qs, {u"10"_qs, u"ZM"_qs},
            u"^10 Actual 'Model Clock Time' hh:mm ==> Marker no.10 and 11"_qs);
        row("D addition of a value", u"D"_qs, {u"10"_qs, u"A"_qs, u"250"_qs},
            u"^10  + Value 250 ==> Marker no.10"_qs);
        row("D division by a marker", u"D"_qs, {u"10"_qs, u"D"_qs, u"M5"_qs},
            u"^10  / Value of Marker no.5 ==> Marker no.10"_qs);
        row("D subtraction", u"D"_qs, {u"10"_qs, u"S"_qs}, u"^10  - "_qs);
        row("D multiplication", u"D"_qs, {u"10"_qs, u"M"_qs}, u"^10  * "_qs);
        row("D marker being typed", u"D"_qs, {u"10"_qs, u"A"_qs, u"M"_qs},
            u"^10  + Value of Marker no. ==> Marker no.10"_qs);
        row("D value 0", u"D"_qs, {u"10"_qs, u"A"_qs, u"0"_qs}, False, 4);
        row("D marker 1000", u"D"_qs, {u"10"_qs, u"A"_qs, u"M1000"_qs}, False, 4);
        row("D letter value", u"D"_qs, {u"10"_qs, u"A"_qs, u"X"_qs}, False, 4);
        row("D counter", u"D"_qs, {u"10"_qs, u"UC"_qs, u"1024"_qs},
            u"^10  ==> All-purpose counter no. 1024"_qs);
        row("D counter 1025", u"D"_qs, {u"10"_qs, u"UZ"_qs, u"1025"_qs}, False, 4);
        row("D unknown source", u"D"_qs, {u"10"_qs, u"X"_qs}, False, 3);

        // F: the condition's number, state and connector.
        row("F contact changing", u"F"_qs, {u"K"_qs, u"12"_qs, u"X"_qs},
            u"^Contact no. 12 changing to FREE "_qs);
        row("F contact occupied or", u"F"_qs, {u"K"_qs, u"12"_qs, u"B"_qs, u"OR"_qs},
            u"^Contact no. 12 OCCUPIED  OR"_qs);
        row("F contact 1057", u"F"_qs, {u"K"_qs, u"1057"_qs}, False, 3);
        row("F contact state", u"F"_qs, {u"K"_qs, u"12"_qs, u"R"_qs}, False, 4);
        row("F connector being typed", u"F"_qs, {u"K"_qs, u"12"_qs, u"F"_qs, u"AN"_qs},
            u"^Contact no. 12 FREE "_qs);
        row("F connector wrong", u"F"_qs, {u"K"_qs, u"12"_qs, u"F"_qs, u"X"_qs}, False, 5);
        row("F signal green", u"F"_qs, {u"S"_qs, u"1024"_qs, u"G"_qs},
            u"^Signal no. 1024 GREEN "_qs);
        row("F article 1025", u"F"_qs, {u"M"_qs, u"1025"_qs}, False, 3);
        row("F route reserved", u"F"_qs, {u"X"_qs, u"512"_qs, u"R"_qs},
            u"^Switch route no. 512 RESERVED "_qs);
        row("F route 513", u"F"_qs, {u"X"_qs, u"513"_qs}, False, 3);
        row("F time", u"F"_qs, {u"T"_qs, u"7"_qs, u"5"_qs, u"AND"_qs},
            u"^Modell time 07:05 clock AND"_qs);
        row("F hour 24", u"F"_qs, {u"T"_qs, u"24"_qs}, False, 3);
        row("F minute 60", u"F"_qs, {u"T"_qs, u"7"_qs, u"60"_qs}, False, 4);
        row("F SET variable equal", u"F"_qs, {u"V"_qs, u"12"_qs, u"OR"_qs},
            u"^SET variable = 12  OR"_qs);
        row("F SET variable less", u"F"_qs, {u"V"_qs, u"<5"_qs, u"AND"_qs},
            u"^SET variable < 5 AND"_qs);
        row("F SET variable zero after sign", u"F"_qs, {u"V"_qs, u">0"_qs}, u"^SET variable > "_qs);
        row("F SET variable negative after sign", u"F"_qs, {u"V"_qs, u"<-5"_qs}, False, 3);
        row("F SET variable letter", u"F"_qs, {u"V"_qs, u"X1"_qs}, False, 3);
        row("F SET variable 10000", u"F"_qs, {u"V"_qs, u"10000"_qs}, False, 3);
        row("F SET variable has no operand 4", u"F"_qs, {u"V"_qs, u"1"_qs, u"OR"_qs, u"A"_qs},
            False, 5);
        row("F marker 0", u"F"_qs, {u"D"_qs, u"0"_qs}, False, 3);
        row("F marker compared", u"F"_qs, {u"D"_qs, u"5"_qs, u"<7"_qs},
            u"^Value of marker no. 5  < 7"_qs);
        row("F marker equals", u"F"_qs, {u"D"_qs, u"5"_qs, u"99999"_qs},
            u"^Value of marker no. 5  = 99999"_qs);
        row("F marker with marker", u"F"_qs, {u"D"_qs, u"5"_qs, u"M9"_qs},
            u"^Value of marker no. 5  = Value of marker no. 9"_qs);
        row("F marker even", u"F"_qs, {u"D"_qs, u"5"_qs, u"G"_qs},
            u"^Value of marker no. 5  = even value"_qs);
        row("F marker even English", u"F"_qs, {u"D"_qs, u"5"_qs, u"E"_qs},
            u"^Value of marker no. 5  = even value"_qs);
        row("F marker odd", u"F"_qs, {u"D"_qs, u"5"_qs, u"U"_qs},
            u"^Value of marker no. 5  = odd value"_qs);
        row("F marker odd English", u"F"_qs, {u"D"_qs, u"5"_qs, u"O"_qs},
            u"^Value of marker no. 5  = odd value"_qs);
        row("F marker sign alone", u"F"_qs, {u"D"_qs, u"5"_qs, u">"_qs},
            u"^Value of marker no. 5  > "_qs);
        row("F counter negative", u"F"_qs, {u"Z"_qs, u"5"_qs, u"-7"_qs},
            u"^All-purpose counter no. 5  counter value = -7"_qs);
        row("F counter odd", u"F"_qs, {u"Z"_qs, u"5"_qs, u"O"_qs},
            u"^All-purpose counter no. 5  counter value = odd"_qs);
        row("F counter even", u"F"_qs, {u"Z"_qs, u"5"_qs, u"G"_qs},
            u"^All-purpose counter no. 5  counter value = even"_qs);
        row("F counter 100000", u"F"_qs, {u"Z"_qs, u"5"_qs, u"100000"_qs}, False, 4);

        // H: marker or SET variable of a schedule receives the number.
        row("H marker", u"H"_qs, {u"5"_qs, u"M12"_qs},
            u"^5 and store into SET variable or into a marker und store into the Marker no.12"_qs);
        row("H schedule", u"H"_qs, {u"5"_qs, u"3"_qs},
            u"^5 and store into SET variable or into a marker and store into SET variable of "
            u"schedule no. 3."_qs);
        row("H schedule 0", u"H"_qs, {u"5"_qs, u"0"_qs}, False, 3);
        row("H marker 0", u"H"_qs, {u"5"_qs, u"M0"_qs}, False, 3);

        // I: the limits and the target.
        row("I SET variable", u"I"_qs, {u"1"_qs, u"99"_qs}, u"  between 1 and 99 ==> SETVar"_qs);
        row("I target marker", u"I"_qs, {u"1"_qs, u"99"_qs, u"5"_qs},
            u"  between 1 and 99 ==> Marker no. 5"_qs);
        row("I target 0", u"I"_qs, {u"1"_qs, u"99"_qs, u"0"_qs}, False, 4);

        row("J cancel stop", u"J"_qs, {u"S"_qs, u"3"_qs},
            u"Jam/blockade generating: Cancel-Stop of schedule no. 3"_qs);
        row("J cancel stop 0", u"J"_qs, {u"S"_qs, u"0"_qs}, False, 3);
        row("J with auto stop", u"J"_qs, {u"0"_qs, u"1"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP with Auto=>Stop"_qs);
        row("J without auto stop", u"J"_qs, {u"2"_qs, u"0"_qs},
            u"Jam/blockade generating: all locomotives get direct STOP and then ALL OFF without "
            u"Auto=>Stop"_qs);
        row("J auto stop 2", u"J"_qs, {u"0"_qs, u"2"_qs}, False, 3);

        row("K occupied", u"K"_qs, {u"12"_qs, u"B"_qs}, u"^12 is OCCUPIED."_qs);
        row("K free", u"K"_qs, {u"12"_qs, u"F"_qs}, u"^12 is FREE."_qs);
        row("K other", u"K"_qs, {u"12"_qs, u"X"_qs}, False, 3);
        row("K operand 3 free", u"K"_qs, {u"12"_qs, u"F"_qs, u"AND"_qs}, u"^12 is FREE."_qs);

        // L: speed, acceleration, reversal and the light.
        row("L speed", u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs}, u"Locomotive no. 3 speed step 7"_qs);
        row("L speed 127", u"L"_qs, {u"3"_qs, u"S"_qs, u"127"_qs}, False, 4);
        row("L speed with sign", u"L"_qs, {u"3"_qs, u"S"_qs, u"-5"_qs}, False, 4);
        row("L accelerate", u"L"_qs, {u"3"_qs, u"B"_qs, u"+20"_qs},
            u"Locomotive no. 3 accelerating to 20 steps"_qs);
        row("L decelerate", u"L"_qs, {u"3"_qs, u"B"_qs, u"-5"_qs},
            u"Locomotive no. 3 decelerating of: 5 steps"_qs);
        row("L decelerate 127", u"L"_qs, {u"3"_qs, u"B"_qs, u"-127"_qs}, False, 4);
        row("L high", u"L"_qs, {u"3"_qs, u"S"_qs, u"H"_qs},
            u"Locomotive no. 3 speed changing to standard 'H=high'"_qs);
        row("L low", u"L"_qs, {u"3"_qs, u"S"_qs, u"l"_qs},
            u"Locomotive no. 3 speed changing to standard 'L=low'"_qs);
        row("L middle needs S", u"L"_qs, {u"3"_qs, u"B"_qs, u"M"_qs}, False, 4);
        row("L old", u"L"_qs, {u"3"_qs, u"S"_qs, u"OLD"_qs},
            u"Locomotive no. 3 speed changing to value before 'braking to zero'"_qs);
        row("L ALT", u"L"_qs, {u"3"_qs, u"B"_qs, u"ALT"_qs},
            u"Locomotive no. 3 speed changing to value before 'braking to zero'"_qs);
        row("L reverse", u"L"_qs, {u"3"_qs, u"U"_qs},
            u"Locomotive no. 3 Braking to zero, switch driving direction and accelerate."_qs);
        row("L reverse forward", u"L"_qs, {u"3"_qs, u"U"_qs, u"V"_qs},
            u"Locomotive no. 3 Braking to zero, switch driving direction to foreward and "
            u"accelerate."_qs);
        row("L reverse backward", u"L"_qs, {u"3"_qs, u"U"_qs, u"R"_qs},
            u"Locomotive no. 3 Braking to zero, switch driving direction to backward and "
            u"accelerate."_qs);
        row("L reverse other", u"L"_qs, {u"3"_qs, u"U"_qs, u"X"_qs}, False, 4);
        row("L unknown action", u"L"_qs, {u"3"_qs, u"X"_qs}, False, 3);
        row("L light on", u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs, u"F"_qs, u"1"_qs},
            u"Locomotive no. 3 speed step 7 with light function=ON."_qs);
        row("L light off German", u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs, u"F"_qs, u"A"_qs},
            u"Locomotive no. 3 speed step 7 with light function=OFF."_qs);
        row("L light on German", u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs, u"F"_qs, u"E"_qs},
            u"Locomotive no. 3 speed step 7 with light function=ON."_qs);
        row("L light 2", u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs, u"F"_qs, u"2"_qs}, False, 6);
        row("L operand 4 other", u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs, u"X"_qs}, False, 5);

        row("M red", u"M"_qs, {u"5"_qs, u"R"_qs}, u"Magnetic article no. 5 switching to RED."_qs);
        row("M green", u"M"_qs, {u"5"_qs, u"G"_qs},
            u"Magnetic article no. 5 switching to GREEN."_qs);
        row("M special", u"M"_qs, {u"5"_qs, u"S"_qs},
            u"Magnetic article no. 5 switching to ORANGE/special status."_qs);
        row("S orange", u"S"_qs, {u"5"_qs, u"O"_qs},
            u"Signal no. 5 switching to ORANGE/special status."_qs);
        row("S other", u"S"_qs, {u"5"_qs, u"X"_qs}, False, 3);

        row("N start line", u"N"_qs, {u"a.vfp"_qs, u"1999"_qs},
            u"New loading of schedule  A.VFP, start at: 1999"_qs);
        row("N start line 2000", u"N"_qs, {u"a.vfp"_qs, u"2000"_qs}, False, 3);
        row("N start line 0", u"N"_qs, {u"a.vfp"_qs, u"0"_qs}, False, 3);

        // O: turntable.
        row("O turn", u"O"_qs, {u"1"_qs, u"T"_qs}, u"^1 drehen um 180°"_qs);
        row("O step", u"O"_qs, {u"1"_qs, u"S"_qs}, u"^1  rotate to next track number "_qs);
        row("O clear", u"O"_qs, {u"1"_qs, u"C"_qs}, u"^1 Special command CLEAR"_qs);
        row("O end", u"O"_qs, {u"1"_qs, u"E"_qs}, u"^1 Special command END"_qs);
        row("O input", u"O"_qs, {u"1"_qs, u"I"_qs}, u"^1 Special command INPUT"_qs);
        row("O track left", u"O"_qs, {u"1"_qs, u"24"_qs, u"L"_qs},
            u"^1 rotate to track number 24 left turning, anti clockwise"_qs);
        row("O track right by number", u"O"_qs, {u"1"_qs, u"-5"_qs, u"3"_qs},
            u"^1 rotate to track number -5 right turning, clockwise"_qs);
        row("O track automatic", u"O"_qs, {u"1"_qs, u"+5"_qs, u"A"_qs},
            u"^1 rotate to track number +5"_qs);
        row("O track 25", u"O"_qs, {u"1"_qs, u"25"_qs}, False, 3);
        row("O track 0", u"O"_qs, {u"1"_qs, u"0"_qs}, False, 3);
        row("O fix rotation", u"O"_qs, {u"1"_qs, u"D"_qs, u"2"_qs},
            u"^1 fix rotation to  left turning, anti clockwise"_qs);
        row("O direction other", u"O"_qs, {u"1"_qs, u"5"_qs, u"X"_qs}, False, 4);
        row("O unknown", u"O"_qs, {u"1"_qs, u"X"_qs}, False, 3);

        // Q: queue field and the value of operand 3.
        row("Q start", u"Q"_qs, {u"A"_qs, u"3"_qs},
            u"Queue: 1. Field of queue-no. 3 get value: "_qs);
        row("Q queue 0", u"Q"_qs, {u"A"_qs, u"0"_qs}, False, 3);
        row("Q goto", u"Q"_qs, {u"G"_qs, u"3"_qs, u"5"_qs},
            u"Queue: Goto  Field of queue-no. 3"_qs);
        row("Q move", u"Q"_qs, {u"M"_qs, u"3"_qs},
            u"Queue: Move SET variable to actual Field of queue-no. 3"_qs);
        row("Q takeover", u"Q"_qs, {u"V"_qs, u"3"_qs},
            u"Queue: Transfer actual value of queue no. 3 to SET variable."_qs);

        row("R value", u"R"_qs, {u"shunt"_qs, u"5"_qs}, u"^SHUNT, SET variable = 5"_qs);

        // T: the clock.
        row("T waiting", u"T"_qs, {u"7"_qs, u"5"_qs}, u"Modell time 07:05 clock waiting for."_qs);
        row("T minute 60", u"T"_qs, {u"7"_qs, u"60"_qs}, False, 3);
        row("T set and start", u"T"_qs, {u"7"_qs, u"30"_qs, u"S"_qs, u"600"_qs},
            u"Modell time 07:30 clock set and start with time lapse value 600"_qs);
        row("T lapse 601", u"T"_qs, {u"7"_qs, u"30"_qs, u"S"_qs, u"601"_qs}, False, 5);
        row("T lapse 0", u"T"_qs, {u"7"_qs, u"30"_qs, u"S"_qs, u"0"_qs}, False, 5);
        row("T stop", u"T"_qs, {u"7"_qs, u"30"_qs, u"H"_qs}, u"Modell time 07:30 clock stop."_qs);
        row("T clock code other", u"T"_qs, {u"7"_qs, u"30"_qs, u"X"_qs}, False, 4);
        row("T via marker", u"T"_qs, {u"TS"_qs, u"12"_qs},
            u"System time via marker no.12 waiting for."_qs);
        row("T via marker 0 ends quietly", u"T"_qs, {u"TM"_qs, u"0"_qs},
            u"Modell time via marker no."_qs);

        // X, Y: switch routes.
        row("X trigger", u"X"_qs, {u"5"_qs, u"S"_qs}, u"^5 trigger."_qs);
        row("X reserving", u"X"_qs, {u"5"_qs, u"R"_qs, u"yard"_qs},
            u"^5 reserving.; if already reserved, then go to YARD"_qs);
        row("X releasing", u"X"_qs, {u"5"_qs, u"F"_qs}, u"^5 releasing."_qs);
        row("X waiting free", u"X"_qs, {u"5"_qs, u"W"_qs, u"F"_qs}, u"^5 waiting for FREE."_qs);
        row("Y waiting reserved", u"Y"_qs, {u"5"_qs, u"W"_qs, u"R"_qs},
            u"^5 waiting for RESERVED."_qs);
        row("Y waiting other", u"Y"_qs, {u"5"_qs, u"W"_qs, u"X"_qs}, False, 4);
        row("X other", u"X"_qs, {u"5"_qs, u"Q"_qs}, False, 3);

        // Operating commands.
        row("/ information text as typed", u"/"_qs, {u"I"_qs, u"Train late"_qs},
            u"Operating command Information text: Train late"_qs);
        row("/ message keeps remark sign", u"/"_qs, {u"M"_qs, u"late *now"_qs},
            u"Operating command Message text: late *now"_qs);
        row("/ trace on", u"/"_qs, {u"T"_qs, u"1"_qs}, u"Operating command TRACE: switch on"_qs);
        row("/ trace off", u"/"_qs, {u"T"_qs, u"0"_qs}, u"Operating command TRACE: switch off"_qs);
        row("/ trace 2", u"/"_qs, {u"T"_qs, u"2"_qs}, False, 3);
        row("/ data input prompt", u"/"_qs, {u"D5"_qs, u"Speed?"_qs},
            u" Data input with storing into Marker no.5 Text for input request Speed?"_qs);
    }

    void explanation() {
        QFETCH(QString, code);
        QFETCH(QStringList, operands);
        QFETCH(QString, caption);
        QFETCH(int, red);
        EntrySession s;
        const QString head = Enter(s, code, operands);
        QCOMPARE(s.caption(), WithHead(head, caption));
        QCOMPARE(s.redField(), red);
        QCOMPARE(s.captionRed(), red != 0);
    }

    // Values that no mask lets the user type still arrive from a fetched line.
    void fetchedLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("red");
        QTest::newRow("queue step forward")
            << u"Q, S, 3, +2"_qs << u"Queue-no. 3 shifting further for +2 steps forward."_qs << 0;
        QTest::newRow("queue step back")
            << u"Q, S, 3, -2"_qs << u"Queue-no. 3 shifting further for -2 steps backwards."_qs << 0;
        QTest::newRow("queue step without sign") << u"Q, S, 3, 2"_qs << False << 4;
        QTest::newRow("queue add")
            << u"Q, P, 2, +5"_qs << u"Queue: Add to actual Field of queue-no. 2 Value +5"_qs << 0;
        QTest::newRow("queue add without sign") << u"Q, P, 2, 5"_qs << False << 4;
        QTest::newRow("numbered queue")
            << u"Q2, A, 3"_qs << u"Queue: 1. Field of queue-no. 3 get value: "_qs << 0;
        QTest::newRow("condition written in lower case")
            << u"F, k, 12, x"_qs << u"^Contact no. 12 changing to FREE "_qs << 0;
        QTest::newRow("locomotive with light")
            << u"L, M4+, B, -20, F, 0"_qs
            << u"Locomotive(no. in marker 4)  (open) decelerating of: 20 steps with light "
               u"function=OFF."_qs
            << 0;
        QTest::newRow("SET variable text")
            << u"D, 7, &SETVAR&"_qs << u"^7  = value of SET variable"_qs << 0;
        // The focus then moves on to operand 2, whose entry refreshes the line.
        QTest::newRow("marker number too big") << u"D, 1000"_qs << u"^"_qs << 2;
    }

    void fetchedLine() {
        QFETCH(QString, line);
        QFETCH(QString, caption);
        QFETCH(int, red);
        EntrySession s;
        s.fetch(line);
        if (caption.startsWith(u'^')) {
            // The head of a fetched line is the one choosing the command gives.
            EntrySession chosen;
            chosen.choose(line.front());
            caption = chosen.form().ExplanationParts[1] + caption.mid(1);
        }
        QCOMPARE(s.caption(), caption);
        QCOMPARE(s.redField(), red);
    }

    // The turning literal is the same in every language.
    void turnLiteralInEveryLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << u"EN"_qs;
        QTest::newRow("Spanish") << u"ES"_qs;
        QTest::newRow("German") << u"DE"_qs;
    }

    void turnLiteralInEveryLanguage() {
        QFETCH(QString, language);
        EntrySession s(language);
        const QString head = Enter(s, u"O"_qs, {u"1"_qs, u"T"_qs});
        QCOMPARE(s.caption(), head + u"1 drehen um 180°"_qs);
    }

    // The decimal sign and the seconds follow the language.
    void delayInGerman() {
        EntrySession s(u"DE"_qs);
        const QString head = Enter(s, u"Z"_qs, {u"123"_qs});
        QCOMPARE(s.caption(), head + u"12,3 Sek."_qs);
    }

    void randomNumberToNumberedVariable() {
        EntrySession s;
        Enter(s, u"I7"_qs, {u"0"_qs, u"9999"_qs});
        QCOMPARE(s.caption(), u"  between 0 and 9999 ==> SETVar[7]"_qs);
    }

    void setVarTextReplacesAmpersand() {
        EntrySession s;
        Enter(s, u"D"_qs, {u"10"_qs, u"&"_qs});
        QCOMPARE(s.field(3).text, u"&SETVAR&"_qs);
    }

    void defineMarkerSubForms_data() {
        QTest::addColumn<QString>("operand2");
        QTest::addColumn<QString>("mask2");
        QTest::addColumn<bool>("operand3Shown");
        QTest::addColumn<QString>("hint3");
        const QString tail =
            u"(0 up to 99999)\n\r  or M with following \n\r  Marker no. (1 up to 999)"_qs;
        QTest::newRow("number") << u"12"_qs << u"&&&&&&&&"_qs << false << QString();
        QTest::newRow("addition") << u"A"_qs << u"a"_qs << true << u"Addition value "_qs + tail;
        QTest::newRow("subtraction")
            << u"S"_qs << u"a"_qs << true << u"Subtraction value "_qs + tail;
        QTest::newRow("multiplication") << u"M"_qs << u"a"_qs << true << u"Multiplier "_qs + tail;
        QTest::newRow("division") << u"D"_qs << u"a"_qs << true << u"Divisor "_qs + tail;
        QTest::newRow("counter") << u"UC"_qs << u"aa"_qs << true
                                 << u"All-purpose counter no. \n\r  1 up to 1024"_qs;
    }

    void defineMarkerSubForms() {
        QFETCH(QString, operand2);
        QFETCH(QString, mask2);
        QFETCH(bool, operand3Shown);
        QFETCH(QString, hint3);
        EntrySession s;
        Enter(s, u"D"_qs, {u"10"_qs, operand2});
        QCOMPARE(s.field(3).mask, mask2);
        QCOMPARE(s.field(4).visible, operand3Shown);
        if (operand3Shown) {
            QCOMPARE(s.field(4).mask, u"a9999"_qs);
            QCOMPARE(s.field(4).prompt, QChar(u'_'));
            QCOMPARE(s.hint(u'D', 3), hint3);
        } else {
            QCOMPARE(s.field(3).width, 104);
        }
    }

    void locomotiveActionFields_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("mask3");
        QTest::addColumn<QChar>("prompt3");
        QTest::addColumn<bool>("operand4Shown");
        QTest::addColumn<QString>("hint3");
        QTest::newRow("speed") << u"S"_qs << u"&&&"_qs << QChar(u'_') << true
                               << u"Absolute driving step\n\r  0 up to 126 as well as\n\r  L, M, H "
                                  u"or OLD"_qs;
        QTest::newRow("acceleration")
            << u"B"_qs << u"&&&&"_qs << QChar(u'_') << true
            << u"for braking (-126 up to -0),\n\r  for accelerating (+0 up to +126)\n\r  as well "
               u"as L, M, H or OLD"_qs;
        QTest::newRow("reversal") << u"U"_qs << u"?"_qs << QChar(u' ') << false
                                  << u"V (forward),\n\r  R (backwards) or\n\r  empty"_qs;
    }

    void locomotiveActionFields() {
        QFETCH(QString, action);
        QFETCH(QString, mask3);
        QFETCH(QChar, prompt3);
        QFETCH(bool, operand4Shown);
        QFETCH(QString, hint3);
        EntrySession s;
        Enter(s, u"L"_qs, {u"3"_qs, action});
        QVERIFY(s.field(4).visible);
        QCOMPARE(s.field(4).mask, mask3);
        QCOMPARE(s.field(4).prompt, prompt3);
        QCOMPARE(s.field(5).visible, operand4Shown);
        QVERIFY(!s.field(6).visible);
        QCOMPARE(s.hint(u'L', 3), hint3);
    }

    void lightFunctionShowsOperand5() {
        EntrySession s;
        Enter(s, u"L"_qs, {u"3"_qs, u"S"_qs, u"7"_qs, u"F"_qs});
        QVERIFY(s.field(6).visible);
        s.erase(5);
        QVERIFY(!s.field(6).visible);
        QCOMPARE(s.caption(), u"Locomotive no. 3 speed step 7"_qs);
    }

    void turntableDirectionField() {
        EntrySession s;
        Enter(s, u"O"_qs, {u"1"_qs, u"12"_qs});
        QCOMPARE(s.field(4).mask, u"&"_qs);
        QCOMPARE(s.field(4).prompt, QChar(u'_'));
        QCOMPARE(s.hint(u'O', 3),
                 u"Rotation direction\n\r  A or empty (automatic),\n\r  L or 2 (left turning, "
                 u"anti clockwise) or\n\r  R or 3 (right turning, clockwise),\n\r  "
                 u"Sonderbefehle: C, E, I (CLEAR, END oder INPUT)"_qs);
    }

    void queueFieldShapesOperand3_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QChar>("prompt");
        QTest::addColumn<QString>("hint");
        QTest::newRow("start") << u"A"_qs << u"9999"_qs << QChar(u'_')
                               << u"Value\n\r  1 up to 9999"_qs;
        QTest::newRow("end") << u"E"_qs << u"9999"_qs << QChar(u'_')
                             << u"Value\n\r  1 up to 9999"_qs;
        QTest::newRow("goto") << u"G"_qs << u"9"_qs << QChar(u' ') << u"field-no. 1 up to 9"_qs;
        QTest::newRow("add") << u"P"_qs << u"99999"_qs << QChar(u'_')
                             << u"Value -9999 up to +9999"_qs;
    }

    void queueFieldShapesOperand3() {
        QFETCH(QString, letter);
        QFETCH(QString, mask);
        QFETCH(QChar, prompt);
        QFETCH(QString, hint);
        EntrySession s;
        Enter(s, u"Q"_qs, {letter, u"4"_qs});
        QCOMPARE(s.field(4).mask, mask);
        QCOMPARE(s.field(4).prompt, prompt);
        QCOMPARE(s.hint(u'Q', 3), hint);
    }

    void switchRouteOperand3_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("hint");
        QTest::newRow("reserving")
            << u"R"_qs << true << u"CCCCCCCCCCCC"_qs
            << u"optionally:\n\r  jump address\n\r  (=go to if already reserved)"_qs;
        QTest::newRow("waiting") << u"W"_qs << true << u"a"_qs
                                 << u"F = FREE or \n\r  R = RESERVED"_qs;
        QTest::newRow("trigger") << u"S"_qs << false << QString() << QString();
    }

    void switchRouteOperand3() {
        QFETCH(QString, action);
        QFETCH(bool, shown);
        QFETCH(QString, mask);
        QFETCH(QString, hint);
        EntrySession s;
        Enter(s, u"X"_qs, {u"5"_qs, action});
        QCOMPARE(s.field(4).visible, shown);
        if (!shown)
            return;
        QCOMPARE(s.field(4).mask, mask);
        QCOMPARE(s.field(4).maxLength, mask.size());
        QCOMPARE(s.field(5).left, s.field(4).left + s.field(4).width + 3);
        QCOMPARE(s.hint(u'X', 3), hint);
    }

    void clockCodeShowsLapse() {
        EntrySession s;
        Enter(s, u"T"_qs, {u"7"_qs, u"30"_qs, u"S"_qs});
        QVERIFY(s.field(5).visible);
        s.retype(4, u"H"_qs);
        QVERIFY(!s.field(5).visible);
    }

    // Editing an operand discards the operands behind it.
    void laterOperandsDiscarded() {
        EntrySession s;
        const QString head = Enter(s, u"F"_qs, {u"K"_qs, u"12"_qs, u"B"_qs, u"AND"_qs});
        s.type(3, u"3"_qs);
        QVERIFY(s.field(4).text.isEmpty());
        QVERIFY(s.field(5).text.isEmpty());
        QCOMPARE(s.caption(), head + u"Contact no. 123 "_qs);

        EntrySession t;
        Enter(t, u"F"_qs, {u"K"_qs, u"12"_qs, u"B"_qs, u"AND"_qs});
        t.retype(4, u"F"_qs);
        QVERIFY(t.field(5).text.isEmpty());
        QCOMPARE(t.caption(), head + u"Contact no. 12 FREE "_qs);
    }

    // An emptied operand takes its part out of the sentence.
    void emptiedOperandLeavesSentence() {
        EntrySession s;
        Enter(s, u"N"_qs, {u"a.vfp"_qs, u"12"_qs, u"yard"_qs});
        QCOMPARE(s.caption(), u"New loading of schedule  A.VFP, start at: 12, respectively start "
                              u"at: YARD"_qs);
        s.erase(4);
        QVERIFY(!s.captionRed());
        // The next refresh of the line (focus entry) shows the parts as they are.
        QCOMPARE(s.form().joinedExplanation(), u"New loading of schedule  A.VFP, start at: 12"_qs);
    }
};

QTEST_GUILESS_MAIN(TestOperandRules2To5)
#include "test_operand_rules_2_5.moc"
