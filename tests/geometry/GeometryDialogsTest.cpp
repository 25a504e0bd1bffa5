#include "GeometryFixture.h"

#include "ModalDialogs.h"
#include "ResizeDialog.h"
#include "RotateDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLocale>
#include <QSpinBox>
#include <QTest>

namespace quorvel::geometry {
namespace {

using imaging::Bitmap;
using imaging::PixelLayout;

template <typename Child>
Child* field(QWidget* dialog, const char* name) {
    return dialog->findChild<Child*>(QLatin1String(name));
}

// Replaces what a spin box shows, keystroke by keystroke.
void typeInto(QAbstractSpinBox* box, double value) {
    box->selectAll();
    QTest::keyClicks(box, QLocale().toString(value, 'f', qobject_cast<QSpinBox*>(box) ? 0 : 2));
}

struct DialogCase {
    const char* name;
    QPushButton* (app::Main::*button)() const;
};

void PrintTo(const DialogCase& dialog, std::ostream* out) {
    *out << dialog.name;
}

class CancelledDialog : public GeometryFixture, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(CancelledDialog, ChangesNothingAndShowsNothing) {
    load(testing::patternBitmap(6, 4, PixelLayout::Rgb));
    const Bitmap loaded = working();
    correctTo(12);
    const Bitmap corrected = working();

    QString shown;
    testing::whenModalAppears([&](QWidget* dialog) {
        shown = dialog->objectName();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    (window_.*GetParam().button)()->click();
    EXPECT_EQ(shown.toStdString(), GetParam().name);
    expectUntouched(corrected, loaded);
    EXPECT_EQ(messages_.all(), "");
}

INSTANTIATE_TEST_SUITE_P(Dialogs, CancelledDialog,
                         ::testing::Values(DialogCase{"ResizeDialog", &app::Main::Resize},
                                           DialogCase{"RotateDialog", &app::Main::Rotate}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GeometryFixture, TheRotateDialogRebasesAndOpensAtZeroAndWhiteEveryTime) {
    load(testing::solidBitmap(40, 20, PixelLayout::Rgb, 0, 0, 200));
    correctTo(12);
    const Bitmap corrected = working();
    testing::whenModalAppears(pressOk);
    window_.Rotate()->click();
    EXPECT_TRUE(samePixels(working(), corrected));
    expectRebased();

    testing::whenModalAppears([](QWidget* dialog) {
        typeInto(field<QDoubleSpinBox>(dialog, "angle"), 45);
        testing::whenModalAppears([](QWidget* picker) {
            qobject_cast<QColorDialog*>(picker)->setCurrentColor(Qt::red);
            pressOk(picker);
        });
        field<QPushButton>(dialog, "fillColor")->click();
        pressOk(dialog);
    });
    window_.Rotate()->click();
    EXPECT_GT(working().height(), 40);
    EXPECT_EQ(testing::pixelAt(working(), 0, 0), QColor(Qt::red));

    double shownAngle = -1;
    testing::whenModalAppears([&](QWidget* dialog) {
        shownAngle = field<QDoubleSpinBox>(dialog, "angle")->value();
        typeInto(field<QDoubleSpinBox>(dialog, "angle"), 45);
        pressOk(dialog);
    });
    window_.Rotate()->click();
    EXPECT_EQ(shownAngle, 0.0);
    EXPECT_EQ(testing::pixelAt(working(), 0, 0), QColor(Qt::white));
    EXPECT_EQ(messages_.all(), "");
}

TEST_F(GeometryFixture, AWidthAbove32767EndsInTheOverflowMessage) {
    load(testing::patternBitmap(40, 30, PixelLayout::Rgb));
    const Bitmap loaded = working();
    correctTo(12);
    const Bitmap corrected = working();

    testing::whenModalAppears([](QWidget* dialog) {
        typeInto(field<QSpinBox>(dialog, "widthPixels"), 40000);
        pressOk(dialog);
    });
    window_.Resize()->click();
    EXPECT_EQ(messages_.all(), "Quorvel: Quorvel 6\rOverflow");
    expectUntouched(corrected, loaded);
}

TEST_F(GeometryFixture, TheResizeDialogAppliesPercentAndResampling) {
    load(testing::patternBitmap(4, 2, PixelLayout::Rgb));
    const Bitmap loaded = working();
    int presetFlags = -1;
    testing::whenModalAppears([&](QWidget* dialog) {
        auto* resampling = field<QComboBox>(dialog, "resampling");
        presetFlags = resampling->currentData().toInt();
        resampling->setCurrentIndex(resampling->findData(0));
        typeInto(field<QDoubleSpinBox>(dialog, "widthPercent"), 300);
        pressOk(dialog);
    });
    window_.Resize()->click();
    EXPECT_EQ(presetFlags, 4);
    // Nearest neighbour repeats each pixel three times either way; Qt does the same independently.
    const QImage repeated = imaging::toQImage(loaded).scaled(12, 6);
    EXPECT_TRUE(samePixels(working(), imaging::fromQImage(repeated)));
    expectRebased();
}

TEST(ResizeDialogTest, KeepsTheRatioUntilUnlocked) {
    imaging::ResizeDialog dialog(QSize(1001, 601), 4);
    auto* width = field<QSpinBox>(&dialog, "widthPixels");
    auto* height = field<QSpinBox>(&dialog, "heightPixels");
    typeInto(width, 500);
    EXPECT_EQ(height->value(), 300);  // 601 * 500 / 1001 = 300.2
    EXPECT_EQ(field<QDoubleSpinBox>(&dialog, "widthPercent")->value(), 49.95);

    QTest::keyClick(field<QCheckBox>(&dialog, "keepAspectRatio"), Qt::Key_Space);
    typeInto(width, 100);
    EXPECT_EQ(QSize(dialog.NewWidth(), dialog.NewHeight()), QSize(100, 300));
}

TEST(RotateDialogTest, ThePreviewFollowsTheAngleWithinItsBox) {
    imaging::RotateDialog dialog(testing::patternBitmap(1000, 500, PixelLayout::Rgb), 0, 0xFFFFFF,
                                 true);
    auto* preview = field<QLabel>(&dialog, "preview");
    const auto shown = [&] { return preview->pixmap().deviceIndependentSize().toSize(); };
    EXPECT_EQ(shown(), QSize(200, 100));

    typeInto(field<QDoubleSpinBox>(&dialog, "angle"), 90);
    EXPECT_EQ(shown(), QSize(100, 200));
    EXPECT_EQ(dialog.RotateAngle(), 9000);
    typeInto(field<QDoubleSpinBox>(&dialog, "angle"), -12.34);
    EXPECT_EQ(dialog.RotateAngle(), -1234);
}

}  // namespace
}  // namespace quorvel::geometry
