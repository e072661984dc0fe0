#include "editor/editor.h"

#include "commands/operand_rules.h"
#include "document/file_io.h"
#include "editor/dry_run_session.h"
#include "editor/layout_view.h"
#include "editor/menu_table.h"
#include "editor/print_commands.h"
#include "form/entry_form.h"
#include "help/help_model.h"
#include "layout/xref_listing.h"
#include "texts/blanks.h"

#include <QFileInfo>

namespace vx {

namespace {
constexpr QStringView WindowTitleText = u" S C H E D U L E - E D I T O R   for   V E L O X";
} // namespace

// What each part is handed. A callback stands where the callee lives in a
// layer above the part (the operand rules, the messages) or is built after it
// (the form).
DocumentFiles::Parts Editor::filesParts() {
    return {platform,
            catalogue,
            messages,
            recent,
            autosaveEnabled,
            [this](int field, const QString& text) { form->setFieldText(field, text); },
            [this](DocumentFiles::Parts::Rows what) { rowsReplaced(what); },
            [this] { return editing.rowsDifferFromSaved(); }};
}

EntryFormParts Editor::formParts() {
    return {catalogue,      commands,      document,    *platform.desktop,
            *platform.help, programFolder, helpContext, autosaveEnabled};
}

EditingOperations::Parts Editor::editingParts() {
    return {document,
            *form,
            catalogue,
            commands,
            *platform.desktop,
            autosaveEnabled,
            [this](const QString& prompt, int style, const QString& title) {
                return messages.ShowMessage(prompt, style, title);
            },
            platform.clipboard};
}

void Editor::rowsReplaced(DocumentFiles::Parts::Rows what) {
    using Rows = DocumentFiles::Parts::Rows;
    if (layout && what == Rows::Cleared) {
        layout->documentCleared();
    } else if (layout) {
        layout->documentShown();
        // A chosen layout holds while one of its schedules is open; one
        // opened elsewhere brings its own folder, or the findings would
        // compare it with schedules it does not run with.
        const QString path = document.FilePath.trimmed();
        if (layout->folderChosen() && !path.isEmpty() && !layout->inFolder(path))
            chooseLayoutFolder(QString());
        layout->followOpenSchedule();
        layout->syncOpenSchedule();
        if (what == Rows::Saved)
            layout->savedByEditor();
    }
    if (what == Rows::Saved) {
        editing.markClean();
        return;
    }
    editing.clearHistory();
    if (what == Rows::Loaded)
        editing.markClean();
    else
        editing.forgetClean();
}

bool Editor::unsaved() const {
    return document.anyRowHasContent() && editing.rowsDifferFromSaved();
}

Editor::Editor(const Platform& p)
    : platform(p), recent(*platform.settings, menu), messages(*platform.messages, catalogue),
      files(filesParts()), document(files.document()),
      form(std::make_unique<EntryForm>(formParts())), editing(editingParts()),
      languageSwitch(catalogue, commands, menu, *form, document.grid),
      autosave(document, autosaveEnabled), windowTitle(files.windowTitle()),
      search(editing.search()) {
    commands.setNames(catalogue);
    form->initialise();
    menu.setCaptions(catalogue);
    menu.setHints(catalogue);
    recent.Smn_GetRecentSchedules();
    languageSwitch.refreshGridHeadings();
    files.resetWindowTitle();
    ListingFontStartUp(printParts());
    layout = std::make_unique<LayoutView>(LayoutView::Parts{
        catalogue, [this] { return document.FilePath; },
        [this] {
            QStringList lines;
            lines.reserve(document.RowCount);
            for (int r = 1; r <= document.RowCount; ++r)
                lines.append(document.line(r));
            return lines;
        },
        [this](const QList<QPair<int, QString>>& rows) { editing.replaceRows(rows); },
        [this] { openChangedOnDisk(); }});
    layout->setStepped(platform.eventLoop);
    dryRun = std::make_unique<DryRunSession>(
        DryRunSession::Parts{catalogue, [this]() -> const LayoutIndex* {
                                 return layout ? &layout->completeIndex() : nullptr;
                             }});
    const QString folder = platform.settings->value(
        QStringLiteral("VX-Editor"), QStringLiteral("Layout"), QStringLiteral("Folder"), QString());
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        layout->chooseFolder(folder);
}

Editor::~Editor() = default;

PrintParts Editor::printParts() {
    return {platform, document, catalogue, messages, listingFont, startupPrinterFont, listingDate};
}

void Editor::startInLanguage(QStringView code) {
    Language language = catalogue.language();
    if (!TextCatalogue::parseLanguageCode(code, &language))
        return;
    languageSwitch.loadLanguage(language);
    files.resetWindowTitle();
    form->initialise();
}

void Editor::menuHighlight(const QString& key) {
    const int context = MenuModel::helpContextOfHighlight(key);
    if (context < 0)
        return;
    // The topic follows too, so that F1 or Help-Index right after opens the
    // page of what is highlighted.
    helpContext = context;
    form->CurrentHelpTopic = static_cast<qint16>(context);
}

void Editor::menuClick(const QString& key) {
    const MenuEntry* entry = FindMenuEntry(key);
    if (!entry)
        return;
    if (entry->clickContext >= 0) {
        helpContext = entry->clickContext;
        if (entry->parent.isEmpty())
            form->CurrentHelpTopic = static_cast<qint16>(entry->clickContext);
    }
    qint16 command = 0;
    switch (entry->command) {
    case MenuCommand::None:
        break;
    case MenuCommand::FileCommand:
        command = static_cast<qint16>(entry->argument);
        break;
    case MenuCommand::ExportPdf:
        ExportListingPdfCommand(printParts());
        break;
    case MenuCommand::ProgramEnd:
        Form_QueryUnload(1);
        break;
    case MenuCommand::Recent:
        Smn_MyFpls_Dat(entry->argument);
        break;
    case MenuCommand::Search:
    case MenuCommand::Replace:
        Smn_Su_Ers(entry->argument);
        break;
    case MenuCommand::Undo:
        editing.undo();
        break;
    case MenuCommand::Redo:
        editing.redo();
        break;
    case MenuCommand::ProblemsList:
        // Hides the findings, shows them, or goes back to them from the jumps.
        problemsListWanted = !problemsListWanted || uses.has_value();
        uses.reset();
        break;
    case MenuCommand::GoToDefinition:
        goToDefinition();
        break;
    case MenuCommand::FindUses:
        findUses();
        break;
    case MenuCommand::OpenLayoutFolder:
        openLayoutFolder();
        break;
    case MenuCommand::ExportXref:
        exportCrossReferences();
        break;
    case MenuCommand::Renumber:
        if (showRenumberDialog)
            showRenumberDialog();
        else
            platform.desktop->beep();
        break;
    case MenuCommand::DryRun:
        dryRunCommand(static_cast<DryRunCommand>(entry->argument));
        break;
    case MenuCommand::LanguageToggle:
        Smn_Opt_Sprache();
        languageChosen();
        break;
    case MenuCommand::Language:
        chooseLanguage(static_cast<Language>(entry->argument));
        break;
    case MenuCommand::HelpIndex:
        helpMenu();
        break;
    case MenuCommand::Info:
        Hlp_Info(form->CurrentHelpTopic, helpContext, [this] {
            ++infoWindowShown;
            if (showInfoWindow)
                showInfoWindow();
        });
        break;
    }
    if (command != 0)
        Menue_Auswahl(command);
}

void Editor::Smn_Opt_Sprache() {
    const QString oldTitle = catalogue.tx(WindowTitleText);
    languageSwitch.Smn_Opt_Sprache();
    retitle(oldTitle);
}

void Editor::chooseLanguage(Language language) {
    // The language on display is no switch: rows and current row stay.
    if (language == catalogue.language())
        return;
    const QString oldTitle = catalogue.tx(WindowTitleText);
    languageSwitch.switchTo(language);
    retitle(oldTitle);
    languageChosen();
}

// The title keeps what follows the editor's name (the path of the schedule).
void Editor::retitle(const QString& oldTitle) {
    if (windowTitle.startsWith(oldTitle))
        files.setWindowTitle(catalogue.tx(WindowTitleText) + windowTitle.mid(oldTitle.size()));
}

void Editor::languageChosen() {
    if (rememberLanguage)
        platform.settings->setValue(QStringLiteral("VX-Editor"), QStringLiteral("Options"),
                                    QStringLiteral("Language"), catalogue.languageCode());
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
        PrintCommand(printParts());
        break;
    case 8:
        PrinterFontCommand(printParts());
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

// The operand field furthest right on display; a free-text box counts where
// it stands in for its operand field.
Control Editor::lastOperandField() const {
    const EntryForm& f = *form;
    for (int k = 6; k >= 2; --k) {
        if (k == 3 && f.txbTxt3.visible)
            return Control::txbTxt3;
        if (k == 2 && f.txbTxt2.visible)
            return Control::txbTxt2;
        if (f.msk[static_cast<size_t>(k)].visible)
            return static_cast<Control>(k);
    }
    return Control::None;
}

void Editor::fieldEnterPressed(Control c) {
    if (c == Control::None || c != lastOperandField() || form->CurrentCommand == 0)
        return;
    // A number that names no row leaves the line in the fields with the
    // transfer's message in view, for the user to correct the number.
    bool ok = false;
    const int target = Trim(form->msk[0].text).toInt(&ok);
    const bool namesRow = ok && target >= 1 && target <= document.RowCount;
    cmdUeb_Zei_Click();
    if (namesRow)
        form->setFocus(Control::mskTxt1);
}

void Editor::frmVx_Edit_Fpl_Resize() {
    helpContext = form->CurrentHelpTopic;
}

const ScheduleDiagnostics& Editor::refreshDiagnostics() {
    const QString language = catalogue.languageCode();
    const bool fresh = !diagnostics_ || diagnostics_->language() != language;
    if (fresh)
        diagnostics_ = std::make_unique<ScheduleDiagnostics>(language);
    const bool changed = diagnostics_->update(
        document.RowCount, [this](int i) -> const QString& { return document.line(i + 1); });
    if (changed && !fresh)
        uses.reset();
    if (changed && layout)
        layout->syncOpenSchedule();
    dryRun->follow(document.FilePath, diagnostics_->generation(), [this] {
        QStringList lines;
        lines.reserve(document.RowCount);
        for (int r = 1; r <= document.RowCount; ++r)
            lines.append(document.line(r));
        return lines;
    });
    // The menu's check mark follows the list, which shows only with something in it.
    if (MenuItem* item = menu.find(u"Wrk_Probl"))
        item->checked = problemsListWanted && problemsListHasContent();
    if (MenuItem* item = menu.find(u"Wrk_Run"))
        item->checked = dryRunShown;
    return *diagnostics_;
}

void Editor::goToRow(int row) {
    if (row < 1 || row > document.RowCount)
        return;
    form->setFocus(Control::grid);
    form->setCurrentRow(row);
}

void Editor::goToDefinition() {
    const ScheduleDiagnostics& diagnostics = refreshDiagnostics();
    const int current = document.grid.currentRow;
    const int row = diagnostics.definitionOf(current);
    statusText.clear();
    if (row > 0) {
        goToRow(row);
        return;
    }
    // An N line's start address is defined in the schedule it loads.
    if (const std::optional<LayoutView::Place> start =
            current >= 1 && current <= document.RowCount
                ? layout->startDefinition(document.line(current))
                : std::nullopt;
        start && start->line > 0) {
        const auto same = [&] {
            return !document.FilePath.isEmpty() &&
                   QFileInfo(document.FilePath).absoluteFilePath() ==
                       QFileInfo(start->file).absoluteFilePath();
        };
        if (!same())
            Open(start->file); // the usual save question first
        if (same())
            goToRow(start->line);
        return;
    }
    const QString target = diagnostics.targetOf(current);
    if (!target.isEmpty())
        statusText = catalogue.ErrorTexts(15) + u' ' + target;
    platform.desktop->beep();
}

void Editor::findUses() {
    statusText.clear();
    const ScheduleDiagnostics& diagnostics = refreshDiagnostics();
    const int current = document.grid.currentRow;
    // A defining line lists the jumps to it, as it always did.
    if (const std::optional<QString> address = diagnostics.addressAt(current)) {
        uses = Uses{*address, diagnostics.usesOf(current), {}};
        problemsListWanted = true;
        return;
    }
    const std::optional<LayoutView::FoundUses> found =
        current >= 1 && current <= document.RowCount ? layout->usesOfLine(document.line(current))
                                                     : std::nullopt;
    if (!found) {
        platform.desktop->beep();
        return;
    }
    uses = Uses{found->id, found->rows, found->layoutLines};
    problemsListWanted = true;
}

bool Editor::helpOn(int topic) {
    if (!F1Help(*platform.help, programFolder, catalogue.language(), topic))
        return false;
    helpContext = topic;
    return true;
}

void Editor::openLayoutFolder() {
    FileDialogRequest request;
    request.title = catalogue.tx(u"Open layout folder...");
    request.initialFolder = layout->folder();
    const std::optional<QString> folder = platform.files->chooseFolder(request);
    if (folder)
        chooseLayoutFolder(*folder);
}

void Editor::chooseLayoutFolder(const QString& folder) {
    layout->chooseFolder(folder);
    platform.settings->setValue(QStringLiteral("VX-Editor"), QStringLiteral("Layout"),
                                QStringLiteral("Folder"), folder);
}

void Editor::exportCrossReferences() {
    FileDialogRequest request;
    request.title = catalogue.tx(u"Export cross-references...");
    request.filter =
        QStringLiteral("CSV  (*.csv) | *.csv | ") + catalogue.tx(u"PDF-FILE  (*.pdf) | *.pdf");
    request.initialName = QStringLiteral("xref.csv");
    request.initialFolder = layout->folder();
    const std::optional<QString> path = platform.files->saveFile(request);
    if (!path || !messages.mayOverwrite(*path, request.title))
        return;
    // The name says the form: the dialog gives a typed name its filter's suffix.
    Status written;
    if (path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        const ListingDocument pages = RenderXrefListing(layout->completeIndex(), layout->folder(),
                                                        ListingDate(printParts()), catalogue);
        const Result<QByteArray> pdf =
            platform.pdf == nullptr
                ? Failure{QStringLiteral("PDF output is not available in this program")}
                : platform.pdf->paintListing(pages, listingFont);
        written = pdf ? WriteOutputFile(*path, *pdf, &catalogue) : Status(pdf);
    } else {
        written = layout->exportCsv(*path);
    }
    if (!written)
        ShowMessage(catalogue.tx(u"The cross-references could not be written:") + u'\n' + *path +
                        u'\n' + written.message(),
                    16, request.title);
}

void Editor::openChangedOnDisk() {
    const QString path = document.FilePath;
    if (path.isEmpty())
        return;
    // Yes/No with No as the default: the rows on screen stay unless asked.
    const int answer = ShowMessage(
        catalogue.tx(u"The schedule was changed on disk by another program. Load it again?") +
            u'\n' + path,
        4 + 32 + 256, QFileInfo(path).fileName());
    if (answer == 6)
        Open(path); // the usual save question comes first
}

bool Editor::problemsListShown() {
    refreshDiagnostics();
    return problemsListWanted && problemsListHasContent();
}

// The menu's check mark and the list must agree, or the first click on the
// menu entry hides a list the mark said was hidden.
bool Editor::problemsListHasContent() {
    return uses.has_value() || (diagnostics_ && diagnostics_->problemCount() > 0) ||
           !dryRun->findings().isEmpty() || (layout && !layout->openFindings().isEmpty());
}

void Editor::dryRunCommand(DryRunCommand command) {
    using D = DryRunCommand;
    if (command == D::Dock) {
        dryRunShown = !dryRunShown;
        return;
    }
    dryRunShown = true;
    refreshDiagnostics(); // the run takes the rows as they are now
    switch (command) {
    case D::Dock:
        break;
    case D::Step:
        dryRun->step();
        break;
    case D::RunToWait:
        dryRun->runToWait();
        break;
    case D::Run:
        dryRun->run();
        break;
    case D::Pause:
        dryRun->pause();
        break;
    case D::Reset:
        dryRun->reset();
        break;
    case D::Breakpoint:
        dryRun->toggleBreakpoint(document.grid.currentRow);
        break;
    }
}

void Editor::gridScrolled(int topRow) {
    document.grid.topRow = topRow;
}

void Editor::setFolders(const QString& program, const QString& appData) {
    programFolder = program;
    if (!programFolder.isEmpty() && !programFolder.endsWith(u'/') && !programFolder.endsWith(u'\\'))
        programFolder += u'/';
    autosave.programFolder = programFolder;
    autosave.fallbackFolder = appData;
}

void Editor::autosaveTick() {
    if (!autosaveEnabled)
        return;
    autosave.tick(catalogue.language());
    // A backup that cannot be written anywhere is told once per run, not at
    // every interval; the timer keeps trying.
    if (autosave.failedFolders.isEmpty() || autosaveFailureTold_)
        return;
    autosaveFailureTold_ = true;
    ShowMessage(catalogue.tx(u"No backup could be written to: ") + TextCatalogue::HintLineBreak() +
                    autosave.failedFolders.join(TextCatalogue::HintLineBreak()) +
                    TextCatalogue::HintLineBreak() + autosave.lastError,
                MsgStyle::Critical, QStringLiteral("VX-Editor"));
}

bool Editor::Form_QueryUnload(int unloadMode) {
    ending = false;
    if (files.needsSaveQuestion()) {
        const QString title =
            Trim(document.FilePath).isEmpty() ? catalogue.tx(u"New file") : document.FilePath;
        const int answer = ShowMessage(
            catalogue.tx(u"Save actual data?"),
            MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3, title);
        document.Answer = static_cast<qint16>(answer);
        if (answer == MsgAnswer::Cancel)
            return true;
        // The user wanted the schedule saved: a save that fails or is cancelled
        // keeps the program running with the rows as they were.
        if (answer == MsgAnswer::Yes && files.Save() != SaveResult::Written)
            return true;
    }
    if (!ending && unloadMode >= 0 && unloadMode <= 3)
        Smn_Dat_Progende();
    autosaveEnabled = false;
    platform.help->close();
    ended = true;
    return false;
}

void Editor::Smn_Dat_Progende() {
    ListingFontShutDown(printParts());
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
