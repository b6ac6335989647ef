#include "FileDialog.h"

#include "ModalScript.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QList>

namespace {

struct Answer {
    QString path;
    int filterIndex;
};
QList<Answer> g_answers;

// The extension of a filter's one pattern, such as "cfg" for "*.cfg"; empty
// for every other pattern.
QString extensionOf(const QString &nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf(u'(');
    const QString pattern = nameFilter.mid(open + 1).chopped(1);
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(u' ') ||
        pattern.indexOf(u'*', 1) >= 0 || pattern.contains(u'?'))
        return {};
    return pattern.mid(2);
}
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
    const QStringList filters = nameFilters(m_filter);
    QString chosenFilter = filters.value(0);
    if (ModalScript::isScripted()) {
        g_showings.append({save, m_filter, m_fileName});
        if (g_answers.isEmpty())
            ModalScript::unanswered(save ? QStringLiteral("save dialog")
                                         : QStringLiteral("open dialog"));
        const Answer answer = g_answers.takeFirst();
        chosen = answer.path;
        chosenFilter = filters.value(answer.filterIndex);
    } else if (save && m_addsExtension) {
        // Qt's dialog adds the extension before it asks about replacing a file.
        QFileDialog dialog(parent, QString(), m_fileName);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(extensionOf(chosenFilter));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString &filter) { dialog.setDefaultSuffix(extensionOf(filter)); });
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
        chosenFilter.clear(); // done by the dialog
    } else {
        const QString joined = filters.join(QStringLiteral(";;"));
        chosen = save ? QFileDialog::getSaveFileName(parent, QString(), m_fileName, joined)
                      : QFileDialog::getOpenFileName(parent, QString(), m_fileName, joined);
    }
    if (chosen.isEmpty())
        return false;
    if (save && m_addsExtension && QFileInfo(chosen).suffix().isEmpty() &&
        !extensionOf(chosenFilter).isEmpty())
        chosen += u'.' + extensionOf(chosenFilter);
    m_fileName = chosen;
    return true;
}

void FileDialog::scriptAnswer(const QString &path, int filterIndex) {
    g_answers.append({path, filterIndex});
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
