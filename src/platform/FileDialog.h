#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// One file dialog of a window. It remembers the file chosen last in it: the
// next showing starts from that name, and after a cancel it still reports it.
class FileDialog {
public:
    // A filter of description and pattern pairs separated by "|", such as
    // "Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*"; the first pair shows first.
    void setFilter(const QString &filter) { m_filter = filter; }
    // A save dialog then adds the chosen filter's extension (".cfg" for
    // "*.cfg") to a name typed without one.
    void setAddsExtension(bool adds) { m_addsExtension = adds; }

    // Each returns whether a file was chosen: not cancelled, and a name given.
    // The save dialog asks before an existing file is replaced and adds no
    // extension to a typed name.
    bool showOpen(QWidget *parent);
    bool showSave(QWidget *parent);

    QString fileName() const { return m_fileName; } // full path
    QString fileTitle() const;                      // without folder

    // The dialog's filter in the form of the platform's dialogs.
    static QStringList nameFilters(const QString &filter);

    // Test seam: in scripted mode (ModalScript) the next showing answers with
    // this path, chosen with the filter of that place (0: the first); an
    // empty path answers as a cancel.
    static void scriptAnswer(const QString &path, int filterIndex = 0);
    static int pendingAnswers();
    static void clearScript();
    struct Showing {
        bool save;
        QString filter;
        QString startName;
    };
    static QList<Showing> takeShowings();

private:
    bool show(QWidget *parent, bool save);

    QString m_filter;
    QString m_fileName;
    bool m_addsExtension = false;
};
