// The batch outputs write their JSON straight as UTF-8; it must be the text
// that the QString writer gives, converted as Qt converts it, whatever the
// units of the strings and however the buffer grows.

#include "texts/json_writer.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vx;

namespace {

// Units that lean to the awkward ones: controls, quotes, DEL, non-ASCII and
// surrogate halves in any order.
QString randomUnits(QRandomGenerator& random) {
    static constexpr char16_t Awkward[] = {
        0x00, 0x01,  0x08,  0x09,   0x0a,   0x0c,   0x0d,   0x1f,   u'"',   u'\\',  0x7f, 0x80,
        0xe9, 0x7ff, 0x800, 0x20ac, 0xd800, 0xdbff, 0xdc00, 0xdfff, 0xfffd, 0xffff, u'a', u' '};
    QString s;
    const int size = static_cast<int>(random.bounded(12));
    for (int i = 0; i < size; ++i)
        s += QChar(random.bounded(3) == 0
                       ? static_cast<char16_t>(random.bounded(0x10000))
                       : Awkward[random.bounded(static_cast<int>(std::size(Awkward)))]);
    return s;
}

template <class Text>
void writeObject(Text& out, JsonStyle style, const QString& a, const QString& b, qint64 n) {
    JsonObjectOn(out, style)
        .num(u"n", n)
        .str(u"a", a)
        .strOrNull(u"b", b)
        .raw(u"raw", b)
        .flag(u"on", n % 2 == 0)
        .strings(u"list", {a, b, QString()})
        .close();
}

template <class Text>
bool twoPartsWrittenAsOne(JsonStyle style, const QString& head, const QString& tail) {
    Text parts, whole;
    JsonObjectOn(parts, style).str(u"m", JsonEscapedHead<Text>(head, style.escapes), tail).close();
    JsonObjectOn(whole, style).str(u"m", QString(head + tail)).close();
    return parts == whole;
}

} // namespace

class TestJsonWriter : public QObject {
    Q_OBJECT

private slots:
    void utf8AsQtSpellsIt() {
        QRandomGenerator random(7);
        QList<QString> texts = {u""_s,
                                u"plain"_s,
                                u"\u00e9\u20ac"_s,
                                u"\U0001F600"_s,
                                QString(QChar(0xd800)),
                                u"\xd800x"_s,
                                u"\xdc00\xd800\xdc00"_s};
        for (int i = 0; i < 2000; ++i)
            texts.append(randomUnits(random));
        for (const QString& text : texts) {
            QByteArray out = "before ";
            AppendUtf8(out, text);
            QCOMPARE(out, "before " + text.toUtf8());
        }
    }

    void bothTextsSpellTheSame() {
        // The spellings themselves, as scripts read them.
        const QString awkward = u"a\"b\\c\n\r\t\b\f\x01\x7f\xd800"_s;
        QCOMPARE(JsonQuote(awkward),
                 u"\"a\\\"b\\\\c\\n\\r\\t\\u0008\\u000c\\u0001\\u007f"_s + QChar(0xd800) + u'"');
        QCOMPARE(JsonQuote(awkward, JsonEscapes::Toolkit),
                 u"\"a\\\"b\\\\c\\n\\r\\t\\b\\f\\u0001"_s + QChar(0x7f) + u"\\ud800\""_s);

        // Many objects into one buffer of each kind: the UTF-8 one grows
        // while it is written, the other is converted at the end.
        QRandomGenerator random(11);
        for (const JsonStyle style :
             {JsonStyle{}, JsonStyle{JsonSeparators::Tight, JsonEscapes::Toolkit}}) {
            QByteArray bytes = "[";
            QString text = u"["_s;
            for (int i = 0; i < 3000; ++i) {
                const QString a = randomUnits(random);
                const QString b = randomUnits(random);
                const qint64 n = i % 3 == 0 ? -i : qint64(i) << (i % 40);
                writeObject(bytes, style, a, b, n);
                writeObject(text, style, a, b, n);
            }
            QCOMPARE(bytes, text.toUtf8());
        }

        // The object as a text of its own: the same as written onto a text.
        QString on;
        JsonObjectOn(on).num(u"line", 3).str(u"text", awkward).close();
        QCOMPARE(JsonObject().num(u"line", 3).str(u"text", awkward).text(), on);
        QCOMPARE(JsonObject().text(), u"{}"_s);
        QString list;
        JsonObjectOn(list).strings(u"k", {u"x"_s, u"y"_s}).close();
        QCOMPARE(list, u"{\"k\": "_s + JsonArray::strings({u"x"_s, u"y"_s}).text() + u'}');
    }

    // Members written once and copied into objects, first or after others.
    void membersWrittenOnce() {
        for (const JsonStyle style :
             {JsonStyle{}, JsonStyle{JsonSeparators::Tight, JsonEscapes::Toolkit}}) {
            const QByteArray members = JsonObjectOn<QByteArray>::membersOf(
                style, [](auto& o) { o.str(u"kind", u"a\"b").strOrNull(u"field", QString()); });
            QByteArray copied, written;
            JsonObjectOn(copied, style).num(u"line", 7).members(members).close();
            JsonObjectOn(written, style)
                .num(u"line", 7)
                .str(u"kind", u"a\"b")
                .strOrNull(u"field", QString())
                .close();
            QCOMPARE(copied, written);
            copied.clear();
            written.clear();
            JsonObjectOn(copied, style).members(members).members({}).close();
            JsonObjectOn(written, style)
                .str(u"kind", u"a\"b")
                .strOrNull(u"field", QString())
                .close();
            QCOMPARE(copied, written);
        }
    }

    // A message kept in two parts is written as the one string it makes,
    // also where a surrogate pair or an escape meets the cut.
    void twoPartsAsOne() {
        QRandomGenerator random(13);
        for (const JsonStyle style :
             {JsonStyle{}, JsonStyle{JsonSeparators::Tight, JsonEscapes::Toolkit}}) {
            for (int i = 0; i < 2000; ++i) {
                const QString head = randomUnits(random);
                const QString tail = randomUnits(random);
                QVERIFY(twoPartsWrittenAsOne<QByteArray>(style, head, tail));
                QVERIFY(twoPartsWrittenAsOne<QString>(style, head, tail));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestJsonWriter)
#include "test_json_writer.moc"
