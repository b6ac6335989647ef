#pragma once

#include <QByteArrayView>

#include <optional>

// Walks the lines of single-byte text. A line ends at CR LF, a bare LF or a
// bare CR; a line end at the very end of the text does not start another line.
class TextLines {
public:
    explicit TextLines(QByteArrayView bytes)
        : m_bytes(bytes) {}

    std::optional<QByteArrayView> next() {
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\r' && m_bytes[m_pos] != '\n')
            ++m_pos;
        const QByteArrayView line = m_bytes.sliced(start, m_pos - start);
        if (m_pos < m_bytes.size()) {
            if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
                ++m_pos;
            ++m_pos;
        }
        return line;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};
