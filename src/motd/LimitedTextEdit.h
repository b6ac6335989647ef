#pragma once

#include <QPlainTextEdit>

// A plain-text box that holds at most a number of bytes as the file stores
// them, a line break counting as its two bytes CR LF. Input that would go
// over is refused as a whole, never cut off unseen: a typed key does nothing,
// a paste or a drop is cut to what fits and `cut` says how much was left out.
// Everything that goes in is one undo step, as in any box.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedTextEdit(int maxBytes, QWidget *parent);

    int maxBytes() const { return m_maxBytes; }
    int bytesLeft() const;
    static int bytesOf(QStringView text);

signals:
    // Pasted or dropped text was cut to fit; so many characters were left out.
    void cut(int charactersLeftOut);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Room for new text where the cursor is: what is left plus the selection
    // that the new text replaces.
    int room() const;
    // The longest start of `text` that fits into `room` bytes.
    static qsizetype fitting(QStringView text, int room);

    int m_maxBytes;
};
