// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewHistogram.h"

#include <QWidget>

namespace quorvel::imaging {

class ImageControl;

// A translucent histogram in the top-left corner of a picture panel: luminance and the three
// colour channels of what the panel shows, with the shares of pixels clipped to black and to
// white beside it (also its accessible description, e.g. "2.1 % black, 0.4 % white"). It follows
// the panel's view, so it costs the panel's pixels, whatever the picture's size.
class HistogramOverlay : public QWidget {
    Q_OBJECT

public:
    explicit HistogramOverlay(ImageControl& panel);

    // The histogram of the panel's view as it is now (recounted when the view has changed).
    const ViewHistogram& Histogram();
    // "2.1 % black, 0.4 % white".
    static QString clippingText(const ViewHistogram& histogram);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString clippingText(const QString& blackPercent, const QString& whitePercent);
    void placeInCorner();

    ImageControl& panel_;
    ViewHistogram histogram_;
    qint64 countedView_ = -1;
};

}  // namespace quorvel::imaging
