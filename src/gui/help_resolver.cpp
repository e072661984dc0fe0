#include "gui/help_resolver.h"

#include "gui/help_resources.h"
#include "texts/text_catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace vx {

namespace {

QString fileNameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1).trimmed();
}

QString resourcePath(const QUrl& url) {
    if (url.scheme() != u"qrc")
        return QString();
    return u':' + url.path();
}

} // namespace

HelpPageResolver::HelpPageResolver() {
    initHelpResources();
    for (Language language : {Language::DE, Language::EN, Language::ES}) {
        Folder& f = folders_[static_cast<int>(language)];
        const QDir dir(pageFolder(language));
        for (const QString& name : dir.entryList(QDir::Files))
            f.files.insert(name.toLower(), name);
        // Lines "<number> <page>"; '#' starts a comment.
        QFile map(dir.filePath(QStringLiteral("context.map")));
        if (!map.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&map);
        while (!in.atEnd()) {
            const QString line = in.readLine().section(u'#', 0, 0).simplified();
            bool ok = false;
            const int number = line.section(u' ', 0, 0).toInt(&ok);
            const QString page = line.section(u' ', 1, 1);
            if (ok && !page.isEmpty())
                f.contexts.insert(number, page);
        }
    }
}

std::optional<Language> HelpPageResolver::languageOfHelpFile(const QString& helpFile) {
    const QString name = fileNameOf(helpFile);
    if (name.compare(u"VX-EDITd.chm", Qt::CaseInsensitive) == 0)
        return Language::DE;
    if (name.compare(u"VX-EDITe.chm", Qt::CaseInsensitive) == 0)
        return Language::EN;
    return std::nullopt;
}

Language HelpPageResolver::pageLanguage(Language fileLanguage, Language reader) {
    if (fileLanguage == Language::DE)
        return Language::DE;
    return reader == Language::ES ? Language::ES : Language::EN;
}

QString HelpPageResolver::pageFolder(Language language) {
    switch (language) {
    case Language::DE:
        return QStringLiteral(":/help/pages/de");
    case Language::ES:
        return QStringLiteral(":/help/pages/es");
    case Language::EN:
        break;
    }
    return QStringLiteral(":/help/pages/en");
}

QUrl HelpPageResolver::resourceUrl(Language language, const QString& fileName) {
    QUrl url;
    url.setScheme(QStringLiteral("qrc"));
    url.setPath(pageFolder(language).mid(1) + u'/' + fileName);
    return url;
}

const HelpPageResolver::Folder& HelpPageResolver::folder(Language language) const {
    return folders_[static_cast<int>(language)];
}

QUrl HelpPageResolver::findPage(Language language, const QString& name,
                                const QString& anchor) const {
    const Folder& f = folder(language);
    const auto found = f.files.constFind(name.toLower());
    if (found == f.files.constEnd())
        return language == Language::ES ? findPage(Language::EN, name, anchor) : QUrl();
    QUrl url = resourceUrl(language, *found);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

QUrl HelpPageResolver::resolvePage(const QString& helpFile, const QString& page,
                                   std::optional<Language> reader) const {
    const std::optional<Language> language = languageOfHelpFile(helpFile);
    if (!language)
        return QUrl();
    QString name = page.section(u'#', 0, 0).trimmed();
    const QString anchor = page.section(u'#', 1);
    if (name.isEmpty())
        name = QStringLiteral("INDEX.htm");
    else if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".htm");
    return findPage(pageLanguage(*language, reader.value_or(*language)), name, anchor);
}

QUrl HelpPageResolver::resolveContext(const QString& helpFile, int context,
                                      std::optional<Language> reader) const {
    const std::optional<Language> language = languageOfHelpFile(helpFile);
    if (!language)
        return QUrl();
    // The Spanish pages carry the English names: one map serves both.
    const QString page = contextPage(*language, context);
    return page.isEmpty() ? QUrl() : resolvePage(helpFile, page, reader);
}

QString HelpPageResolver::contextPage(Language language, int context) const {
    return folder(language == Language::ES ? Language::EN : language).contexts.value(context);
}

bool HelpPageResolver::exists(const QUrl& url) {
    const QString path = resourcePath(url);
    return !path.isEmpty() && QFile::exists(path);
}

} // namespace vx
