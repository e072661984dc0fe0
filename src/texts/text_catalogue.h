#pragma once

// Every text the user sees, in German, English and Spanish. An entry is named
// by its English text, written as the program's documentation quotes it, with
// "¶" standing for the hint line break; tx() hands back the current language's
// text with the real line break in place.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <map>

namespace vx {

enum class Language { DE, EN, ES };

class TextCatalogue {
public:
    // The edition language, the language of every start.
    static constexpr Language EditionLanguage = Language::ES;

    TextCatalogue(); // loads the edition language

    // LF, CR, blank, blank: breaks a label or message over lines.
    static const QString& HintLineBreak();

    // Case-insensitive "DE", "EN", "ES"; any other code changes nothing and
    // returns false.
    bool LoadCatalogue(const QString& code);
    Language language() const { return language_; }
    QString languageCode() const;

    // A single entry by its English key. An unknown key comes back as itself
    // (line breaks substituted) and is remembered in missingKeys().
    const QString& tx(QStringView english) const;
    bool has(QStringView english) const;
    QStringList missingKeys() const;

    // The named arrays; an index outside an array or in one of its gaps gives "".
    const QString& CommandNames(int i) const;        // 1..30
    const QString& MenuHints(int i) const;           // 0..34 with gaps
    const QString& ErrorTexts(int i) const;          // 1..43, no 30
    const QString& ErrorParts(int i) const;          // 1..8
    const QString& FunctionSymbolNames(int i) const; // 1..50
    const QString& ArticleTypeNames(int i) const;    // 1..12
    const QString& SwitchStateNames(int i) const;    // 1..43 with gaps
    const QString& PositionNames(int i) const;       // 2..13, 18..29

    // Menu caption of a menu key ("MenuDat", "Dat_Neu", ...); "" for unknown keys.
    const QString& menuCaption(QStringView key) const;

    // For walking the whole catalogue (tests, tools).
    static int entryCount();
    static QString entryKey(int index); // English key, "¶" kept
    QString entryText(int index, Language lang) const;
    struct ArrayInfo {
        const char* name;
        int first;
        int last;
    };
    static QList<ArrayInfo> arrays();
    QString arrayText(const char* arrayName, int index, Language lang) const;

    // The language of a case-insensitive code; false for any other code.
    static bool parseLanguageCode(QStringView code, Language* language);
    static QString languageCode(Language language);
    // The language the switch goes to from the current one: German and
    // Spanish go to English; English goes back to the edition language
    // unless that is English or German, then to German.
    static Language nextLanguage(Language current);

private:
    const QString& missing(QStringView english) const;

    Language language_ = EditionLanguage;
    // The keys are nearly always literals: one looked up lately is found
    // again by where its characters are, without hashing them. A catalogue
    // serves one thread at a time.
    struct Recent {
        const QChar* data = nullptr;
        qsizetype size = -1;
        int entry = -1;
    };
    mutable std::array<Recent, 1024> recent_{};
    // Unknown keys, kept so that the references tx() hands out stay valid.
    mutable std::map<QString, QString> missing_;
    mutable QStringList missingOrder_;
};

} // namespace vx
