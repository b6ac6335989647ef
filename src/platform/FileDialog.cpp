#include "FileDialog.h"

#include "ModalScript.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QList>

namespace {

QList<QString> g_answers;
QList<FileDialog::Showing> g_showings;

} // namespace

QStringList FileDialog::nameFilters(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        // "*.*" means every file, also one without an extension.
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        const qsizetype paren = description.indexOf(u'(');
        if (paren >= 0)
            description = description.left(paren).trimmed();
        patterns.replace(u';', u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

bool FileDialog::showOpen(QWidget *parent) {
    return show(parent, false);
}
bool FileDialog::showSave(QWidget *parent) {
    return show(parent, true);
}

QString FileDialog::fileTitle() const {
    return QFileInfo(m_fileName).fileName();
}

bool FileDialog::show(QWidget *parent, bool save) {
    QString chosen;
    if (ModalScript::isScripted()) {
        g_showings.append({save, m_filter, m_fileName});
        if (g_answers.isEmpty())
            ModalScript::unanswered(save ? QStringLiteral("save dialog")
                                         : QStringLiteral("open dialog"));
        chosen = g_answers.takeFirst();
    } else {
        const QString filters = nameFilters(m_filter).join(QStringLiteral(";;"));
        chosen = save ? QFileDialog::getSaveFileName(parent, QString(), m_fileName, filters)
                      : QFileDialog::getOpenFileName(parent, QString(), m_fileName, filters);
    }
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen;
    return true;
}

void FileDialog::scriptAnswer(const QString &path) {
    g_answers.append(path);
}
int FileDialog::pendingAnswers() {
    return int(g_answers.size());
}

QList<FileDialog::Showing> FileDialog::takeShowings() {
    QList<Showing> showings;
    showings.swap(g_showings);
    return showings;
}

void FileDialog::clearScript() {
    g_answers.clear();
    g_showings.clear();
}
