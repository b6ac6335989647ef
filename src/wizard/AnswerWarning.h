#pragma once

#include "serverfile/GeneratedLines.h"

#include <QLabel>

class QLineEdit;

// Under a wizard box: what the server will do differently with the value
// typed, in the console check's words, following every keystroke. It only
// tells; Next goes on as before.
class AnswerWarning : public QLabel {
    Q_OBJECT
public:
    // Puts a warning under the box, in the box's place in its layout.
    static AnswerWarning *attach(QLineEdit *box, GeneratedLines::Field field);

private:
    AnswerWarning(QLineEdit *box, GeneratedLines::Field field, QWidget *parent);
    void recheck();

    QLineEdit *m_box;
    GeneratedLines::Field m_field;
};
