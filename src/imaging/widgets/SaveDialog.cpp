// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveDialog.h"

#include "FileDialogFilters.h"
#include "FileNames.h"
#include "RecentFolder.h"
#include "SaveDepth.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace quorvel::imaging {

using namespace Qt::StringLiterals;

namespace {

template <typename Control>
Control* named(Control* control, const char* name, const QString& accessibleName) {
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(accessibleName);
    return control;
}

}  // namespace

SaveDialog::SaveDialog(const SaveDialogSettings& settings, QWidget* owner)
    : QDialog(owner), settings_(settings), wantedBitsPerPixel_(settings.bitsPerPixel) {
    setWindowTitle(settings.title);
    setObjectName(u"SaveDialog"_s);

    fileName_ = named(new QLineEdit(settings.fileName, this), "fileName", tr("File name"));
    // Room for a whole path, which is what the field usually holds.
    fileName_->setMinimumWidth(fileName_->fontMetrics().averageCharWidth() * 50);
    auto* browse = named(new QPushButton(tr("B&rowse..."), this), "browse", tr("Browse"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(fileName_, 1);
    nameRow->addWidget(browse);

    format_ = named(new QComboBox(this), "format", tr("Format"));
    for (const FileFormat* format : settings.formats) {
        format_->addItem(
            u"%1 (*.%2)"_s.arg(QLatin1String(format->name), QLatin1String(format->extension)));
    }
    bitsPerPixel_ = named(new QComboBox(this), "bitsPerPixel", tr("Bits per pixel"));
    qFactor_ = named(new QSpinBox(this), "qFactor", tr("Quality factor"));
    qFactor_->setRange(2, 10);
    qFactor_->setValue(std::clamp(settings.qFactor, 2, 10));
    qFactor_->setToolTip(tr("2: best quality, least compression; 10: smallest file"));
    multiPage_ = named(new QCheckBox(tr("Add as a new &page to an existing file"), this),
                       "multiPage", tr("Add as a new page to an existing file"));
    multiPage_->setChecked(settings.multiPage);

    auto* form = new QFormLayout;
    const auto addRow = [&](const QString& text, QWidget* buddy, auto* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        form->addRow(label, field);
    };
    addRow(tr("File &name:"), fileName_, nameRow);
    addRow(tr("&Format:"), format_, format_);
    addRow(tr("&Bits per pixel:"), bitsPerPixel_, bitsPerPixel_);
    addRow(tr("&Quality factor:"), qFactor_, qFactor_);
    form->addRow(multiPage_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);

    connect(browse, &QPushButton::clicked, this, &SaveDialog::browse);
    connect(format_, &QComboBox::currentIndexChanged, this, &SaveDialog::showFormat);
    connect(bitsPerPixel_, &QComboBox::activated, this,
            [this] { wantedBitsPerPixel_ = bitsPerPixel(); });
    connect(fileName_, &QLineEdit::textChanged, this, [this](const QString& text) {
        buttons_->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, &SaveDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &SaveDialog::reject);

    format_->setCurrentIndex(int(std::min(settings.preselected, settings.formats.size() - 1)));
    showFormat(format_->currentIndex());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!settings.fileName.isEmpty());
    fileName_->setFocus();
}

QString SaveDialog::fileName() const {
    return fileName_->text();
}

const FileFormat& SaveDialog::format() const {
    return *settings_.formats[std::size_t(std::max(0, format_->currentIndex()))];
}

short SaveDialog::bitsPerPixel() const {
    return short(bitsPerPixel_->currentData().toInt());
}

short SaveDialog::qFactor() const {
    return short(qFactor_->value());
}

bool SaveDialog::multiPage() const {
    return multiPage_->isEnabled() && multiPage_->isChecked();
}

void SaveDialog::accept() {
    if (fileName().isEmpty() || !mayReplace()) {
        return;
    }
    QDialog::accept();
}

// Depths follow the format; the one wanted stays, or comes back, where the new format offers it.
void SaveDialog::showFormat(int index) {
    if (index < 0) {
        return;
    }
    const FileFormat& chosen = *settings_.formats[std::size_t(index)];
    bitsPerPixel_->clear();
    for (const Depth& depth : chosen.depths) {
        bitsPerPixel_->addItem(tr(depth.label), int(depth.bitsPerPixel));
    }
    bitsPerPixel_->setCurrentIndex(std::max(
        0, bitsPerPixel_->findData(OfferedBitsPerPixel(chosen, short(wantedBitsPerPixel_)))));
    qFactor_->setEnabled(chosen.lossy);
    multiPage_->setEnabled(chosen.pages);
}

void SaveDialog::browse() {
    QFileDialog dialog(this, windowTitle());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The question comes once, from this dialog's OK, with the name completed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    applyNameFilters(dialog, settings_.filter);
    if (!fileName().isEmpty()) {
        const QFileInfo proposed(fileName());
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    } else if (const QString recent = RecentFolder::folder(); !recent.isEmpty()) {
        dialog.setDirectory(recent);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        fileName_->setText(dialog.selectedFiles().constFirst());
    }
}

bool SaveDialog::mayReplace() {
    if (!settings_.confirmReplace || multiPage()) {
        return true;
    }
    QString path = fileName();
    if (!path.contains(QLatin1Char('.'))) {
        path += QLatin1Char('.') + QLatin1String(format().extension);
    }
    if (kindOfFile(path) != FileKind::RegularFile) {
        return true;
    }
    QMessageBox question(QMessageBox::Question, windowTitle(),
                         tr("%1 already exists.\nDo you want to replace it?").arg(path),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

}  // namespace quorvel::imaging
