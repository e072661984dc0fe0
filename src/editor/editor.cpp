#include "editor/editor.h"

#include "editor/print_commands.h"
#include "form/entry_form.h"

#include "help/help_model.h"

#include <QFileInfo>

namespace vx {

Editor::Editor(const Platform& p)
    : platform(p), document(platform, catalogue), form(std::make_unique<EntryForm>(*this)),
      recent(*platform.settings, menu), autosave(document, autosaveEnabled) {
    commands.setNames(catalogue);
    form->initialise();
    menu.setCaptions(catalogue);
    menu.setHints(catalogue);
    recent.Smn_GetRecentSchedules();
    refreshGridHeadings();
    windowTitle = catalogue.tx(u" S C H E D U L E - E D I T O R   for   V E L O X");
    ListingFontStartUp(*this);
}

Editor::~Editor() = default;

void Editor::ClearDocument() {
    document.ClearDocument();
    for (int k = 1; k <= 7; ++k)
        form->setFieldText(k, QString());
    form->setFieldText(0, QStringLiteral("1"));
    windowTitle = catalogue.tx(u" S C H E D U L E - E D I T O R   for   V E L O X");
}

QString Editor::titleWithFile() const {
    return catalogue.tx(u" S C H E D U L E - E D I T O R   for   V E L O X") +
           QStringLiteral("   ") + Trim(document.FilePath);
}

void Editor::afterFileWritten(const QString& path) {
    recent.Smn_WriteRecentSchedules(path);
    recent.Smn_GetRecentSchedules();
}

void Editor::menuHighlight(const QString& key) {
    const int context = MenuModel::helpContextOfHighlight(key);
    if (context >= 0)
        helpContext = context;
}

void Editor::menuClick(const QString& key) {
    const int context = MenuModel::helpContextOfClick(key);
    if (context >= 0)
        helpContext = context;
    qint16 command = 0;
    if (key == u"Dat_Neu")
        command = 1;
    else if (key == u"Dat_Ein")
        command = 2;
    else if (key == u"Dat_Imp")
        command = 3;
    else if (key == u"Dat_Sav")
        command = 5;
    else if (key == u"Dat_Dru")
        command = 7;
    else if (key == u"Dat_DFo")
        command = 8;
    else if (key == u"Wrk_Such")
        Smn_Su_Ers(1);
    else if (key == u"Wrk_Ers")
        Smn_Su_Ers(2);
    else if (key == u"Opt_Spr")
        Smn_Opt_Sprache();
    else if (key == u"Dat_End")
        Form_QueryUnload(1);
    else if (key == u"Hlp_Hilfe")
        helpMenu();
    else if (key == u"Hlp_Info")
        Hlp_Info(form->CurrentHelpTopic, helpContext, [this] {
            ++infoWindowShown;
            if (showInfoWindow)
                showInfoWindow();
        });
    else if (key.startsWith(u"MyFpls_") && key != u"MyFpls_0")
        Smn_MyFpls_Dat(key.back().digitValue());
    if (command != 0)
        Menue_Auswahl(command);
}

void Editor::Menue_Auswahl(qint16& command) {
    switch (command) {
    case 1:
        New();
        break;
    case 2:
        Open();
        break;
    case 3:
        Import();
        break;
    case 5:
        Save();
        break;
    case 7:
        PrintCommand(*this);
        break;
    case 8:
        PrinterFontCommand(*this);
        break;
    default:
        break;
    }
}

void Editor::Smn_MyFpls_Dat(int i) {
    openListedPath(recent.pathOf(i));
}

void Editor::openFromCommandLine(const QString& path) {
    // Relative to the folder the user started in; the recent list keeps it whole.
    openListedPath(QFileInfo(path).absoluteFilePath());
}

void Editor::openListedPath(const QString& path) {
    if (!QFileInfo::exists(path)) {
        ReportError(27014, 0, 0, path, document.Answer);
        return;
    }
    Open(path);
}

void Editor::frmVx_Edit_Fpl_Resize() {
    helpContext = form->CurrentHelpTopic;
}

void Editor::autosaveTick() {
    if (autosaveEnabled)
        autosave.tick(catalogue.language());
}

bool Editor::Form_QueryUnload(int unloadMode) {
    ending = false;
    if (document.Modified && document.anyRowHasContent()) {
        const QString title =
            Trim(document.FilePath).isEmpty() ? catalogue.tx(u"New file") : document.FilePath;
        const int answer = ShowMessage(
            catalogue.tx(u"Save actual data?"),
            MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3, title);
        document.Answer = static_cast<qint16>(answer);
        if (answer == MsgAnswer::Cancel)
            return true;
        if (answer == MsgAnswer::Yes)
            Save();
    }
    if (!ending && unloadMode >= 0 && unloadMode <= 3)
        Smn_Dat_Progende();
    autosaveEnabled = false;
    platform.help->close();
    ended = true;
    return false;
}

void Editor::Smn_Dat_Progende() {
    ListingFontShutDown(*this);
    ending = true;
}

void Editor::helpMenu() {
    const Control freeBox = form->txbTxt2.visible   ? Control::txbTxt2
                            : form->txbTxt3.visible ? Control::txbTxt3
                                                    : Control::None;
    form->helpMenuFreeBox = freeBox == Control::txbTxt2 ? 2 : freeBox == Control::txbTxt3 ? 3 : 0;
    form->setFocus(Control::mskTxt1);
    helpContext = form->CurrentHelpTopic;
    cmdHilfe_click(*platform.help, programFolder, catalogue.language(), SystemVersionNumber(),
                   form->CurrentHelpTopic);
    form->helpMenuFreeBox = 0;
    if (freeBox != Control::None)
        form->setFocus(freeBox);
}

} // namespace vx
