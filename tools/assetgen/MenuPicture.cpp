// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MenuPicture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <vector>

namespace {

// Three passes of a box blur over the alpha channel come close to a Gaussian; integer
// arithmetic keeps the result the same on every machine.
void blurAlpha(QImage& image, int radius) {
    const int width = image.width();
    const int height = image.height();
    std::vector<int> alpha(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            alpha[size_t(y) * width + x] = qAlpha(line[x]);
    }
    std::vector<int> scratch(alpha.size());
    const auto pass = [&](int step, int count, int lines, int lineStep) {
        for (int line = 0; line < lines; ++line) {
            const size_t base = size_t(line) * lineStep;
            for (int i = 0; i < count; ++i) {
                int sum = 0;
                for (int k = std::max(0, i - radius); k <= std::min(count - 1, i + radius); ++k)
                    sum += alpha[base + size_t(k) * step];
                scratch[base + size_t(i) * step] = sum / (2 * radius + 1);
            }
        }
        alpha.swap(scratch);
    };
    for (int round = 0; round < 3; ++round) {
        pass(1, width, height, width);
        pass(width, height, width, 1);
    }
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int a = alpha[size_t(y) * width + x];
            line[x] = qRgba(a, a, a, a); // premultiplied white
        }
    }
}

// "Menu" as an outline fitted to the area the letters should cover.
QPainterPath menuLettering(const QRectF& area) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setItalic(true);
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("Menu"));
    const QRectF bounds = path.boundingRect();
    QTransform fit;
    fit.translate(area.left(), area.top());
    fit.scale(area.width() / bounds.width(), area.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    return fit.map(path);
}

} // namespace

QImage menuPicture(int scale) {
    const QPainterPath letters =
        menuLettering(QRectF(22 * scale, 20 * scale, 132 * scale, 44 * scale));

    QImage glow(650 * scale, 100 * scale, QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::transparent);
    {
        QPainter painter(&glow);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 5.0 * scale));
        painter.setBrush(Qt::white);
        painter.drawPath(letters);
    }
    blurAlpha(glow, 2 * scale);

    QImage image(650 * scale, 400 * scale, QImage::Format_RGB32);
    image.fill(QColor(198, 198, 198));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(0, 0, glow);
    painter.drawImage(0, 0, glow);
    painter.setPen(QPen(QColor(120, 0, 0), 0.8 * scale));
    painter.setBrush(QColor(216, 0, 0));
    painter.drawPath(letters);
    return image;
}
