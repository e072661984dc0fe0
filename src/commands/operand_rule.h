#pragma once

// What the command families' rules share: one Rule object per call carries the
// form's state, the command letter, the value and small helpers for the
// catalogue, the fields and the number forms the operands use.

#include "commands/command_table.h"
#include "commands/entry_state.h"
#include "commands/limits.h"
#include "commands/rule_end.h"
#include "texts/basic_numbers.h"
#include "texts/blanks.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <utility>

namespace vx::rules {

// The number behind "M" of a marker reference: 1..999 when present. "M" alone
// is the reference being typed.
bool markerOk(QStringView digits);

// A part of the explanation as the rules write it. Unless the explanation
// is read, writes leave it as it is, and the text is not even put together
// (the expressions of the toolkit's string builder are lazy). No rule
// decides by what a part holds.
class ExplanationPart {
public:
    ExplanationPart(QString& text, bool written) : text_(text), written_(written) {}
    template <class Text> ExplanationPart& operator=(Text&& value) {
        if (written_)
            text_ = std::forward<Text>(value);
        return *this;
    }
    template <class Text> ExplanationPart& operator+=(Text&& value) {
        if (written_)
            text_ += std::forward<Text>(value);
        return *this;
    }
    void clear() { text_.clear(); }
    const QString& text() const { return text_; }

private:
    QString& text_;
    bool written_;
};

struct Rule {
    Rule(EntryFormState& form, FormEvents& events, const TextCatalogue& catalogue,
         const CommandTable& table, int field, const QString& code, QString& v);

    EntryFormState& form;
    FormEvents& events;
    const TextCatalogue& cat;
    const CommandTable& table;
    int field;
    const QString& code; // command field, trimmed and upper-cased
    QChar letter;        // its first character, null when empty
    QString& v;          // the value judged
    QString raw;         // the field's text as it stands (fields 2 and 3)
    // Anything reads the explanation afterwards.
    const bool explained;
    // Anything reads the hints afterwards; no rule does.
    const bool hinted;

    QString tx(QStringView english) const { return cat.tx(english); }
    static const QString& br() { return TextCatalogue::HintLineBreak(); }

    ExplanationPart E(int k) { return {form.ExplanationParts[static_cast<size_t>(k)], explained}; }
    EntryField& msk(int k) { return form.msk[static_cast<size_t>(k)]; }

    // Text of operand n (1..5) as the interpretation reads it: trimmed and
    // upper-cased, from the free-text box while it stands in for the field.
    QString operand(int n) const;
    QChar operandLetter(int n) const;

    // The digit "1".."9" that the command field carries behind its letter.
    QChar codeDigit() const;

    // Row of the command table for this command's letter.
    int row() const;
    // Like an explanation part, a hint nobody reads is not put together.
    template <class Text> void setHint(int n, Text&& text) {
        if (hinted)
            form.fieldHint(row(), n) = std::forward<Text>(text);
    }

    // The masked-edit properties: the maximum length follows the mask.
    static void setMask(EntryField& f, const QString& mask, QChar prompt);
    void setMask(int k, const QString& mask, QChar prompt) { setMask(msk(k), mask, prompt); }
    void setWidth(int k, int width);
    // Fields right of k follow its edge again, 3 pixels apart.
    void relayoutFrom(int k);
    void clearField(int k);

    // The value ends the call without a verdict: nothing shown, nothing red.
    RuleEnd quiet() {
        v.clear();
        return RuleEnd::Error;
    }
    static RuleEnd error() { return RuleEnd::Error; }
    static RuleEnd normal() { return RuleEnd::Normal; }
};

// ---- Pieces several families share ----

// A number in lo..hi; the part is the number and a blank.
RuleEnd numberPart(Rule& r, qint64 lo, qint64 hi);
// Any value; the part is the value.
RuleEnd generic(Rule& r);

// The explanation part of the field being judged.
ExplanationPart part(Rule& r);
// An empty operand 3..5: no part, no verdict.
RuleEnd emptyEnds(Rule& r);

// "M" and the number of a marker holding a count: the part names the marker
// and ends with tail. nullopt when the value is no marker form.
std::optional<RuleEnd> valueInMarker(Rule& r, const QString& tail);

// Hint pieces: "Marker no. (1 up to 999)" and the marker alternative of a number.
QString MarkerRange(const TextCatalogue& c);
QString OrMarker(const TextCatalogue& c);

} // namespace vx::rules
