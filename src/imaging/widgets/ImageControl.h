// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"
#include "ImageFile.h"
#include "PixelOps.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

namespace quorvel::imaging {

class RemapJob;
class RemapWorker;

// The image widget: holds one picture, paints it fitted or at actual size, and runs the pixel
// operations on it. Operations that fail throw ImagingError and leave the picture as it was.
class ImageControl : public QWidget {
    Q_OBJECT

public:
    // DisplayScaling values.
    static constexpr int kActualSize = 0;
    static constexpr int kFit = 3;
    // Mouse button codes of MouseDown.
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 2;
    static constexpr int kMiddleButton = 4;
    // ResizeImage flags: 0 nearest neighbour, 2 bilinear, 4 (or any value with bit 4) high quality.
    static constexpr short kResizeBilinear = 2;
    static constexpr short kResizeHighQuality = 4;

    explicit ImageControl(QWidget* parent = nullptr);
    ~ImageControl() override;

    // The held picture; assigning stores an independent copy (the pixels are immutable). After
    // ApplyRemap, reading it waits for the remap (or makes it) if it is not finished yet.
    imaging::Bitmap Bitmap() const;
    // Whether Bitmap() is a picture, without waiting for a remap.
    bool HasPicture() const { return !bitmap_.isNull(); }
    void SetBitmap(const imaging::Bitmap& bitmap);

    bool RepaintEnabled() const { return repaintEnabled_; }
    // False freezes what is shown; True shows the current picture with one repaint.
    void SetRepaintEnabled(bool enabled);

    float ImageWidth() const { return float(bitmap_.width()); }
    float ImageHeight() const { return float(bitmap_.height()); }

    int DisplayScaling() const { return displayScaling_; }
    void SetDisplayScaling(int scaling);

    void QueryFileInfo(const QString& path, int page, int flags);
    float FileInfoWidth() const { return float(fileInfo_.width); }
    float FileInfoHeight() const { return float(fileInfo_.height); }
    const imaging::FileInfo& LastFileInfo() const { return fileInfo_; }

    void LoadFile(const QString& path, short bitsPerPixel, int page, int pageCount);

    void ComputeHistogram(short channel);
    std::uint32_t HistogramCount(int level) const;

    short RemapTableLength() const { return remapTableLength_; }
    void SetRemapTableLength(short length);
    std::int32_t RemapEntry(int index) const;
    void SetRemapEntry(int index, std::int32_t value);
    // The unrounded curve behind the entries (entry i in 0..1), through which a picture with 16
    // bits per channel is remapped (remapTable16 in PixelOps.h). SetRemapEntry(i, v) sets its
    // entry i to v / 255.
    const RemapCurve& RemapCurveEntries() const { return remapCurve_; }
    void SetRemapCurve(const RemapCurve& curve);
    // Replaces every value v of the selected channels by RemapEntry(v) (16-bit pictures: through
    // the curve); entries must lie in 0..255.
    // Returns at once: the panel shows the remapped fitted view straight away, the picture itself
    // is remapped in the background (a new remap or picture abandons it) and then shown exactly.
    // A remap that fails for want of memory leaves the picture as it was.
    void ApplyRemap(short channel);
    // False while a remap is still being made or the panel does not show its exact result yet.
    bool IsSettled() const;

    // The whole-pixel size is the rounded request (half away from zero). A request below one
    // pixel throws 20011, a result over the pixel budget 20001; the picture then stays as it was.
    void ResizeImage(float width, float height, short flags);
    // Angle in hundredths of a degree clockwise; fill is a 0x00BBGGRR value.
    void RotateImage(std::int32_t angle, bool growCanvas, std::uint32_t fillColor);
    void FlipImage();
    void MirrorImage();
    // Writes the picture (see saveImageFile in ImageSave.h for formats, depths and the quality
    // factor); 0 when written, else the imaging error code. Never throws.
    short SaveImage(const QString& path, short format, short bitsPerPixel, short qFactor,
                    bool multiPage);

    // Stock look: Appearance 1 three-dimensional, 0 flat; BorderStyle 1 single line, 0 none;
    // BackColor 0x00BBGGRR behind and around the picture; AutoSize is stored only.
    int Appearance() const { return appearance_; }
    void SetAppearance(int appearance);
    short BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(short style);
    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t color);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // Numbered display options; the control stores them and gives them no further meaning.
    int ImageOption(int number) const;
    void SetImageOption(int number, int value);

    // Top-left corner of the picture in actual-size mode, for panning (clamped to the picture).
    QPoint ScrollPosition() const { return scroll_; }
    void SetScrollPosition(QPoint position);
    // How far SetScrollPosition can move: the picture's size beyond the visible area (the
    // contents rectangle less the border), never negative.
    QSize ScrollRange() const;

    // What paintEvent draws the picture from: cached, rebuilt only after a change.
    QImage DisplayedView() const;

Q_SIGNALS:
    void Click();
    void MouseDown(int button, int shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const imaging::Bitmap& requireBitmap() const;
    void replaceBitmap(imaging::Bitmap bitmap);
    void abandonRemap();
    void submitRemap(const std::shared_ptr<RemapJob>& job);
    void showCurrentPicture();
    void takeFinishedRemap(const std::shared_ptr<RemapJob>& job);
    // Turns a pending remap into the picture it makes.
    void settleRemap() const;
    QRect viewportRect() const;
    QSize viewportSize() const;
    void rebuildViewIfStale() const;

    // Until a pending remap is settled, bitmap_ is its source.
    mutable imaging::Bitmap bitmap_;
    mutable std::shared_ptr<RemapJob> pendingRemap_;
    bool pendingSubmitted_ = false;
    std::unique_ptr<RemapWorker> remapWorker_;
    // What the panel shows: follows bitmap_ and its pending remap only while repainting is
    // enabled.
    mutable imaging::Bitmap displayed_;
    mutable std::shared_ptr<RemapJob> displayedRemap_;
    imaging::FileInfo fileInfo_;
    Histogram histogram_{};
    std::array<std::int32_t, 256> remap_{};
    RemapCurve remapCurve_ = identityCurve();
    short remapTableLength_ = 256;
    bool repaintEnabled_ = true;
    int displayScaling_ = kFit;
    int appearance_ = 1;
    short borderStyle_ = 1;
    std::uint32_t backColor_ = 0xFFFFFF;
    bool autoSize_ = false;
    std::map<int, int> imageOptions_;
    QPoint scroll_;
    bool pressed_ = false;

    // The painted view and what it was built from; rebuilt lazily when any of them changes.
    mutable QImage view_;
    mutable imaging::Bitmap viewSource_;
    mutable std::shared_ptr<RemapJob> viewRemap_;
    mutable QSize viewViewport_;
    mutable int viewScaling_ = -1;
    mutable QPoint viewScroll_;
};

}  // namespace quorvel::imaging
