#include "commands/command_family.h"

#include "commands/command_table.h"
#include "texts/blanks.h"
#include "texts/text_catalogue.h"

namespace vx {

namespace {

using FamilyOf = const CommandFamily& (*)();
constexpr FamilyOf Families[] = {
    ContactsFamily, ArticlesSignalsFamily, LocomotivesFamily, MarkersCountersFamily, TimeFamily,
    FlowFamily,     OperatingFamily};

// Behaviour by letter, built once.
struct Registry {
    std::array<const CommandBehaviour*, 128> byCode{};
    Registry() {
        for (FamilyOf family : Families)
            for (const CommandBehaviour& b : family().commands)
                byCode[static_cast<size_t>(b.layout.code)] = &b;
    }
};

const Registry& registry() {
    static const Registry r;
    return r;
}

const CommandLayout NoLayout{};

} // namespace

QString CatalogueText::in(const TextCatalogue& catalogue) const {
    if (compose_ != nullptr)
        return compose_(catalogue);
    return english_ != nullptr ? catalogue.tx(english_) : QString();
}

const CommandBehaviour* BehaviourOf(QChar code) {
    return code.unicode() < 128 ? registry().byCode[code.unicode()] : nullptr;
}

QList<const Operand2Form*> Operand2FormsOf(QChar command, QStringView operand1) {
    QList<const Operand2Form*> forms;
    const QChar type = operand1.isEmpty() ? QChar() : operand1.front();
    const Operand2Form* own = nullptr;
    const Operand2Form* common = nullptr;
    for (FamilyOf family : Families) {
        for (const Operand2Form& f : family().operand2Forms) {
            if (f.type == 0) {
                forms.append(&f);
                continue;
            }
            if (type != QChar(f.type) || (f.whole && TrimView(operand1) != QChar(f.type)))
                continue;
            if (f.command == 0 && !common)
                common = &f;
            else if (command == QChar(f.command) && !own)
                own = &f;
        }
    }
    if (own || common)
        forms.append(own ? own : common);
    return forms;
}

const CommandLayout& LayoutOf(int command) {
    const CommandBehaviour* b = BehaviourOf(CommandTable::codeOf(command));
    return b ? b->layout : NoLayout;
}

QString LayoutHint(const TextCatalogue& catalogue, int command, int n, bool* stored) {
    const CommandBehaviour* b = BehaviourOf(CommandTable::codeOf(command));
    const CatalogueText* hint =
        b && n >= 1 && n <= 5 ? &b->hints[static_cast<size_t>(n - 1)] : nullptr;
    const bool set = hint && hint->isSet();
    if (stored)
        *stored = set;
    return set ? hint->in(catalogue) : QString();
}

QString LayoutHead(const TextCatalogue& catalogue, int command) {
    const CommandBehaviour* b = BehaviourOf(CommandTable::codeOf(command));
    return b ? b->head.in(catalogue) : QString();
}

} // namespace vx
