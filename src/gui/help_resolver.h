#pragma once

// Finds the help pages in the program's resources. The editor names help
// files and pages as the compiled help of old did ("VX-EDITe.chm", page
// "VXEe_0970", context 970); the pages themselves are HTML files under
// :/help/pages/de, en and es, one folder per language, with the same page
// names in en and es: the English help file is read in Spanish by a reader
// whose language is Spanish.

#include <QHash>
#include <QString>
#include <QUrl>
#include <optional>

namespace vx {

enum class Language;

class HelpPageResolver {
public:
    HelpPageResolver(); // registers the resources

    // The help language of a help file name, with or without its folder,
    // compared without regard to case: "VX-EDITd.chm" and "VX-Editd.chm" are
    // German, "VX-EDITe.chm" and "VX-Edite.chm" English. Anything else has none.
    static std::optional<Language> languageOfHelpFile(const QString& helpFile);
    // The language of the pages a reader sees in a help file of fileLanguage:
    // the German file is German for everyone, the English one Spanish for a
    // Spanish reader.
    static Language pageLanguage(Language fileLanguage, Language reader);

    // Resource folder of a page language, e.g. ":/help/pages/en".
    static QString pageFolder(Language language);
    // URL of a file in that folder, e.g. "qrc:/help/pages/en/INDEX.htm".
    static QUrl resourceUrl(Language language, const QString& fileName);

    // The page of a display-topic request. page is a page name as F1 builds
    // it ("VXEe_0970", an ".htm" is added when it has no extension),
    // "INDEX.htm", or empty for the file's default page (the contents);
    // a "#anchor" is kept. Page names compare without regard to case.
    // An empty URL when the file or the page does not exist. The reader's
    // language picks the pages (pageLanguage); without one the file's own.
    // A page missing in Spanish is shown in English rather than not at all.
    QUrl resolvePage(const QString& helpFile, const QString& page,
                     std::optional<Language> reader = std::nullopt) const;
    // The page of a help-context request, by the help set's context map.
    QUrl resolveContext(const QString& helpFile, int context,
                        std::optional<Language> reader = std::nullopt) const;

    // The context map of a page language: the page file a context number
    // opens, or "" when the map has none.
    QString contextPage(Language language, int context) const;

    // Does the resource file at url exist?
    static bool exists(const QUrl& url);

private:
    struct Folder {
        QHash<QString, QString> files; // lower-case name -> name
        QHash<int, QString> contexts;  // context number -> page file
    };
    const Folder& folder(Language language) const;
    QUrl findPage(Language language, const QString& name, const QString& anchor) const;
    Folder folders_[3]; // by Language
};

} // namespace vx
