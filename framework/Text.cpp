#include "framework/Text.h"

namespace {
template <class Text>
Text FieldOf(const Text& text, const Text& separator, int n) {
    if (n < 1 || separator.isEmpty()) {
        return n == 1 ? text : Text();
    }
    qsizetype start = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype next = text.indexOf(separator, start);
        if (next < 0) {
            return {};
        }
        start = next + separator.size();
    }
    const qsizetype end = text.indexOf(separator, start);
    return text.mid(start, end < 0 ? -1 : end - start);
}
}  // namespace

QString NthField(const QString& text, const QString& separator, int n) {
    return FieldOf(text, separator, n);
}

QByteArray NthField(const QByteArray& text, const QByteArray& separator, int n) {
    return FieldOf(text, separator, n);
}
