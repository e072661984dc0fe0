#include "texts/text_catalogue.h"

#include "texts/catalogue_data.h"

#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vx {

namespace {

constexpr char16_t kBreakMark = u'\u00B6';
constexpr int kLanguageCount = 3;

int slot(Language language) {
    return static_cast<int>(language);
}

QString withBreaks(QStringView text) {
    QString result = text.toString();
    result.replace(QChar(kBreakMark), TextCatalogue::HintLineBreak());
    return result;
}

// Built once for the whole run and shared by every catalogue: the texts of
// all three languages with the line breaks already in place, so that a
// lookup is one hash probe and no copy.
struct Store {
    std::vector<QString> keys;
    std::vector<QString> texts[kLanguageCount];
    // Keyed by views into the constant tables, which live for the whole run.
    std::unordered_map<std::u16string_view, int> byKey;
    struct ArrayData {
        const char* name;
        int first;
        int last;
        std::vector<int> entries; // entry per index from first; -1 in a gap
    };
    std::vector<ArrayData> arrays;
    std::unordered_map<std::u16string_view, int> menu;

    Store() {
        using namespace catalogue_data;
        keys.reserve(static_cast<size_t>(kTextCount));
        for (auto& t : texts)
            t.reserve(static_cast<size_t>(kTextCount));
        for (int i = 0; i < kTextCount; ++i) {
            const Text& e = kTexts[i];
            const std::u16string_view key(e.en);
            // A repeated key would make the later entry unreachable; the
            // first one wins, the tests report the repetition.
            if (!byKey.emplace(key, static_cast<int>(keys.size())).second)
                continue;
            keys.push_back(QString::fromUtf16(e.en));
            texts[slot(Language::DE)].push_back(withBreaks(QStringView(e.de)));
            texts[slot(Language::EN)].push_back(withBreaks(QStringView(e.en)));
            texts[slot(Language::ES)].push_back(withBreaks(QStringView(e.es)));
        }
        for (int a = 0; a < kArrayCount; ++a) {
            const Array& def = kArrays[a];
            ArrayData data{def.name, def.first, def.last,
                           std::vector<int>(static_cast<size_t>(def.last - def.first + 1), -1)};
            for (int k = 0; k < def.count; ++k) {
                const Item& item = def.items[k];
                if (item.index < def.first || item.index > def.last)
                    continue;
                data.entries[static_cast<size_t>(item.index - def.first)] = find(item.en);
            }
            arrays.push_back(std::move(data));
        }
        for (int m = 0; m < kMenuKeyCount; ++m)
            menu.emplace(std::u16string_view(kMenuKeys[m].key), find(kMenuKeys[m].en));
    }

    int find(std::u16string_view key) const {
        const auto it = byKey.find(key);
        return it == byKey.end() ? -1 : it->second;
    }

    const ArrayData* array(const char* name) const {
        for (const ArrayData& a : arrays)
            if (std::strcmp(a.name, name) == 0)
                return &a;
        return nullptr;
    }

    int arrayEntry(const char* name, int index) const {
        const ArrayData* a = array(name);
        if (a == nullptr || index < a->first || index > a->last)
            return -1;
        return a->entries[static_cast<size_t>(index - a->first)];
    }
};

const Store& store() {
    static const Store s;
    return s;
}

const QString& emptyText() {
    static const QString empty;
    return empty;
}

const QString& entryIn(Language language, int entry) {
    if (entry < 0)
        return emptyText();
    return store().texts[slot(language)][static_cast<size_t>(entry)];
}

std::u16string_view viewOf(QStringView text) {
    return {text.utf16(), static_cast<size_t>(text.size())};
}

} // namespace

TextCatalogue::TextCatalogue() {
    // Build the tables now rather than on the first keystroke.
    store();
}

const QString& TextCatalogue::HintLineBreak() {
    static const QString lineBreak = QStringLiteral("\n\r  ");
    return lineBreak;
}

bool TextCatalogue::parseLanguageCode(QStringView code, Language* language) {
    for (const Language candidate : {Language::DE, Language::EN, Language::ES}) {
        if (code.compare(languageCode(candidate), Qt::CaseInsensitive) == 0) {
            if (language != nullptr)
                *language = candidate;
            return true;
        }
    }
    return false;
}

QString TextCatalogue::languageCode(Language language) {
    switch (language) {
    case Language::DE:
        return QStringLiteral("DE");
    case Language::EN:
        return QStringLiteral("EN");
    case Language::ES:
        break;
    }
    return QStringLiteral("ES");
}

