#include "help/help_model.h"

#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QOperatingSystemVersion>

#include <algorithm>

namespace vx {

namespace {
bool german(Language language) {
    return language == Language::DE;
}
} // namespace

QList<int> RequestableHelpTopics() {
    QList<int> topics{HelpTopic::Default,     HelpTopic::FileMenu,    HelpTopic::WorkMenu,
                      HelpTopic::OptionsMenu, HelpTopic::Information, HelpTopic::NoCommand,
                      HelpTopic::DryRun,      HelpTopic::CommandList};
    for (int t = 970; t <= 1230; t += 10) {
        topics.append(t);
        if (t == 1090)
            topics.append(1095);
    }
    topics << HelpTopic::CrossReferences << HelpTopic::Renumber << HelpTopic::LayoutFindings;
    return topics;
}

QString HelpPagePrefix(Language language) {
    return german(language) ? QStringLiteral("VXEd_") : QStringLiteral("VXEe_");
}

std::optional<QString> HelpPageName(int topic, Language language) {
    if (topic == HelpTopic::Index)
        return QStringLiteral("INDEX.htm");
    if (topic < 1 || topic > HelpTopic::Largest)
        return std::nullopt;
    return HelpPagePrefix(language) + QStringLiteral("%1").arg(topic, 4, 10, QLatin1Char('0'));
}

QString HelpFileForF1(Language language) {
    return german(language) ? QStringLiteral("VX-EDITd.chm") : QStringLiteral("VX-EDITe.chm");
}

QString HelpFileForCommand(Language language) {
    return german(language) ? QStringLiteral("VX-Editd.chm") : QStringLiteral("VX-Edite.chm");
}

QString HelpWindowTitle(Language language) {
    return german(language) ? QStringLiteral("VXWEditd") : QStringLiteral("VXWEdite");
}

QString HelpFilePath(const QString& programFolder, const QString& helpFile) {
    if (programFolder.isEmpty() || programFolder.endsWith(u'/') || programFolder.endsWith(u'\\'))
        return programFolder + helpFile;
    return programFolder + u'/' + helpFile;
}

bool F1Help(HelpViewer& viewer, const QString& programFolder, Language language, int topic) {
    const std::optional<QString> page = HelpPageName(topic, language);
    if (!page)
        return false;
    viewer.setReaderLanguage(language);
    viewer.displayTopic(HelpFilePath(programFolder, HelpFileForF1(language)), *page);
    return true;
}

HelpCommandAction HelpCommandFor(const QString& programFolder, Language language, int systemVersion,
                                 int topic) {
    HelpCommandAction action;
    if (systemVersion < HelpMinSystemVersion)
        return action;
    action.helpFile = HelpFilePath(programFolder, HelpFileForCommand(language));
    if (topic == HelpTopic::Default) {
        action.kind = HelpCommandAction::Kind::DisplayTopic;
    } else {
        action.kind = HelpCommandAction::Kind::HelpContext;
        action.context = topic;
    }
    return action;
}

void cmdHilfe_click(HelpViewer& viewer, const QString& programFolder, Language language,
                    int systemVersion, int topic) {
    const HelpCommandAction action = HelpCommandFor(programFolder, language, systemVersion, topic);
    if (action.kind != HelpCommandAction::Kind::None)
        viewer.setReaderLanguage(language);
    switch (action.kind) {
    case HelpCommandAction::Kind::None:
        break;
    case HelpCommandAction::Kind::DisplayTopic:
        viewer.displayTopic(action.helpFile, QString());
        break;
    case HelpCommandAction::Kind::HelpContext:
        viewer.helpContext(action.helpFile, action.context);
        break;
    }
}

int SystemVersionNumber() {
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    const int number = std::max(os.majorVersion(), 0) * 100 + std::max(os.minorVersion(), 0);
    if (os.type() == QOperatingSystemVersion::Windows)
        return number;
    return std::max(number, HelpMinSystemVersion);
}

QString VersionText(int major, int minor, int revision) {
    return QString::number(major) + u'.' + QString::number(minor) + QStringLiteral(".0") +
           QString::number(revision);
}

bool ParseProgramVersion(QStringView version, int* major, int* minor, int* revision) {
    int parts[3] = {0, 0, 0};
    const QList<QStringView> pieces = version.trimmed().split(u'.');
    // CMake allows a fourth, "tweak" number; it has no place in the version text.
    bool ok = !version.trimmed().isEmpty() && pieces.size() <= 4;
    for (qsizetype i = 0; ok && i < pieces.size(); ++i) {
        const int value = pieces[i].toInt(&ok);
        ok = ok && value >= 0;
        if (i < 3)
            parts[i] = value;
    }
    if (!ok)
        parts[0] = parts[1] = parts[2] = 0;
    *major = parts[0];
    *minor = parts[1];
    *revision = parts[2];
    return ok;
}

QString ProgramVersionText() {
#ifdef VX_VERSION
    const QString version = QStringLiteral(VX_VERSION);
#else
    const QString version;
#endif
    int major = 0;
    int minor = 0;
    int revision = 0;
    ParseProgramVersion(version, &major, &minor, &revision);
    return VersionText(major, minor, revision);
}

InfoTexts InfoWindowTexts(const TextCatalogue& catalogue, const QString& versionText) {
    InfoTexts texts;
    texts.caption = QStringLiteral("  ") + catalogue.tx(u"P R O G R A M - I N F O R M A T I O N ");
    texts.text1 = catalogue.tx(u"Schedule-EDITOR for VELOX");
    texts.version = QStringLiteral("SW-Version\r\n") + versionText;
    return texts;
}

void Hlp_Info(qint16& currentHelpTopic, int& helpContext, const std::function<void()>& showWindow) {
    currentHelpTopic = HelpTopic::Information;
    helpContext = currentHelpTopic;
    if (showWindow)
        showWindow();
    currentHelpTopic = HelpTopic::FileMenu;
    helpContext = currentHelpTopic;
}

} // namespace vx
