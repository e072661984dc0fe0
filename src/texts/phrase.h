#pragma once

// A message made of a catalogue text with %1, %2, ... filled in: in English
// where its wording is fixed (vxedit-cli), in the user's language in the
// window. An argument can itself be a catalogue entry (a kind's name).

#include <QString>
#include <QStringList>

namespace vx {

class TextCatalogue;

struct Phrase {
    QString key; // the English text
    QStringList args;
    quint32 words = 0; // bit i set: args[i] is a catalogue entry too

    QString english() const;
    QString in(const TextCatalogue& catalogue) const;
    bool isEmpty() const { return key.isEmpty(); }
};

// pattern with each %n (1..9) replaced by args[n - 1] in one pass, so that an
// argument holding "%2" stays as it is.
QString FillIn(QStringView pattern, const QStringList& args);

} // namespace vx
