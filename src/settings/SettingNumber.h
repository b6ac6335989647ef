#pragma once

#include <QString>

#include <optional>

// A field of the kind "number": a wizard page stores a whole number, an opened
// server file restores the text its raw-code line carried. Both are kept as
// text, so the composer writes either form unchanged, and a reader that wants
// the number asks for it.
class SettingNumber {
public:
    SettingNumber() = default;
    SettingNumber(qint64 value)
        : m_text(QString::number(value)) {}
    static SettingNumber fromText(const QString &text) {
        SettingNumber n;
        n.m_text = text;
        return n;
    }

    const QString &text() const { return m_text; }

    // The decimal value, or nothing when the text is not a whole number
    // (blanks around the digits are allowed, as a hand-edited file may have them).
    std::optional<qint64> value() const {
        bool ok = false;
        const qint64 v = m_text.trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(v) : std::nullopt;
    }
    bool is(qint64 v) const { return value() == v; }

    bool operator==(const SettingNumber &other) const = default;

private:
    QString m_text;
};
