#include "gui/qt_platform.h"

#include "gui/styled_message_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace vx {

QString QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        // Qt reads the patterns from the parentheses of each entry.
        if (description.contains(u'(' + pattern + u')'))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + pattern + u')');
    }
    if (filters.isEmpty() && !filter.trimmed().isEmpty())
        filters.append(filter.trimmed());
    return filters.join(QStringLiteral(";;"));
}

QString InitialDialogFolder(const QString& requested, const QString& currentSchedule) {
    if (!currentSchedule.trimmed().isEmpty()) {
        const QFileInfo info(currentSchedule.trimmed());
        if (info.absoluteDir().exists())
            return info.absolutePath();
    }
    if (!requested.trimmed().isEmpty()) {
        const QFileInfo info(QDir::fromNativeSeparators(requested));
        if (info.isDir())
            return info.absoluteFilePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString DefaultSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QtPlatform::QtPlatform() {
    printer.previewFirst = true;
}

QtPlatform::~QtPlatform() {
    while (busyDepth_ > 0)
        setBusy(false);
}

Platform QtPlatform::platform() {
    Platform p;
    p.messages = this;
    p.files = this;
    p.fonts = this;
    p.settings = this;
    p.help = &help;
    p.desktop = this;
    p.printer = &printer;
    p.pdf = this;
    p.clipboard = this;
    p.eventLoop = true;
    return p;
}

QString QtPlatform::text() const {
    return QGuiApplication::clipboard()->text();
}

void QtPlatform::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

int QtPlatform::show(const QString& prompt, int style, const QString& title, bool germanButtons) {
    // A question asked while the busy cursor is up must still be answerable.
    const int busy = busyDepth_;
    for (int i = 0; i < busy; ++i)
        QApplication::restoreOverrideCursor();
    StyledMessageDialog dialog(prompt, style, title, germanButtons, parent_);
    dialog.exec();
    for (int i = 0; i < busy; ++i)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    return dialog.answer();
}

std::optional<QString> QtPlatform::fileDialog(const FileDialogRequest& request, bool save) {
    const QString schedule = currentSchedule_ ? currentSchedule_() : QString();
    QFileDialog dialog(parent_, request.title,
                       InitialDialogFolder(request.initialFolder, schedule));
    dialog.setNameFilter(QtNameFilters(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension gets the filter's.
    if (save) {
        dialog.setDefaultSuffix(DefaultSuffix(request.filter));
        // Another filter chosen: a typed name without an extension gets that
        // filter's, and the offered name follows it.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
                const QString suffix = DefaultSuffix(filter);
                if (suffix.isEmpty())
                    return;
                const QString before = dialog.defaultSuffix();
                dialog.setDefaultSuffix(suffix);
                const QStringList chosen = dialog.selectedFiles();
                if (chosen.isEmpty())
                    return;
                const QFileInfo name(chosen.constFirst());
                if (!before.isEmpty() && name.suffix().compare(before, Qt::CaseInsensitive) == 0)
                    dialog.selectFile(name.completeBaseName() + u'.' + suffix);
            });
    }
    // The editor asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QString name = request.initialName.trimmed();
    if (!name.isEmpty() && !name.contains(u'*') && !name.contains(u'?'))
        dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtPlatform::openFile(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<QString> QtPlatform::saveFile(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<QString> QtPlatform::chooseFolder(const FileDialogRequest& request) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, request.title, request.initialFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

Result<QByteArray> QtPlatform::paintListing(const ListingDocument& document,
                                            const FontChoice& font) {
    return RenderListingPdf(document, font);
}

std::optional<FontChoice> QtPlatform::chooseFont(const FontChoice& current) {
    QFont initial(current.name);
    if (current.size > 0)
        initial.setPointSizeF(current.size);
    initial.setBold(current.bold);
    initial.setUnderline(current.underline);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent_);
    if (!ok)
        return std::nullopt;
    FontChoice choice;
    choice.name = font.family();
    choice.size = font.pointSizeF();
    choice.bold = font.bold();
    choice.underline = font.underline();
    return choice;
}

QString QtPlatform::value(const QString& app, const QString& section, const QString& key,
                          const QString& fallback) {
    QSettings settings(app);
    settings.beginGroup(section);
    return settings.value(key, fallback).toString();
}

void QtPlatform::setValue(const QString& app, const QString& section, const QString& key,
                          const QString& value) {
    QSettings settings(app);
    settings.beginGroup(section);
    settings.setValue(key, value);
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::setBusy(bool busy) {
    if (busy) {
        ++busyDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
    }
}

} // namespace vx
