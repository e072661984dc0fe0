// Random key sequences typed into random entry fields of random commands: the
// whole event chain of the entry form (entry checks, interpretation, masks,
// sub-forms, fetch, transfer, undo) must hold up without a sanitizer report,
// and the state dump stays one JSON object. (A field may hold more than its
// mask admits: the program puts texts in that the user could not type.)

#include "script/user_driver.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

const char16_t* const kControls[] = {u"mskTxt0", u"mskTxt1", u"mskTxt2",  u"mskTxt3",
                                     u"mskTxt4", u"mskTxt5", u"mskTxt6",  u"mskTxt7",
                                     u"txbTxt2", u"txbTxt3", u"txbAnmerk"};
const char16_t* const kButtons[] = {u"fetch", u"transfer", u"transfer-empty", u"insert", u"delete"};
const char kKeys[] = "0123456789+-&.,;: BFMPUZSGRAXVENKLTDWIOQ!*/#";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::UserDriver driver(u"EN");
    std::size_t i = 0;
    const auto next = [&] { return i < size ? data[i++] : std::uint8_t(0); };
    while (i < size) {
        const std::uint8_t op = next();
        switch (op % 8) {
        case 0:
            driver.select(next() % 30);
            break;
        case 1:
        case 2:
        case 3: {
            const QStringView control = kControls[next() % std::size(kControls)];
            QString text;
            for (int n = next() % 6; n >= 0; --n)
                text += QChar::fromLatin1(kKeys[next() % (sizeof kKeys - 1)]);
            driver.type(control, text);
            break;
        }
        case 4:
            driver.click(kButtons[next() % std::size(kButtons)]);
            break;
        case 5:
            driver.row(1 + next() % 5);
            break;
        case 6:
            driver.gridKey((op & 0x80) ? 8 : 27);
            break;
        default:
            if (op & 0x40)
                driver.runLine(QStringLiteral("menu Opt_Spr"));
            else if (op & 0x20)
                driver.key((op & 0x10) ? u"Ctrl+Z" : u"Ctrl+Y");
            else
                driver.focus(kControls[next() % std::size(kControls)]);
            break;
        }
    }
    const QJsonDocument dump = QJsonDocument::fromJson(driver.dump().toUtf8());
    check(dump.isObject());
    return 0;
}
