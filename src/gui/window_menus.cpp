#include "gui/window_menus.h"

#include "editor/editor.h"
#include "form/entry_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStyle>
#include <QTimer>

namespace vx {

namespace {

const QString& menuStyleSheet() {
    static const QString sheet = QStringLiteral(
        "QMenuBar { background-color: rgb(221, 238, 255); }"
        "QMenuBar::item { background: transparent; padding: 3px 8px; }"
        "QMenuBar::item:selected { background-color: rgb(185, 214, 245); }"
        "QMenu { background-color: white; border: 1px solid rgb(150, 165, 190); }"
        "QMenu::item { padding: 4px 24px 4px 24px; color: black; }"
        "QMenu::item:selected { background-color: rgb(205, 228, 252); }"
        "QMenu::item:disabled { color: rgb(150, 150, 150); }"
        "QMenu::separator { height: 1px; background: rgb(200, 205, 215); margin: 3px 6px; }");
    return sheet;
}

// Every menu and entry reachable with Alt in every language: a caption
// without an accelerator gets one on its first letter that no sibling uses.
// Paths in the recent list are shown as they are, ampersands included.
QHash<QString, QString> MenuCaptions(const QList<MenuItem>& items) {
    QHash<QString, QString> shown;
    QHash<QString, QSet<QChar>> taken; // by parent menu
    const auto accelerator = [](const QString& caption) {
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != u'&')
                continue;
            if (caption[i + 1] != u'&')
                return caption[i + 1].toLower();
            ++i;
        }
        return QChar();
    };
    for (const MenuItem& item : items)
        if (!item.separator && !item.key.startsWith(u"MyFpls_"))
            if (const QChar c = accelerator(item.caption); !c.isNull())
                taken[item.parentKey].insert(c);
    for (const MenuItem& item : items) {
        if (item.separator)
            continue;
        QString caption = item.caption;
        if (item.key.startsWith(u"MyFpls_")) {
            caption.replace(u'&', QStringLiteral("&&"));
        } else if (accelerator(caption).isNull()) {
            QSet<QChar>& used = taken[item.parentKey];
            for (qsizetype i = 0; i < caption.size(); ++i) {
                const QChar c = caption[i].toLower();
                if (caption[i].isLetterOrNumber() && !used.contains(c)) {
                    used.insert(c);
                    caption.insert(i, u'&');
                    break;
                }
            }
        }
        shown.insert(item.key, caption);
    }
    return shown;
}

} // namespace

bool WindowMenus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // The model knows the highlighted entry's topic; the menus close first,
    // so that the help window gets the keyboard.
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QTimer::singleShot(0, this, [this] {
        editor_.form->keyF1();
        emit modelChanged();
    });
    return true;
}

void WindowMenus::addWindowAction(const QString& parentKey, QAction* action) {
    QMenu* menu = menus_.value(parentKey);
    if (!menu)
        return;
    menu->addSeparator();
    menu->addAction(action);
    windowActions_.append({parentKey, action});
}

WindowMenus::WindowMenus(Editor& editor, QMenuBar* bar, QObject* parent)
    : QObject(parent), editor_(editor) {
    build(bar);
}

