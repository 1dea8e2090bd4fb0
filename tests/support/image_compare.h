#pragma once
// Compares two renderings of the same picture, for tests that thin what a
// chart is handed and must keep its look.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace aqualen::test {

// Pixels whose colours differ by more than `tolerance` summed over red, green
// and blue; the images must be of one size.
inline int DifferingPixels(const QImage& a, const QImage& b, int tolerance = 96)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) >
                tolerance)
                ++differing;
        }
    return differing;
}

// With AQUALEN_SCREENSHOTS naming a folder, saves both pictures there to
// look at and prints how many pixels differ.
inline void SaveComparison(const QImage& a, const QString& nameA, const QImage& b, const QString& nameB, int differing)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    std::printf("%d of %d pixels differ\n", differing, a.width() * a.height());
    a.save(QDir(dir).filePath(nameA));
    b.save(QDir(dir).filePath(nameB));
}

} // namespace aqualen::test
