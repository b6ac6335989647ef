#pragma once

#include <QFutureWatcher>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <memory>
#include <optional>
#include <type_traits>

class QWidget;

// Work that touches the disk runs on a worker thread while the window's
// thread goes on with its events, so the program never freezes on a slow or
// hostile file system. Input waits for the first quarter of a second; after
// that a busy window with Cancel shows, and Cancel returns at once (the
// worker is told to stop, and its late answer is dropped).
namespace BusyWait {

inline constexpr int ShowAfterMs = 250;
// The busy window's object name.
inline constexpr QLatin1StringView WindowName{"BusyWait"};

// Waits, with events going on, until the watched work is finished (true) or
// cancelled (false, and cancel set).
bool waitFor(QWidget *parent, const QString &what, QFutureWatcherBase &watcher,
             std::atomic_bool &cancel);

// Runs work(cancel) on a worker thread; its result, or nothing when cancelled.
// The work gets only what it captured by value.
template <class Work>
auto run(QWidget *parent, const QString &what, Work work)
    -> std::optional<std::invoke_result_t<Work, const std::atomic_bool &>> {
    using Result = std::invoke_result_t<Work, const std::atomic_bool &>;
    const auto cancel = std::make_shared<std::atomic_bool>(false);
    QFutureWatcher<Result> watcher;
    watcher.setFuture(
        QtConcurrent::run([cancel, work = std::move(work)] { return work(*cancel); }));
    if (!waitFor(parent, what, watcher, *cancel))
        return std::nullopt;
    return watcher.future().takeResult();
}

} // namespace BusyWait
