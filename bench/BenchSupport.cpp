#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace Bench {

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double timeMs(const std::function<void()>& body) {
    QElapsedTimer timer;
    timer.start();
    body();
    return double(timer.nsecsElapsed()) / 1e6;
}

int runCount(int argc, char* argv[]) {
    int runs = 0;
    if (argc > 1)
        runs = std::atoi(argv[1]);
    else if (const char* env = std::getenv("BENCH_RUNS"))
        runs = std::atoi(env);
    return runs > 0 ? runs : 7;
}

QString ms(double value) {
    return QString::number(value, 'f', value < 10 ? 2 : 1) + QStringLiteral(" ms");
}

QString megabytes(double bytes) {
    return QString::number(bytes / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

QString ratio(double figure, double reference) {
    if (reference <= 0)
        return QStringLiteral("-");
    return QString::number(figure / reference, 'f', 2) + QStringLiteral("x");
}

namespace {
void printRow(const QStringList& cells) {
    const QByteArray line = (QStringLiteral("row\t") + cells.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}
} // namespace

void row(const QString& measure, const QString& figure, const QString& reference, const QString& ratioText,
         const QString& target, bool met) {
    printRow({measure, figure, reference.isEmpty() ? QStringLiteral("-") : reference, ratioText, target,
              met ? QStringLiteral("yes") : QStringLiteral("NO")});
}

void infoRow(const QString& measure, const QString& figure, const QString& reference) {
    printRow({measure, figure, reference.isEmpty() ? QStringLiteral("-") : reference, QStringLiteral("-"),
              QStringLiteral("-"), QStringLiteral("-")});
}

double runProgram(const QString& program, const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForStarted(30000))
        throw std::runtime_error("cannot start " + program.toStdString());
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(600000))
        throw std::runtime_error(program.toStdString() + " did not finish");
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() +
                                 " failed: " + QString::fromLocal8Bit(process.readAllStandardOutput()).toStdString());
    return elapsed;
}

QString programBinDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
}

} // namespace Bench
