#include "BusyWait.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace BusyWait {

bool waitFor(QWidget *parent, const QString &what, QFutureWatcherBase &watcher,
             std::atomic_bool &cancel) {
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    if (watcher.isFinished())
        return true;
    // Timers and painting go on; clicks and keys wait for the answer.
    QTimer::singleShot(ShowAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (watcher.isFinished())
        return true;

    QProgressDialog busy(what, QStringLiteral("Cancel"), 0, 0, parent);
    busy.setObjectName(WindowName);
    busy.setWindowTitle(QStringLiteral("Kestrune Server Tool"));
    busy.setWindowModality(Qt::ApplicationModal);
    busy.setMinimumDuration(0);
    busy.setAutoClose(false);
    busy.setAutoReset(false);
    bool cancelled = false;
    QObject::connect(&busy, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    busy.show();
    if (!watcher.isFinished())
        loop.exec();
    if (cancelled && !watcher.isFinished()) {
        cancel = true;
        return false;
    }
    return true;
}

} // namespace BusyWait
