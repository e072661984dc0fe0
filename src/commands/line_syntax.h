#pragma once

// The text syntax of one schedule line: "CODE, op1, op2, ...  * remark".
// SplitLine is the one parser; ComposeLine the one writer.

#include <QString>
#include <array>

namespace vx {

// Splits line into the command field f[0] and the operands f[1]..f[5]
// (the six outputs f1..f6). line is handed back trimmed of blanks; the trailing
// remark is not among the outputs.
void SplitLine(QString& line, QString& f1, QString& f2, QString& f3, QString& f4, QString& f5,
               QString& f6);
std::array<QString, 6> SplitLine(const QString& line);

// The text after the first " *" of a command line (its remark, untrimmed);
// "" when there is none or the line is a remark or operating command.
QString TrailingRemark(const QString& line);

// What the entry fields hold when a line is written from them.
struct LineEntry {
    QString code;                      // command field as typed
    std::array<QString, 6> operands;   // masked operand fields 1..5 (index 0 unused)
    QString freeText1;                 // free-text box standing for operand 1
    QString freeText2;                 // free-text box standing for operand 2
    bool operand1FromFreeText = false; // N, P: operand 1 is typed into the free-text box
    bool operand2FromFreeText = false; // operand 2's masked box hidden, or "/" with M, I or D
    QString remark;                    // remark box
};

QString ComposeLine(const LineEntry& entry);

} // namespace vx
