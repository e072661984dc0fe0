#pragma once

// Help and program information, as the model sees them: which help file and
// page a request names, what the Help command does, and the texts of the
// information window frmVx_Edit_Info. Everything here is QtCore only; the
// viewer that shows the pages (help_viewer_window.h) and the resolver that
// finds them in the resources (help_resolver_gui.h) live in vxgui.
//
// Wiring, for the main window:
//   F1 (key code 112) on frmVx_Edit:
//       if (F1Help(*platform.help, programFolder, catalogue.language(), topic))
//           { helpContext = topic; /* consume the key */ }
//   Help menu "Help-Index" (Hlp_Hilfe), after the focus dance of the menu:
//       cmdHilfe_click(*platform.help, programFolder, catalogue.language(),
//                      SystemVersionNumber(), form->CurrentHelpTopic);
//   Help menu "&Info to VX-EDIT" (Hlp_Info):
//       Hlp_Info(form->CurrentHelpTopic, helpContext, [&] {
//           frmVx_Edit_Info info(InfoWindowTexts(catalogue), window);
//           info.exec();
//       });
//   Program end: platform.help->close().

#include <QList>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace vx {

enum class Language;
class HelpViewer;
class TextCatalogue;

// Topics the editor asks for.
namespace HelpTopic {
constexpr int Index = 0;      // the contents page "INDEX.htm"
constexpr int Default = 1;    // nothing selected; the Help command opens the default page
constexpr int FileMenu = 100; // also the topic after the information window
constexpr int WorkMenu = 110; // search and replace
constexpr int OptionsMenu = 120;
constexpr int Information = 130;     // while the information window opens
constexpr int NoCommand = 140;       // interpretation with a blank command field
constexpr int DryRun = 150;          // the dry-run window
constexpr int CommandList = 960;     // command list window, and command J
constexpr int CrossReferences = 160; // the layout's cross-reference pane
constexpr int Renumber = 170;        // the Renumber dialog
constexpr int LayoutFindings = 180;  // findings across the layout's schedules
constexpr int Largest = 2000;        // F1 ignores topics above this (and below 0)
} // namespace HelpTopic

// The Help command needs an HTML help viewer; older systems (below this
// number) have none, and the command then does nothing.
constexpr int HelpMinSystemVersion = 498;

// Every topic the editor can request and that therefore has a page in both
// help languages: 1, 100, 110, 120, 130, 140, 150, 960, 970..1230 in steps of ten,
// and 1095. The index page (topic 0) is not in the list.
// The layout's pages: 160, 170, 180.
QList<int> RequestableHelpTopics();

// "VXEd_" for German, "VXEe_" for English and Spanish.
QString HelpPagePrefix(Language language);

// The page F1 asks for: topic 0 gives "INDEX.htm", 1..2000 the prefix and the
// topic with leading zeros to four digits ("VXEe_0970"; no extension), and
// any other topic nothing (F1 then does nothing).
std::optional<QString> HelpPageName(int topic, Language language);

// Help file names. F1 and the language switch use "VX-EDITd.chm" /
// "VX-EDITe.chm"; the Help command builds "VX-Editd.chm" / "VX-Edite.chm".
// They name the same help set: file names compare without regard to case.
QString HelpFileForF1(Language language);
QString HelpFileForCommand(Language language);

// Title of the help viewer window: "VXWEditd" (German) or "VXWEdite".
QString HelpWindowTitle(Language language);

// The program folder (ending with a separator, or not) followed by the file.
QString HelpFilePath(const QString& programFolder, const QString& helpFile);

// F1 on the main window. Opens the page of topic in the help file of the
// language (display-topic request) and returns true: the caller sets its help
// context to topic and consumes the key. A topic outside 0..2000 opens
// nothing and returns false.
bool F1Help(HelpViewer& viewer, const QString& programFolder, Language language, int topic);

// What cmdHilfe_click does, without doing it.
struct HelpCommandAction {
    enum class Kind {
        None,         // system version below HelpMinSystemVersion
        DisplayTopic, // topic 1: the file's default page (page left empty)
        HelpContext,  // any other topic: help-context request with the topic
    };
    Kind kind = Kind::None;
    QString helpFile; // program folder + "VX-Editd.chm" / "VX-Edite.chm"
    int context = 0;
};
HelpCommandAction HelpCommandFor(const QString& programFolder, Language language, int systemVersion,
                                 int topic);

// The Help command (Help menu "Help-Index"): HelpCommandFor, then the request.
void cmdHilfe_click(HelpViewer& viewer, const QString& programFolder, Language language,
                    int systemVersion, int topic);

// The host's version number in the style the Help command checks
// (major * 100 + minor, so Windows 2000 reads 500). Hosts other than Windows
// always have the built-in viewer and report at least HelpMinSystemVersion.
int SystemVersionNumber();

// Version text of the information window: major, ".", minor, ".0" and the
// revision, in decimal: VersionText(10, 0, 13) is "10.0.013".
QString VersionText(int major, int minor, int revision);

// The program's own version "major.minor.revision[.tweak]" (the build's VX_VERSION,
// e.g. "0.1.0") read into its three numbers; missing or unreadable parts
// count as 0. Returns false when the text is not of that form.
bool ParseProgramVersion(QStringView version, int* major, int* minor, int* revision);

// VersionText of the build's VX_VERSION: "0.1.0" gives "0.1.00".
QString ProgramVersionText();

// What frmVx_Edit_Info shows when it is loaded.
struct InfoTexts {
    QString caption; // two blanks + "P R O G R A M - I N F O R M A T I O N "
    QString text1;   // lblText1: "Schedule-EDITOR for VELOX"
    QString version; // lblVersion: "SW-Version", CR LF, the version text
};
InfoTexts InfoWindowTexts(const TextCatalogue& catalogue,
                          const QString& versionText = ProgramVersionText());

// Help menu "&Info to VX-EDIT": topic and help context are 130 while the
// window is shown (showWindow returns when it has been shown, or closed for a
// modal window) and 100 afterwards.
void Hlp_Info(qint16& currentHelpTopic, int& helpContext, const std::function<void()>& showWindow);

} // namespace vx
