#pragma once

#include <QByteArray>
#include <QString>

// The decimal text of an integer: digits, a leading "-" when negative.
inline QString Str(int value) {
    return QString::number(value);
}

// Field n (counted from 1) of text cut at every separator; the whole text is
// field 1 when there is no separator, and a field past the last is empty.
QString NthField(const QString& text, const QString& separator, int n);
// The same on bytes, for text whose encoding is not known and must be kept.
QByteArray NthField(const QByteArray& text, const QByteArray& separator, int n);
