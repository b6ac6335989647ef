#include "MessageBox.h"

#include "ModalScript.h"

#include <QList>
#include <QMessageBox>

namespace MessageBox {
namespace {

QList<Answer> g_answers;
QList<Shown> g_shown;

Answer show(QWidget *parent, const QString &text, const QString &title, bool withCancel) {
    if (ModalScript::isScripted()) {
        g_shown.append({title, text, withCancel});
        if (!withCancel)
            return Answer::Ok;
        if (g_answers.isEmpty())
            ModalScript::unanswered(QStringLiteral("message box \"%1\"").arg(text));
        return g_answers.takeFirst();
    }
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

} // namespace

void inform(QWidget *parent, const QString &text, const QString &title) {
    show(parent, text, title, false);
}

Answer askOkCancel(QWidget *parent, const QString &text, const QString &title) {
    return show(parent, text, title, true);
}

void scriptAnswer(Answer answer) {
    g_answers.append(answer);
}

QList<Shown> takeShown() {
    QList<Shown> shown;
    shown.swap(g_shown);
    return shown;
}

} // namespace MessageBox
