#pragma once

#include <QLatin1StringView>
#include <QString>

class QWidget;

// Message boxes with an OK button, or OK and Cancel, and no icon.
namespace MessageBox {

inline constexpr QLatin1StringView ProgramTitle{"Kestrune Server Tool"};

enum class Answer { Ok, Cancel };

void inform(QWidget *parent, const QString &text, const QString &title = ProgramTitle);
Answer askOkCancel(QWidget *parent, const QString &text, const QString &title = ProgramTitle);

// Test seam: in scripted mode (ModalScript) nothing opens; every box is
// recorded, an OK box answers OK, an OK/Cancel box takes the queued answer.
struct Shown {
    QString title;
    QString text;
    bool withCancel;
};
void scriptAnswer(Answer answer);
QList<Shown> takeShown();

} // namespace MessageBox
