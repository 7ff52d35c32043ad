#include "GeneratedCollection.h"

#include "TestEnvironment.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

namespace GeneratedCollection {
namespace {

void print(const char* what, double milliseconds)
{
    std::printf("%-56s %10.1f ms\n", what, milliseconds);
    std::fflush(stdout);
}

double elapsed(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

void fill(TestEnvironment& test, int stamps, int countries, Gaps gaps)
{
    constexpr int BatchSize = 20000;
    QRandomGenerator random(20261206);
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(QColor(120, 40, 40));
    const QByteArray pictureBytes = test.pictures.encodeJpeg(picture, 0.6).value();
    const QStringList statuses = {QStringLiteral("Had"),     QStringLiteral("Have"),
                                  QStringLiteral("Looking"), QStringLiteral("Sell"),
                                  QStringLiteral("Trade"),   QStringLiteral("Wish")};
    const auto every = [](int i, int period) { return period > 0 && i % period == 0; };
    for (int i = 0; i < stamps; ++i) {
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("%1c").arg(random.bounded(1, 500)));
        const auto year = qint16(random.bounded(1840, 2026));
        stamp->setYearOfIssue(every(i, gaps.noYearEvery) ? qint16(0) : year);
        const int country = random.bounded(countries);
        if (!every(i, gaps.noCountryEvery))
            stamp->setCountry(QStringLiteral("Country %1").arg(country));
        // Catalogue numbers: plain, airmail ("C12") and minor varieties ("12a").
        const int number = random.bounded(1, 5000);
        stamp->setScottNumber(i % 7 == 0   ? QStringLiteral("C%1").arg(number)
                              : i % 5 == 0 ? QStringLiteral("%1a").arg(number)
                                           : QString::number(number));
        stamp->setStatus(statuses.at(random.bounded(int(statuses.size()))));
        stamp->setQuantity(qint16(random.bounded(0, 5)));
        stamp->setValue(float(random.bounded(1, 100000)) / 100.0f);
        stamp->setCost(float(random.bounded(1, 10000)) / 100.0f);
        if (i % 10 == 0)
            stamp->setStampImage(pictureBytes);
        if ((i + 1) % BatchSize == 0 || i + 1 == stamps) {
            if (!test.context().save())
                qFatal("The generated collection could not be saved");
            test.relaunch();
        }
    }
}

double timed(const char* what, const std::function<void()>& work)
{
    const double milliseconds = elapsed(work);
    print(what, milliseconds);
    return milliseconds;
}

double bestOfThree(const char* what, const std::function<void()>& work)
{
    double best = elapsed(work);
    for (int run = 1; run < 3; ++run)
        best = std::min(best, elapsed(work));
    print(what, best);
    return best;
}

} // namespace GeneratedCollection
