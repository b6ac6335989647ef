#include "RawCodeForm.h"

#include "GeneratedLines.h"
#include "ServerFileFormat.h"
#include "settings/ServerSettings.h"

#include <QList>

namespace RawCodeForm {
namespace {

// The text's first lines, as many as the block has.
QList<QStringView> firstLines(QStringView text, int count) {
    QList<QStringView> lines;
    qsizetype from = 0;
    while (lines.size() < count && from <= text.size()) {
        qsizetype end = text.indexOf(u'\n', from);
        if (end < 0)
            end = text.size();
        QStringView line = text.sliced(from, end - from);
        lines.append(line.endsWith(u'\r') ? line.chopped(1) : line);
        from = end + 1;
    }
    return lines;
}

constexpr int kEndLine = RawCode::FieldCount + 1;

} // namespace

std::optional<Break> firstBreak(QStringView text) {
    const QList<QStringView> lines = firstLines(text, kEndLine + 1);
    if (lines.value(0) != ServerFileFormat::Marker)
        return Break{0, QStringLiteral("the raw-code block must begin here with the line \"%1\".")
                            .arg(ServerFileFormat::Marker)};
    for (int i = 1; i < kEndLine; ++i) {
        if (i >= lines.size())
            return Break{i, QStringLiteral("the file ends inside the raw-code block, which holds "
                                           "%1 answers, one a line.")
                                .arg(RawCode::FieldCount)};
        if (!lines[i].startsWith(QLatin1String("//")))
            return Break{i, QStringLiteral("this line of the raw-code block no longer begins with "
                                           "\"//\": the block holds %1 answers, one a line, each "
                                           "after \"//\".")
                                .arg(RawCode::FieldCount)};
    }
    if (lines.value(kEndLine) != ServerFileFormat::RawCodeEnd)
        return Break{kEndLine, QStringLiteral("the raw-code block should end here with \"%1\": it "
                                              "has lost or gained a line, so its answers no "
                                              "longer stand in their places.")
                                   .arg(ServerFileFormat::RawCodeEnd)};
    return std::nullopt;
}

bool hasBlock(QStringView text) {
    const QList<QStringView> lines = firstLines(text, kEndLine + 2);
    if (lines.value(0).startsWith(ServerFileFormat::Marker.first(20)))
        return true;
    return lines.contains(ServerFileFormat::RawCodeEnd);
}

} // namespace RawCodeForm
