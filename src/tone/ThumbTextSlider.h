// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSlider>
#include <QString>

namespace quorvel::tone {

// A slider that shows a short text beside its thumb while the user moves it, the way the exposure
// slider shows "E = 1.5".
class ThumbTextSlider : public QSlider {
    Q_OBJECT

public:
    explicit ThumbTextSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    QString ThumbText() const { return thumbText_; }
    // Stores the text and shows it next to the thumb.
    void SetThumbText(const QString& text);

private:
    QString thumbText_;
};

}  // namespace quorvel::tone
