#pragma once

#include "forms/MessageBoxes.h"

// Application-modal QMessageBox: returns when the player has pressed OK.
class QtMessageBoxes : public MessageBoxes {
public:
    void show(const QString& text, const QString& caption, MessageIcon icon) override;
};
