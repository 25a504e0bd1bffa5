#include "Main.h"

#include "ImageControl.h"
#include "ImageDialog.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "QtPrinters.h"
#include "TestImages.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace quorvel::app {
namespace {

using quorvel::testing::whenModalAppears;

// A 5 x 3 grey picture: 3 pixels at 0, 2 at 17, 4 at 128, 3 at 200, 3 at 255.
QImage knownLevels() {
    const int levels[] = {0, 17, 128, 128, 200, 0, 17, 128, 200, 255, 0, 128, 200, 255, 255};
    QImage image(5, 3, QImage::Format_RGB32);
    for (int i = 0; i < 15; ++i) {
        image.setPixelColor(i % 5, i / 5, QColor(levels[i], levels[i], levels[i]));
    }
    return image;
}

// Each pixel of a 5 x 3 picture stands for 1600 x 1200 / 15 = 128000 reference pixels.
tone::LevelHistogram expectedHistogram(const QImage& image) {
    tone::LevelHistogram expected{};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            expected[std::size_t(image.pixelColor(x, y).red())] += 128000.0;
        }
    }
    return expected;
}

QString withSuffixBeforeFirstDot(const QString& path) {
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    return dot < 0 ? path + "_M" : QString(path).insert(dot, "_M");
}

// What a user saw in a message box, and whether the pointer was still busy then.
struct SeenError {
    QString title;
    QString text;
    qsizetype buttonCount = 0;
    bool busyPointer = true;
};

void answerNextMessageBox(SeenError& seen) {
    whenModalAppears([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            ADD_FAILURE() << "expected a message box";
            modal->close();
            return;
        }
        seen = {box->windowTitle(), box->text(), box->buttons().size(),
                QApplication::overrideCursor() != nullptr};
        box->button(QMessageBox::Ok)->click();
    });
}

// Types `path` into the open dialog's name field and presses Enter, or cancels the dialog with
// Escape when `path` is empty. `beforeAnswer` runs while the dialog is still open.
void answerOpenDialog(
    const QString& path, std::function<void()> beforeAnswer = [] {}) {
    whenModalAppears([path, beforeAnswer](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            ADD_FAILURE() << "expected the open dialog";
            modal->close();
            return;
        }
        beforeAnswer();
        if (path.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        quorvel::testing::typeFileNameAndAccept(dialog, path);
    });
}

class ImageLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        window_.Form_Load("");
    }

    QString write(const QString& name) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(knownLevels().save(path, "PNG"));
        return path;
    }

    void expectCommandsEnabled(const Main& window, bool enabled) {
        for (QWidget* command : imageCommands(window)) {
            EXPECT_EQ(command->isEnabled(), enabled) << command->objectName().toStdString();
        }
    }

    QTemporaryDir dir_;
    Main window_;
};

