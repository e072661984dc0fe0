#pragma once

// The menu bar of the main window, built from the model's menu: captions,
// hints, visibility, shortcuts and the ticks follow the model after each
// event. A chosen entry is reported by its menu key; F1 on a highlighted
// entry opens its help page.

#include "editor/menu_model.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <utility>

class QAction;
class QMenu;
class QMenuBar;

namespace vx {

class Editor;

class WindowMenus : public QObject {
    Q_OBJECT
public:
    WindowMenus(Editor& editor, QMenuBar* bar, QObject* parent = nullptr);

    void syncFromModel();

    // The menu entry (or top menu) with a menu key; null for unknown keys.
    QAction* action(const QString& key) const { return actions_.value(key); }
    // The top menu with a menu key; null for unknown keys.
    QMenu* menu(const QString& key) const { return menus_.value(key); }

    // An entry of the window's own (not in the model's menu) at the end of a
    // menu; it gets an Alt letter that its menu leaves free.
    void addWindowAction(const QString& parentKey, QAction* action);

signals:
    // A menu opened or an entry was highlighted: the model was told.
    void modelChanged();
    // The user chose the entry with this menu key.
    void triggered(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(QMenuBar* bar);

    Editor& editor_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QList<MenuItem> shownMenu_;                         // the model's menu as the actions show it
    QList<std::pair<QString, QAction*>> windowActions_; // by parent menu
};

} // namespace vx
