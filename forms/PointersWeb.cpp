// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Qt's browser platform shows only the named pointer shapes: for a picture pointer it shows
// the arrow and prints a warning. The game's sights are pictures, so when a window takes a
// picture pointer the page's canvas is given that picture as its CSS cursor, and the
// warning, which tells of what is mended here, is dropped.
#include <QBuffer>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QPixmap>
#include <QWindow>

#include <emscripten.h>

namespace {

EM_JS(void, omvarSetCanvasCursor, (const char* css), {
    const cursor = UTF8ToString(css);
    (Module.qtContainerElements || []).forEach(container => {
        const canvas = container.tagName === 'CANVAS' ? container : container.querySelector('canvas');
        if (canvas) {
            canvas.style.cursor = cursor;
        }
    });
});

// The picture as a CSS cursor: a PNG, its hot spot in CSS pixels, and the arrow where the
// browser cannot show it.
QByteArray cssCursor(const QCursor& cursor) {
    const QPixmap pixmap = cursor.pixmap();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    QByteArray image = "url(data:image/png;base64," + png.toBase64() + ')';
    if (pixmap.devicePixelRatio() != 1.0) {
        image = "-webkit-image-set(" + image + ' ' + QByteArray::number(pixmap.devicePixelRatio()) +
                "x)";
    }
    return image + ' ' + QByteArray::number(cursor.hotSpot().x()) + ' ' +
           QByteArray::number(cursor.hotSpot().y()) + ", default";
}

// Qt tells a window of its new pointer once the platform has shown it.
class PicturePointers : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::CursorChange && watched->isWindowType()) {
            const QCursor cursor = static_cast<QWindow*>(watched)->cursor();
            if (cursor.shape() == Qt::BitmapCursor) {
                omvarSetCanvasCursor(cssCursor(cursor).constData());
            }
        }
        return false;
    }
};

QtMessageHandler shownMessages = nullptr;

void showMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtWarningMsg || !message.startsWith(QLatin1String("QWasmCursor: bitmap"))) {
        shownMessages(type, context, message);
    }
}

void showPicturePointers() {
    QCoreApplication::instance()->installEventFilter(new PicturePointers);
    shownMessages = qInstallMessageHandler(showMessage);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(showPicturePointers)