Language TextCatalogue::nextLanguage(Language current) {
    if (current != Language::EN)
        return Language::EN;
    if (EditionLanguage != Language::EN && EditionLanguage != Language::DE)
        return Language::ES;
    return Language::DE;
}

bool TextCatalogue::LoadCatalogue(const QString& code) {
    Language language = language_;
    if (!parseLanguageCode(code, &language))
        return false;
    language_ = language;
    return true;
}

QString TextCatalogue::languageCode() const {
    return languageCode(language_);
}

const QString& TextCatalogue::tx(QStringView english) const {
    const Store& s = store();
    Recent& recent = recent_[(reinterpret_cast<quintptr>(english.data()) >> 3) % recent_.size()];
    // The same place may hold other characters by now.
    if (recent.data == english.data() && recent.size == english.size() &&
        QStringView(s.keys[static_cast<size_t>(recent.entry)]) == english)
        return s.texts[slot(language_)][static_cast<size_t>(recent.entry)];
    const int i = s.find(viewOf(english));
    if (i >= 0) {
        recent = {english.data(), english.size(), i};
        return s.texts[slot(language_)][static_cast<size_t>(i)];
    }
    return missing(english);
}

const QString& TextCatalogue::missing(QStringView english) const {
    // A caller that joined the real line break into the key still means the
    // entry; only the unknown path pays for the conversion.
    if (english.contains(HintLineBreak())) {
        QString key = english.toString();
        key.replace(HintLineBreak(), QString(QChar(kBreakMark)));
        const int i = store().find(viewOf(key));
        if (i >= 0)
            return entryIn(language_, i);
    }
    QString key = english.toString();
    auto it = missing_.find(key);
    if (it == missing_.end()) {
        missingOrder_.append(key);
        it = missing_.emplace(key, withBreaks(english)).first;
    }
    return it->second;
}

bool TextCatalogue::has(QStringView english) const {
    return store().find(viewOf(english)) >= 0;
}

QStringList TextCatalogue::missingKeys() const {
    return missingOrder_;
}

const QString& TextCatalogue::CommandNames(int i) const {
    return entryIn(language_, store().arrayEntry("CommandNames", i));
}

const QString& TextCatalogue::MenuHints(int i) const {
    return entryIn(language_, store().arrayEntry("MenuHints", i));
}

const QString& TextCatalogue::ErrorTexts(int i) const {
    return entryIn(language_, store().arrayEntry("ErrorTexts", i));
}

const QString& TextCatalogue::ErrorParts(int i) const {
    return entryIn(language_, store().arrayEntry("ErrorParts", i));
}

const QString& TextCatalogue::FunctionSymbolNames(int i) const {
    return entryIn(language_, store().arrayEntry("FunctionSymbolNames", i));
}

const QString& TextCatalogue::ArticleTypeNames(int i) const {
    return entryIn(language_, store().arrayEntry("ArticleTypeNames", i));
}

const QString& TextCatalogue::SwitchStateNames(int i) const {
    return entryIn(language_, store().arrayEntry("SwitchStateNames", i));
}

const QString& TextCatalogue::PositionNames(int i) const {
    return entryIn(language_, store().arrayEntry("PositionNames", i));
}

const QString& TextCatalogue::menuCaption(QStringView key) const {
    const Store& s = store();
    const auto it = s.menu.find(viewOf(key));
    return entryIn(language_, it == s.menu.end() ? -1 : it->second);
}

int TextCatalogue::entryCount() {
    return static_cast<int>(store().keys.size());
}

QString TextCatalogue::entryKey(int index) {
    if (index < 0 || index >= entryCount())
        return {};
    return store().keys[static_cast<size_t>(index)];
}

QString TextCatalogue::entryText(int index, Language lang) const {
    if (index < 0 || index >= entryCount())
        return {};
    return entryIn(lang, index);
}

QList<TextCatalogue::ArrayInfo> TextCatalogue::arrays() {
    QList<ArrayInfo> list;
    for (const Store::ArrayData& a : store().arrays)
        list.append({a.name, a.first, a.last});
    return list;
}

QString TextCatalogue::arrayText(const char* arrayName, int index, Language lang) const {
    if (arrayName == nullptr)
        return {};
    return entryIn(lang, store().arrayEntry(arrayName, index));
}

} // namespace vx
