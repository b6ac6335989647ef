// Figures of the live server's windows, printed as rows for bench/run.sh:
// a status round trip on loopback, and the console pane under a server that
// prints 100,000 lines a second. Run with --flood it is that server.
#include "liveserver/ServerQuery.h"
#include "liveserver/ServerRunner.h"
#include "serverwindows/frmServerConsole.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QUdpSocket>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

namespace {

constexpr int kRoundTrips = 1000;
constexpr int kLinesPerSecond = 100000;
constexpr int kFloodSeconds = 4;

void check(bool done, const char *what) {
    if (!done) {
        std::fprintf(stderr, "benchmark check failed: %s\n", what);
        std::exit(1);
    }
}

void row(const char *what, double project, const char *kind, double target, const char *unit) {
    std::printf("row\t%s\t%.9g\tnan\t%s\t%g\t%s\n", what, project, kind, target, unit);
}

// Resident memory in KiB.
double residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return NAN;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return NAN;
}

// Processor time of the calling thread, in seconds.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The fake server: lines of a plausible length, paced to the rate in steps of 10 ms.
int flood() {
    using Clock = std::chrono::steady_clock;
    const auto began = Clock::now();
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    long written = 0;
    for (int step = 1; step <= kFloodSeconds * 100; ++step) {
        for (; written < long(step) * kLinesPerSecond / 100; ++written)
            std::printf("%ld: Client 3 \"Player\" connected, frags 12, ping 48, from 127.0.0.1\n",
                        written);
        std::fflush(stdout);
        std::this_thread::sleep_until(began + std::chrono::milliseconds(10 * step));
    }
    return 0;
}

void statusRoundTrip() {
    QUdpSocket fake;
    check(fake.bind(QHostAddress::LocalHost, 0), "fake server bound");
    const QByteArray answer("\xff\xff\xff\xffprint\n\\hostname\\Bench\\mapname\\q2dm1\\maxclients"
                            "\\8\\gamename\\baseq2\n3 25 \"Player\"\n");
    QObject::connect(&fake, &QUdpSocket::readyRead, [&] {
        while (fake.hasPendingDatagrams()) {
            const QNetworkDatagram question = fake.receiveDatagram();
            fake.writeDatagram(answer, question.senderAddress(), question.senderPort());
        }
    });
    ServerQuery query;
    std::vector<double> times;
    QElapsedTimer timer;
    bool answered = false;
    QObject::connect(&query, &ServerQuery::statusAnswered, [&](const StatusReply &reply) {
        times.push_back(timer.nsecsElapsed() * 1e-9);
        answered = reply.map() == QLatin1String("q2dm1");
    });
    for (int i = 0; i < kRoundTrips; ++i) {
        answered = false;
        timer.start();
        query.askStatus(QStringLiteral("127.0.0.1"), fake.localPort());
        while (!answered && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        check(answered, "status answered");
    }
    std::sort(times.begin(), times.end());
    row("status round trip on loopback (median)", times[times.size() / 2], "abs", 5e-3, "s");
    row("status round trip on loopback (99th percentile)", times[times.size() * 99 / 100], "abs",
        5e-3, "s");
}

void consoleFlood(const QString &self) {
    ServerRunner runner;
    frmServerConsole console(runner);
    console.show();
    long lines = 0;
    QObject::connect(&runner, &ServerRunner::lineRead,
                     [&](const QString &line, ConsoleLineKind kind) {
                         ++lines;
                         console.appendLine(line, kind);
                     });
    bool ended = false;
    QObject::connect(&runner, &ServerRunner::ended, [&] { ended = true; });
    // The longest the window went without handling its events: the gaps
    // between the ticks of a timer that asks for one every millisecond.
    QTimer tick;
    tick.setInterval(1);
    QElapsedTimer since;
    qint64 longest = 0;
    // The thread's own processor time in that gap: what the window did, apart
    // from the time other programs had the processor.
    double ownAtLongest = 0;
    double ownBefore = threadSeconds();
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double own = threadSeconds();
        if (since.nsecsElapsed() > longest) {
            longest = since.nsecsElapsed();
            ownAtLongest = own - ownBefore;
        }
        ownBefore = own;
        since.start();
    });
    const double before = residentKiB();
    double afterOneSecond = NAN;
    QTimer::singleShot(1000, [&] { afterOneSecond = residentKiB(); });
    check(runner.start({self, {QStringLiteral("--flood")}, QString(), 0}), "flood started");
    since.start();
    ownBefore = threadSeconds();
    tick.start();
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    QCoreApplication::processEvents();
    tick.stop();
    const double after = residentKiB();
    check(lines == long(kLinesPerSecond) * kFloodSeconds, "the flood arrived");
    check(console.txtConsole->blockCount() <= frmServerConsole::ScrollbackLines,
          "scrollback bounded");
    std::fprintf(stderr, "flood: %ld lines, %d blocks shown\n", lines,
                 console.txtConsole->blockCount());
    row("console: longest stall at 100,000 lines/s", longest * 1e-9, "abs", 0.050, "s");
    row("console: the window's own work in that stall", ownAtLongest, "abs", 0.050, "s");
    row("console: memory after 1 s of flood", afterOneSecond - before, "abs", 64 * 1024, "KiB");
    row("console: memory after 4 s of flood", after - before, "abs", 64 * 1024, "KiB");
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--flood")
        return flood();
    QApplication app(argc, argv);
    statusRoundTrip();
    consoleFlood(QCoreApplication::applicationFilePath());
    return 0;
}