TEST_F(ImageLoadingTest, CommandLineLoadShowsThePictureInBothPanelsAndTakesItsHistogram) {
    const QString path = write("levels.png");
    window_.Slider1()->setValue(33);
    window_.SetExposureActive(1.0f);
    QSignalSpy sliderMoves(window_.Slider1(), &QSlider::valueChanged);

    window_.LoadFromCommandLine(path);

    const QImage written = knownLevels();
    const imaging::Bitmap shown = window_.LEAD1()->Bitmap();
    ASSERT_EQ(QSize(shown.width(), shown.height()), written.size());
    for (int y = 0; y < written.height(); ++y) {
        for (int x = 0; x < written.width(); ++x) {
            EXPECT_EQ(testing::pixelAt(shown, x, y).rgb(), written.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_TRUE(imaging::samePixels(window_.LEAD2()->Bitmap(), shown));
    EXPECT_TRUE(imaging::samePixels(window_.LEAD3()->Bitmap(), shown));
    EXPECT_EQ(window_.windowTitle(), path);
    EXPECT_EQ(window_.LevelHistogram(), expectedHistogram(written));
    EXPECT_EQ(window_.LastExtension(), path.section(QLatin1Char('.'), 1, 1));
    EXPECT_EQ(window_.LEADDlg1()->FileName(), withSuffixBeforeFirstDot(path));
    EXPECT_EQ(window_.Slider1()->value(), 20);
    EXPECT_EQ(sliderMoves.count(), 0) << "the load moved the exposure";
    EXPECT_EQ(window_.ExposureActive(), 0.0f);
    expectCommandsEnabled(window_, true);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    window_.LoadFromCommandLine(path);
    EXPECT_EQ(window_.LevelHistogram(), expectedHistogram(written)) << "counts accumulated";
}

struct ArgumentCase {
    const char* name;
    bool quoted;
};

void PrintTo(const ArgumentCase& c, std::ostream* out) {
    *out << c.name;
}

class CommandLinePathTest : public ImageLoadingTest,
                            public ::testing::WithParamInterface<ArgumentCase> {};

TEST_P(CommandLinePathTest, PathWithSpacesAndNonAsciiLettersLoads) {
    const QString path = write(QString::fromUtf8("Strand bei Nørre Ålum – ß.png"));
    Main window;
    window.Form_Load(GetParam().quoted ? '"' + path + '"' : path);
    EXPECT_EQ(window.windowTitle(), path);
    EXPECT_EQ(window.LEAD1()->Bitmap().width(), 5);
    EXPECT_GE(window.ArgumentWordCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLinePathTest,
                         ::testing::Values(ArgumentCase{"Quoted", true},
                                           ArgumentCase{"Unquoted", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageLoadingTest, MissingFileOnTheCommandLineReportsAndWaitsEmpty) {
    const QString missing = dir_.filePath("no such picture.jpg");
    SeenError seen;
    answerNextMessageBox(seen);
    Main window;
    window.Form_Load(missing);

    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_EQ(seen.text, "VB Error: '20010' - File not found.");
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_FALSE(seen.busyPointer);
    EXPECT_EQ(window.windowTitle(), missing);
    EXPECT_TRUE(window.LEAD1()->Bitmap().isNull());
    EXPECT_TRUE(window.LEAD2()->Bitmap().isNull());
    expectCommandsEnabled(window, false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ImageLoadingTest, EmptyQuotedPathReportsBeforeTheTitleChanges) {
    SeenError seen;
    answerNextMessageBox(seen);
    Main window;
    window.Form_Load("\"\"");

    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_EQ(seen.text, "VB Error: '20008' - Invalid filename specified.");
    EXPECT_EQ(window.windowTitle(), "Quorvel Version 3.0");
    EXPECT_TRUE(window.LEAD1()->Bitmap().isNull());
    expectCommandsEnabled(window, false);
}

TEST_F(ImageLoadingTest, OpenDialogLoadsThePictureTheUserTypes) {
    const QString path = write("typed.png");
    answerOpenDialog(path);
    window_.LoadLead()->click();

    ASSERT_EQ(window_.LEAD1()->Bitmap().width(), 5);
    EXPECT_TRUE(imaging::samePixels(window_.LEAD2()->Bitmap(), window_.LEAD1()->Bitmap()));
    EXPECT_TRUE(imaging::samePixels(window_.LEAD3()->Bitmap(), window_.LEAD1()->Bitmap()));
    EXPECT_EQ(window_.windowTitle(), path);
    EXPECT_EQ(window_.LevelHistogram(), expectedHistogram(knownLevels()));
    EXPECT_EQ(window_.LEADDlg1()->FileName(), withSuffixBeforeFirstDot(path));
    expectCommandsEnabled(window_, true);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ImageLoadingTest, CancelledOpenDialogSaysNothingAndRestoresTheName) {
    window_.LEADDlg1()->SetFileName("/pictures/earlier_M.jpg");
    std::optional<UnexpectedModals> modals;
    answerOpenDialog({}, [&modals] { modals.emplace(); });
    window_.LoadLead()->click();

    ASSERT_TRUE(modals.has_value());
    EXPECT_TRUE(modals->titles.isEmpty()) << modals->titles.join(", ").toStdString();
    EXPECT_EQ(window_.LEADDlg1()->FileName(), "/pictures/earlier_M.jpg");
    EXPECT_TRUE(window_.LEAD1()->Bitmap().isNull());
    EXPECT_EQ(window_.windowTitle(), "Quorvel Version 3.0");
    expectCommandsEnabled(window_, false);
}

TEST_F(ImageLoadingTest, NonPictureFromTheDialogKeepsThePreviousPicture) {
    window_.LoadFromCommandLine(write("good.png"));
    const imaging::Bitmap previous = window_.LEAD1()->Bitmap();
    const QString suggested = window_.LEADDlg1()->FileName();
    const QString notes = dir_.filePath("notes.png");
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all\n");
    file.close();

    SeenError seen;
    answerOpenDialog(notes, [&seen] { answerNextMessageBox(seen); });
    window_.LoadLead()->click();

    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_EQ(seen.text, "Don't know the file format!");
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_FALSE(seen.busyPointer);
    EXPECT_TRUE(window_.LEAD1()->Bitmap().sharesPixelsWith(previous));
    EXPECT_TRUE(window_.LEAD2()->Bitmap().sharesPixelsWith(previous));
    EXPECT_EQ(window_.LEADDlg1()->FileName(), suggested);
    expectCommandsEnabled(window_, true);
}

}  // namespace
}  // namespace quorvel::app
