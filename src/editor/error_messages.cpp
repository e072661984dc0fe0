#include "editor/error_messages.h"

#include "texts/basic_numbers.h"

#include <QFileInfo>

namespace vx {

Messages::Messages(MessageWindow& window, const TextCatalogue& catalogue)
    : window_(window), catalogue_(catalogue) {}

bool Messages::mayOverwrite(const QString& path, const QString& title) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return true;
    return ShowMessage(path + QStringLiteral("\r\n") +
                           catalogue_.tx(u"File available, overwriting?"),
                       MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2,
                       title) == MsgAnswer::Yes;
}

int Messages::ShowMessage(const QString& prompt, int style, const QString& title) {
    return window_.show(prompt, style, title, catalogue_.language() == Language::DE);
}

void Messages::setListingLine(int lineNumber, const QString& commandLine) {
    listingLineNumber_ = lineNumber;
    listingCommandLine_ = commandLine;
}

void Messages::ReportDoubleAddress(int first, int again, const QString& name) {
    const TextCatalogue& c = catalogue_;
    const QString& br = TextCatalogue::HintLineBreak();
    const QString prompt = c.ErrorParts(1) + QStringLiteral("  ") + c.tx(u"Schedule data") + u':' +
                           br + br + c.ErrorTexts(DoubleAddress - 27000) + br +
                           c.tx(u"defined at: ") + u'<' + Str(first) + QStringLiteral(" > ") +
                           c.tx(u" and also at: ") + QStringLiteral("< ") + QString::number(again) +
                           QStringLiteral(" >: ") + name + br +
                           c.tx(u"Please, correct before starting!");
    ShowMessage(prompt, MsgStyle::Ok + MsgStyle::Critical + MsgStyle::SystemModal,
                c.ErrorTexts(5) + Str(DoubleAddress));
}

void Messages::ReportError(int number, int symbol, int styleAddition, const QString& detail,
                           qint16& answer) {
    const QString& br = TextCatalogue::HintLineBreak();
    const int e = number;
    QString prompt;
    QString title;
    int style = 0;
    if (e >= 27001 && e <= 27010) {
        prompt = Str(e) + u' ' + catalogue_.ErrorTexts(e - 27000) + br + detail;
        title = catalogue_.ErrorTexts(4) + Str(e);
        style =
            styleAddition + MsgStyle::Critical + MsgStyle::DefaultButton2 + MsgStyle::SystemModal;
    } else if (e >= 27011 && e <= 27020) {
        const int s = symbol;
        const QString value = QStringLiteral(". ") + catalogue_.tx(u"Value");
        QString symbolText;
        if (s >= 41 && s <= 49)
            symbolText = QStringLiteral("X-Symbol old,") + Str(s - 40) + value;
        else if (s >= 51 && s <= 59)
            symbolText = QStringLiteral("X-Symbol,") + Str(s - 50) + value;
        else if (s >= 61 && s <= 69)
            symbolText = QStringLiteral("P-Symbol,") + Str(s - 60) + value;
        else if (s >= 71 && s <= 79)
            symbolText = catalogue_.tx(u"Special sign") + u',' + Str(s - 70) + value;
        else if (s >= 80 && s <= 92)
            symbolText = QStringLiteral("###") + Str(s - 80) + QStringLiteral(" ###");
        else if (s == 27035)
            symbolText =
                catalogue_.tx(u"Command line") + u'=' + QString::number(listingLineNumber_);
        title = catalogue_.ErrorTexts(5) + Str(e);
        style =
            styleAddition + MsgStyle::Question + MsgStyle::DefaultButton2 + MsgStyle::SystemModal;
        if (e == 27013 || e == 27014)
            prompt = QString::number(e) + u' ' + catalogue_.ErrorTexts(e - 27000) + br + detail +
                     br + listingCommandLine_ + br + symbolText;
        else
            prompt =
                Str(e) + u' ' + catalogue_.ErrorTexts(e - 27000) + br + detail + br + symbolText;
    } else if ((e >= 27021 && e <= 27029) || (e >= 8000 && e <= 8021)) {
        return;
    } else {
        // Not raised by the editor itself; says at least which number it was.
        prompt = catalogue_.ErrorTexts(6) + QString::number(e) + br + detail;
        title = catalogue_.ErrorParts(4);
        style = styleAddition + MsgStyle::Critical + MsgStyle::SystemModal;
    }
    answer = static_cast<qint16>(ShowMessage(prompt, style, title));
}

} // namespace vx
