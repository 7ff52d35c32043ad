// Times the start of the application on a large collection: from launch to the first paint of its
// window (VELLORA_QUIT_AFTER_FIRST_PAINT ends it there), beside `vellora --version`, the start of
// the same process with no window and no store, as the floor. Both are whole processes on the
// offscreen display, the best of five each, measured in one run.
//
//   bench_launch [stamps]     (default: 100000)

#include "GeneratedCollection.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Runs = 5;

// The best of the runs of `arguments`, in milliseconds; negative when a run failed.
double bestLaunch(const QStringList& arguments, const QProcessEnvironment& environment)
{
    double best = -1;
    for (int run = 0; run < Runs; ++run) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(VELLORA_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::fprintf(stderr, "vellora %s failed:\n%s\n", qPrintable(arguments.join(u' ')),
                         process.readAll().constData());
            return -1;
        }
        const double elapsed = double(timer.nsecsElapsed()) / 1e6;
        if (best < 0 || elapsed < best)
            best = elapsed;
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int stamps = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir folder;
    {
        TestEnvironment test(folder.path());
        GeneratedCollection::fill(test, stamps, 120);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("VELLORA_QUIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    const QStringList window = {QStringLiteral("--data-dir"), folder.path()};
    // The first launch fills the reference lists; the ones measured are every later launch.
    if (bestLaunch(window, environment) < 0)
        return 1;
    const double floor = bestLaunch({QStringLiteral("--version")}, environment);
    const double firstPaint = bestLaunch(window, environment);
    if (floor < 0 || firstPaint < 0)
        return 1;
    std::printf("%d stamps\n", stamps);
    std::printf("vellora --version (process start)   %8.1f ms\n", floor);
    std::printf("launch to first paint               %8.1f ms   (%.2fx the process start)\n",
                firstPaint, firstPaint / floor);
    return 0;
}
