#pragma once

#include "liveserver/ServerQuery.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The status of any server: the local one, or one at a typed address and
// port. Asked again every few seconds while the window shows.
class frmServerStatus : public QWidget {
    Q_OBJECT
public:
    static constexpr int RefreshMs = 5000;

    explicit frmServerStatus(QWidget *parent = nullptr);

    // The local server's port, for "Local server".
    void setLocalPort(const QString &port);
    void refresh();

    QCheckBox *chkLocal = nullptr;
    QLineEdit *txtAddress = nullptr;
    QLineEdit *txtPort = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QLabel *lblHostname = nullptr;
    QLabel *lblMap = nullptr;
    QLabel *lblGame = nullptr;
    QLabel *lblPlayers = nullptr;
    QLabel *lblAnswer = nullptr;
    QTreeWidget *lstPlayers = nullptr;
    QTreeWidget *lstInfo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void connectControls();
    void answered(const StatusReply &reply);
    void failed(const QString &message);
    void localToggled();

    ServerQuery m_query;
    QTimer m_refresh;
    QString m_localPort = QStringLiteral("27910");
};
