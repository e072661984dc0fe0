#pragma once

// Explaining and checking whole schedules line by line, as vxedit-cli explain
// and check do: every line is fetched into the entry fields of an editor that
// is as fresh as after start-up, exactly as the fetch button does, and what the
// fields then show is read back. The editor runs on a silent platform.

#include "editor/editor.h"
#include "form/entry_form.h"
#include "platform/silent_platform.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>

namespace vx {

struct LineExplanation {
    QString explanation; // caption of the explanation line afterwards
    bool explanationRed = false;
    QStringList redFields; // controls drawn red, in control order
};

class LineExplainer {
public:
    explicit LineExplainer(QStringView language = u"ES");
    LineExplainer(const LineExplainer&) = delete;
    LineExplainer& operator=(const LineExplainer&) = delete;

    // The line goes into row 1 of an empty schedule and is fetched.
    LineExplanation explain(const QString& line);

    Editor& editor() { return *editor_; }

private:
    SilentPlatform platform_;
    std::unique_ptr<Editor> editor_;
    EntryFormState freshForm_;
};

// The controls in the order the tools list them.
const QList<Control>& ReportedControls();

} // namespace vx
