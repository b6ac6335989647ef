#pragma once

#include "liveserver/ServerComparer.h"
#include "liveserver/ServerQuery.h"

#include <QWidget>

class DifferencesView;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Commands a server by remote console. The password stays in the window: the
// tool writes it nowhere but into the server file.
class frmRemoteConsole : public QWidget {
    Q_OBJECT
public:
    explicit frmRemoteConsole(QWidget *parent = nullptr);

    // The address, port and password the server file gives.
    void prefill(const QString &port, const QString &password);

    QLineEdit *txtAddress = nullptr;
    QLineEdit *txtPort = nullptr;
    QLineEdit *txtPassword = nullptr;
    QLineEdit *txtCommand = nullptr;
    QPushButton *cmdSend = nullptr;
    QPushButton *cmdCompare = nullptr;
    QPlainTextEdit *txtReply = nullptr;
    QLabel *lblAnswer = nullptr;
    DifferencesView *lstDifferences = nullptr;

private:
    QLayout *buildForm(QLabel *lblClearText);
    void connectControls();
    void cmdSend_Click();
    void cmdCompare_Click();
    quint16 port();

    ServerQuery m_query;
    ServerComparer m_comparer;
};
