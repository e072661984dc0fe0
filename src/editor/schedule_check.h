#pragma once

// A line fetched into the entry fields of a whole editor, as fresh as after
// start-up, exactly as the fetch button does, and what the fields then show
// read back. The batch readers use ExplainLine (form/line_explanation.h); this
// stays as the reference the tests hold it to.

#include "editor/editor.h"
#include "form/entry_form.h"
#include "form/line_explanation.h"
#include "platform/silent_platform.h"

#include <QString>
#include <QStringView>
#include <memory>

namespace vx {

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

} // namespace vx
