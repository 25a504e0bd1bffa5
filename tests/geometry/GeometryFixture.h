#pragma once

#include "ImageControl.h"
#include "Main.h"
#include "QImageConversion.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::geometry {

// Answers every message box with OK and records "title: text", so that a message never blocks a
// test.
class MessageRecorder : public QTimer {
public:
    MessageRecorder() {
        connect(this, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.append(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        start(10);
    }

    std::string all() const { return seen.join(u'\n').toStdString(); }

    QStringList seen;
};

inline void pressOk(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// The main window with a picture opened from a file.
class GeometryFixture : public ::testing::Test {
protected:
    void SetUp() override { window_.Form_Load(""); }

    void load(const imaging::Bitmap& picture) {
        const QString path = dir_.filePath("picture.png");
        ASSERT_TRUE(imaging::toQImage(picture).save(path));
        window_.LoadFromCommandLine(path);
        ASSERT_FALSE(working().isNull());
    }

    // A user's drag of the exposure slider.
    void correctTo(int position) { window_.Slider1()->setSliderPosition(position); }

    imaging::Bitmap working() const { return window_.LEAD1()->Bitmap(); }
    imaging::Bitmap base() const { return window_.LEAD3()->Bitmap(); }
    QSize workingSize() const { return {working().width(), working().height()}; }

    // What every geometry command leaves: the working picture as the base, the slider at neutral.
    void expectRebased() const {
        EXPECT_EQ(window_.Slider1()->value(), 20);
        EXPECT_EQ(window_.ExposureActive(), 0.0f);
        EXPECT_TRUE(samePixels(base(), working()));
    }

    // What a failed or cancelled command leaves: everything as it was after correcting to 12.
    void expectUntouched(const imaging::Bitmap& corrected, const imaging::Bitmap& loaded) const {
        EXPECT_TRUE(working().sharesPixelsWith(corrected));
        EXPECT_TRUE(base().sharesPixelsWith(loaded));
        EXPECT_EQ(window_.Slider1()->value(), 12);
        EXPECT_EQ(window_.ExposureActive(), 1.0f);
    }

    QTemporaryDir dir_;
    app::Main window_;
    MessageRecorder messages_;
};

}  // namespace quorvel::geometry
