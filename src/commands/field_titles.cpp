#include "commands/field_titles.h"

#include "texts/blanks.h"
#include "texts/text_catalogue.h"

#include <QStringList>

namespace vx {

int OperandOf(Control control) {
    switch (control) {
    case Control::txbTxt2:
        return 1;
    case Control::txbTxt3:
        return 2;
    default:
        break;
    }
    const int k = static_cast<int>(control) - static_cast<int>(Control::mskTxt0);
    return k >= 2 && k <= 7 ? k - 1 : 0;
}

QString FieldTitle(const TextCatalogue& catalogue, Control control, const QString& hint) {
    if (control == Control::mskTxt1)
        return catalogue.tx(u"command field");
    if (control == Control::mskTxt0)
        return catalogue.tx(u"LNo.");
    if (control == Control::txbAnmerk)
        return catalogue.tx(u"Remark");
    const int operand = OperandOf(control);
    QString title = catalogue.tx(u"operand") + u' ' + QString::number(operand);
    const QStringList lines = hint.split(TextCatalogue::HintLineBreak());
    QString name = Trim(lines.front());
    // A first line that ends in "or" lists choices: all of them name the operand.
    for (QStringView joiner : {u" or", u" oder", u" o"}) {
        if (!name.endsWith(joiner))
            continue;
        QStringList choices;
        for (const QString& line : lines)
            choices.append(Trim(line));
        name = choices.join(u' ');
        break;
    }
    while (name.endsWith(u':') || name.endsWith(u' '))
        name.chop(1);
    if (name.isEmpty())
        return title;
    // German capitalises its nouns; the others read a name inside a sentence.
    // A choice letter ("B (occupied)") keeps its case.
    if (catalogue.language() != Language::DE && name.size() > 1 && name[1].isLower())
        name[0] = name[0].toLower();
    return title + QStringLiteral(" (") + name + u')';
}

} // namespace vx
