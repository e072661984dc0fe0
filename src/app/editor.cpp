#include "app/editor.h"

#include "commands/entry_form.h"

namespace vx {

Editor::Editor(const Platform& p)
    : platform(p), document(platform, catalogue), form(std::make_unique<EntryForm>(*this)) {
    commands.setNames(catalogue);
    windowTitle = catalogue.tx(u" S C H E D U L E - E D I T O R   for   V E L O X");
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

void Editor::afterFileWritten(const QString&) {}

} // namespace vx
