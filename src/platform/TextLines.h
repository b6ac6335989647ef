#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <cstring>
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
        m_pos = std::min(nextOf('\r', m_nextCr), nextOf('\n', m_nextLf));
        const QByteArrayView line = m_bytes.sliced(start, m_pos - start);
        if (m_pos < m_bytes.size()) {
            if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
                ++m_pos;
            ++m_pos;
        }
        return line;
    }

    // Where the next line starts.
    qsizetype position() const { return m_pos; }

private:
    // The first `c` at or after the current place, or the end. The places
    // found are kept, so that a text with only one kind of line end is still
    // searched once through, by memchr, whatever its number of lines.
    qsizetype nextOf(char c, qsizetype &found) const {
        if (found < m_pos) {
            const void *at = std::memchr(m_bytes.data() + m_pos, c, m_bytes.size() - m_pos);
            found = at ? static_cast<const char *>(at) - m_bytes.data() : m_bytes.size();
        }
        return found;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_nextCr = -1;
    qsizetype m_nextLf = -1;
};
