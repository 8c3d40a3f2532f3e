#include "forms/QtMessageBoxes.h"

#include <QMessageBox>

void QtMessageBoxes::show(const QString& text, const QString& caption, MessageIcon icon) {
    QMessageBox box;
    box.setWindowTitle(caption);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setAccessibleName(caption);
    box.exec();
}
