// Start-up of the real program on the shipped database, offscreen, to its first painted main window, and the
// peak memory of that process; beside them an empty window of the same size in a bare Qt program, the floor
// that any Qt Widgets program pays. The program reports its first paint itself (TARVEL_BENCH_FIRST_PAINT);
// the time runs from the start of the process to that report. Runs of the two alternate.
// Usage: bench_startup [runs]; bench_startup --empty-window is the reference program.
#include "BenchSupport.h"
#include "app/FirstPaintReport.h"
#include "ui/TfrmBase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {
struct Start {
    double ms = 0;
    double peakBytes = 0;
};

Start startOnce(const QString& program, const QStringList& arguments, const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TARVEL_BENCH_FIRST_PAINT"), QStringLiteral("1"));
    // Settings and the one-copy lock of its own, so that a copy of the program in use is neither met nor changed.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("TMPDIR"), home);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    QByteArray line;
    while (!line.contains('\n')) {
        if (!process.waitForReadyRead(30000))
            throw std::runtime_error(program.toStdString() + " reported no first paint");
        line += process.readAllStandardOutput();
    }
    Start start;
    start.ms = double(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.size() != 2 || words[0] != "first-paint")
        throw std::runtime_error("unexpected report: " + line.toStdString());
    start.peakBytes = words[1].toDouble();
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " did not end after its first paint");
    return start;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--empty-window") == 0) {
        QApplication app(argc, argv);
        QWidget window;
        window.setFixedSize(TfrmBase::kClientWidth, TfrmBase::kClientHeight);
        FirstPaintReport::install(window);
        window.show();
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    const int runs = Bench::runCount(argc, argv);
    try {
        const QString tarvel = Bench::programBinDir() + QStringLiteral("/tarvel");
        if (!QFileInfo::exists(Bench::programBinDir() + QStringLiteral("/data/main.db")))
            throw std::runtime_error("no shipped database beside the program");
        QTemporaryDir home;
        std::vector<double> times, peaks, emptyTimes, emptyPeaks;
        for (int r = 0; r < runs; ++r) {
            const Start s = startOnce(tarvel, {}, home.path());
            times.push_back(s.ms);
            peaks.push_back(s.peakBytes);
            const Start e =
                startOnce(QCoreApplication::applicationFilePath(), {QStringLiteral("--empty-window")}, home.path());
            emptyTimes.push_back(e.ms);
            emptyPeaks.push_back(e.peakBytes);
        }
        const double time = Bench::median(times), emptyTime = Bench::median(emptyTimes);
        const double peak = Bench::median(peaks), emptyPeak = Bench::median(emptyPeaks);
        const double worstPeak = *std::max_element(peaks.begin(), peaks.end());
        Bench::row(QStringLiteral("Start-up to the first painted main window, shipped database"), Bench::ms(time),
                   Bench::ms(emptyTime) + QStringLiteral(" (empty Qt window)"), Bench::ratio(time, emptyTime),
                   QStringLiteral("< 500 ms"), time < 500);
        Bench::row(QStringLiteral("Peak memory of that process (largest of the runs)"), Bench::megabytes(worstPeak),
                   Bench::megabytes(emptyPeak) + QStringLiteral(" (empty Qt window)"), Bench::ratio(peak, emptyPeak),
                   QStringLiteral("< 80 MB"), worstPeak > 0 && worstPeak < 80.0 * 1024 * 1024);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_startup: %s\n", e.what());
        return 1;
    }
    return 0;
}
