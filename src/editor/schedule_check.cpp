#include "editor/schedule_check.h"

namespace vx {

LineExplainer::LineExplainer(QStringView language)
    : editor_(std::make_unique<Editor>(platform_.platform())) {
    if (language != u"ES")
        editor_->startInLanguage(language);
    freshForm_ = *editor_->form;
}

LineExplanation LineExplainer::explain(const QString& line) {
    EntryForm& form = *editor_->form;
    // Every line starts from the entry area after start-up.
    static_cast<EntryFormState&>(form) = freshForm_;
    ScheduleDocument& doc = editor_->document;
    doc.grid.currentRow = 1;
    doc.grid.currentColumn = 1;
    doc.setLine(1, line);
    form.clickFetch();

    LineExplanation result;
    result.explanation = form.lblBemerkung.caption;
    result.explanationRed = form.lblBemerkung.error;
    for (Control c : ReportedControls())
        if (const EntryField* field = form.fieldOf(c); field->error) {
            result.redFields.append(ControlName(c));
            result.redTexts.append(field->text);
        }
    return result;
}

} // namespace vx
