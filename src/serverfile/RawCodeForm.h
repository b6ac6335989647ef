#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The form of the raw-code block that a server file begins with: the marker
// line, the 25 answers each after "//", and the end line. A hand edit that
// cuts into the block breaks it, and Open then refuses the file.
namespace RawCodeForm {

struct Break {
    int line = 0; // counted from 0
    QString message;
};

// The first line where the block leaves its form, or nothing when it is whole.
// Lines end at each line feed; a carriage return before it is no part of them.
std::optional<Break> firstBreak(QStringView text);

// Whether the text still shows the remains of a block (its marker or its end
// line near the top), so that a break in it is worth telling.
bool hasBlock(QStringView text);

} // namespace RawCodeForm
