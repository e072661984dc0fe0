// Speed of the entry area: one keystroke's handling (the change event up to the
// rebuilt explanation) in a long command, and explain over a full schedule.
// Targets: under 50 us per keystroke, over 50,000 lines per second.

#include "form/line_explanation.h"
#include "script/user_driver.h"

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace vx;
using Clock = std::chrono::steady_clock;

namespace {

double medianMicroseconds(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The command is chosen and filled in; then one character typed into operand
// field `field` is timed, again and again, with the later operands put back
// (without events) before every keystroke, so that each keystroke discards them.
double keystroke(QChar command, const QStringList& operands, int field, QChar typed) {
    UserDriver driver(u"EN");
    EntryForm& form = driver.form();
    const int line = driver.editor->commands.findByLine(QString(command));
    driver.select(line);
    for (int k = 0; k < operands.size(); ++k)
        driver.type(QStringLiteral("mskTxt%1").arg(k + 2), operands[k]);
    driver.focus(QStringLiteral("mskTxt%1").arg(field));
    const auto filled = form.msk;
    const int rounds = 20000;
    std::vector<double> samples;
    samples.reserve(rounds);
    for (int i = 0; i < rounds; ++i) {
        for (int k = 2; k <= 6; ++k)
            form.msk[static_cast<size_t>(k)].text = filled[static_cast<size_t>(k)].text;
        const auto start = Clock::now();
        form.typeCharacter(static_cast<Control>(field), typed);
        const auto end = Clock::now();
        samples.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    return medianMicroseconds(std::move(samples));
}

} // namespace

int main() {
    const double l = keystroke(u'L', {u"123"_qs, u"S"_qs, u"100"_qs, u"F"_qs, u"1"_qs}, 2, u'4');
    const double f = keystroke(u'F', {u"K"_qs, u"12"_qs, u"B"_qs, u"AN"_qs}, 3, u'3');
    std::printf("keystroke, L operand 1 (4 operands discarded): median %.2f us\n", l);
    std::printf("keystroke, F operand 2 (2 operands discarded): median %.2f us\n", f);

    const QStringList samples = {u"K, 12, B"_qs,
                                 u"L, 1234+, S, 100, F, 1"_qs,
                                 u"F, K, 12, B, AND"_qs,
                                 u"F, D, 12, <5, OR"_qs,
                                 u"M, 17, G  * west yard"_qs,
                                 u"Z, 123"_qs,
                                 u"T, 7, 30, S, 60"_qs,
                                 u"D, 10, TS"_qs,
                                 u"* a remark line"_qs,
                                 u"/, M, Train late"_qs,
                                 u"N5, other.vfp, 12"_qs,
                                 u"I4, 1, 99"_qs,
                                 u"Q, S, 3, +2"_qs,
                                 u"O, 1, 12, L"_qs,
                                 u"X, 12, R, LOOP"_qs,
                                 u"B, 1000, F, M12"_qs,
                                 u"C, 12, P5, 1"_qs,
                                 u"!, LOOP"_qs,
                                 u"G, LOOP"_qs,
                                 u"E"_qs};
    QStringList schedule;
    for (int i = 0; i < 1999; ++i)
        schedule.append(samples[i % samples.size()]);
    const ExplanationLanguage language(u"EN");
    for (const QString& line : samples) // warm the prepared states and the allocator
        ExplainLine(line, language);
    std::vector<double> rates;
    for (int run = 0; run < 7; ++run) {
        const auto start = Clock::now();
        for (const QString& line : schedule)
            ExplainLine(line, language);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        rates.push_back(schedule.size() / seconds);
    }
    std::printf("explain, 1999-line schedule: median %.0f lines/s\n",
                medianMicroseconds(std::move(rates)));
    return 0;
}