void WindowMenus::build(QMenuBar* bar) {
    bar->setObjectName(QStringLiteral("MenuBar"));
    bar->setStyleSheet(menuStyleSheet());
    QStyle* style = QApplication::style();
    const QHash<QString, QStyle::StandardPixmap> icons{
        {QStringLiteral("Dat_Neu"), QStyle::SP_FileIcon},
        {QStringLiteral("Dat_Ein"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("Dat_Sav"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("Dat_End"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("Hlp_Hilfe"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("Hlp_Info"), QStyle::SP_MessageBoxInformation},
    };
    for (const MenuItem& item : editor_.menu.items) {
        if (item.parentKey.isEmpty()) {
            QMenu* menu = bar->addMenu(item.caption);
            menu->setObjectName(item.key);
            menus_.insert(item.key, menu);
            // An open menu takes every key: F1 is caught on its way in.
            menu->installEventFilter(this);
            actions_.insert(item.key, menu->menuAction());
            const QString key = item.key;
            connect(menu, &QMenu::aboutToShow, this, [this, key] {
                editor_.menuClick(key);
                emit modelChanged();
            });
            connect(menu, &QMenu::hovered, this, [this](QAction* action) {
                const QString hovered = action->data().toString();
                if (!hovered.isEmpty()) {
                    editor_.menuHighlight(hovered);
                    emit modelChanged();
                }
            });
            continue;
        }
        QMenu* menu = menus_.value(item.parentKey);
        if (!menu)
            continue;
        QAction* action = item.separator ? menu->addSeparator() : menu->addAction(item.caption);
        action->setData(item.key);
        action->setObjectName(item.key);
        if (icons.contains(item.key))
            action->setIcon(style->standardIcon(icons.value(item.key)));
        if (!item.shortcut.isEmpty())
            action->setShortcuts(
                QKeySequence::listFromString(item.shortcut, QKeySequence::PortableText));
        action->setCheckable(item.checkable);
        actions_.insert(item.key, action);
        if (!item.separator) {
            const QString key = item.key;
            connect(action, &QAction::triggered, this, [this, key] { emit triggered(key); });
        }
    }
    connect(bar, &QMenuBar::hovered, this, [this](QAction* action) {
        const QString key = menus_.key(action->menu(), QString());
        if (!key.isEmpty()) {
            editor_.menuHighlight(key);
            emit modelChanged();
        }
    });
}

void WindowMenus::syncFromModel() {
    // Captions, hints and the recent list change seldom: the actions are gone
    // through again only when the model's menu is not the one they show.
    if (editor_.menu.items != shownMenu_) {
        shownMenu_ = editor_.menu.items;
        const QHash<QString, QString> captions = MenuCaptions(shownMenu_);
        for (const MenuItem& item : shownMenu_) {
            QAction* action = actions_.value(item.key);
            if (!action)
                continue;
            if (!item.separator) {
                const QString caption = captions.value(item.key);
                if (action->text() != caption)
                    action->setText(caption);
            }
            if (action->statusTip() != item.hint)
                action->setStatusTip(item.hint);
            if (action->isVisible() != item.visible)
                action->setVisible(item.visible);
        }
    }
    for (const auto& [parentKey, action] : windowActions_) {
        QString caption = action->text();
        if (!QKeySequence::mnemonic(caption).isEmpty())
            continue; // keeps its letter until its text changes
        QSet<QChar> used;
        for (const QAction* sibling : menus_.value(parentKey)->actions())
            if (sibling != action && !sibling->isSeparator()) {
                const QKeySequence mnemonic = QKeySequence::mnemonic(sibling->text());
                if (!mnemonic.isEmpty())
                    used.insert(mnemonic.toString().back().toLower());
            }
        for (qsizetype i = 0; i < caption.size(); ++i)
            if (caption[i].isLetterOrNumber() && !used.contains(caption[i].toLower())) {
                caption.insert(i, u'&');
                break;
            }
        action->setText(caption);
    }
    // Greyed while there is nothing to undo or redo.
    const std::pair<QLatin1StringView, bool> undo[] = {
        {QLatin1StringView("Wrk_Undo"), editor_.editing.canUndo()},
        {QLatin1StringView("Wrk_Redo"), editor_.editing.canRedo()}};
    for (const auto& [key, enabled] : undo)
        if (QAction* action = actions_.value(key); action && action->isEnabled() != enabled)
            action->setEnabled(enabled);
    // Every time: a click on an entry ticks or unticks it before the model
    // has a say.
    for (const MenuItem& item : editor_.menu.items)
        if (item.checkable)
            if (QAction* action = actions_.value(item.key);
                action && action->isChecked() != item.checked)
                action->setChecked(item.checked);
}

} // namespace vx
