// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewCommands.h"

#include "Form1.h"
#include "ImageControl.h"

namespace quorvel::preview {

PreviewCommands::PreviewCommands(Controls controls, QObject* parent)
    : QObject(parent), c_(controls) {}

void PreviewCommands::LEAD1_Click() {
    PreviewOriginal_ = false;
    showPreview(c_.LEAD1);
}

void PreviewCommands::LEAD2_Click() {
    PreviewOriginal_ = true;
    showPreview(c_.LEAD2);
}

// Each opening builds the window afresh, so nothing of an earlier one carries over.
void PreviewCommands::showPreview(const imaging::ImageControl& clicked) {
    if (clicked.Bitmap().isNull()) {
        return;
    }
    Form1 preview(c_.LEAD1, c_.LEAD2, PreviewOriginal_, &c_.owner);
    preview.exec();
}

}  // namespace quorvel::preview
