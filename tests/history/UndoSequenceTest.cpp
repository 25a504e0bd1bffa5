// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ExpectedCorrection.h"
#include "Geometry.h"
#include "ImageControl.h"
#include "Main.h"
#include "PixelOps.h"
#include "QImageConversion.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"
#include "ToneCurve.h"
#include "UndoCommands.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel::history {
namespace {

using quorvel::testing::PrintTo;

using imaging::Bitmap;

// What the window must show after a sequence, in terms of the picture as loaded.
struct Expected {
    Bitmap working;
    int position;
    float active;
    bool dynamicRange;
    QString thumbText;
};

class Sequencer;
using Expectation = std::function<Expected(Sequencer&)>;

struct Sequence {
    const char* name;
    // Words: "drag N", "keys N" (N presses of Page Up in one burst), "D", "90", "half",
    // "restore", "undo", "redo" (Ctrl+Shift+Z), "redoY" (Ctrl+Y), "menuUndo", "menuRedo".
    const char* steps;
    Expectation expected;
};

class Sequencer {
public:
    Sequencer() {
        window.Form_Load("");
        window.show();
        window.activateWindow();
        const Bitmap picture = testing::patternBitmap(60, 40, imaging::PixelLayout::Rgb);
        imaging::toQImage(picture).save(dir.filePath("picture.png"));
        window.LoadFromCommandLine(dir.filePath("picture.png"));
        loaded = window.LEAD1()->Bitmap();
    }

    bool run(const std::string& steps) {
        if (!QTest::qWaitForWindowActive(&window)) {
            return false;
        }
        const std::map<std::string, std::function<void()>> actions{
            {"D", [&] { window.ContrastX()->click(); }},
            {"90", [&] { window.Rotate90()->click(); }},
            {"half", [&] { window.Resize3()->click(); }},
            {"restore", [&] { window.RestoreAction()->trigger(); }},
            {"undo", [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier); }},
            {"redo",
             [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }},
            {"redoY", [&] { QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier); }},
            {"menuUndo", [&] { window.UndoCommands()->UndoAction()->trigger(); }},
            {"menuRedo", [&] { window.UndoCommands()->RedoAction()->trigger(); }}};
        std::istringstream words(steps);
        for (std::string word; words >> word;) {
            int count = 0;
            if (word == "drag" && words >> count) {
                window.Slider1()->setSliderDown(true);
                window.Slider1()->setSliderPosition(count);
                window.Slider1()->setSliderDown(false);
            } else if (word == "keys" && words >> count) {
                for (int i = 0; i < count; ++i) {
                    QTest::keyClick(window.Slider1(), Qt::Key_PageUp);
                }
            } else if (actions.contains(word)) {
                actions.at(word)();
            } else {
                ADD_FAILURE() << "unknown step " << word;
            }
        }
        return true;
    }

    // The base corrected for the slider at `position`, in either mode, with the loaded
    // picture's histogram.
    Bitmap corrected(const Bitmap& base, int position, bool dynamicRange = false) const {
        return testing::expectedCorrection(
            base, window.LevelHistogram(), float((20 - position) / 10.0),
            dynamicRange ? tone::kDynamicRangeMode : tone::kExposureMode);
    }

    static Bitmap turned(const Bitmap& picture) {
        return imaging::rotated(picture, 9000, false, Qt::white);
    }

    static Bitmap halved(const Bitmap& picture) {
        return imaging::resized(picture, picture.width() / 3, picture.height() / 3,
                                imaging::Resampling::HighQuality);
    }

    QTemporaryDir dir;
    app::Main window;
    Bitmap loaded;
};

// The window as loading leaves it: nothing corrected, the slider at the middle.
Expected asLoaded(Sequencer& s) {
    return {s.loaded, 20, 0.0f, false, QString()};
}

// The loaded picture corrected by a move to `position`, with `thumbText` beside the thumb; in the
// dynamic range mode when `dynamicRange`, the D button still down when `buttonDown`.
Expectation movedTo(int position, const char* thumbText, bool dynamicRange = false,
                    bool buttonDown = false) {
    return [=](Sequencer& s) {
        return Expected{s.corrected(s.loaded, position, dynamicRange), position, 1.0f, buttonDown,
                        thumbText};
    };
}

const Sequence kSequences[] = {
    {"MoveUndo", "drag 10 undo", asLoaded},
    {"RedoWithCtrlY", "drag 10 undo redoY", movedTo(10, "E = 1")},
    {"MoveTurnUndoKeepsTheCorrectionAndItsBase", "drag 10 90 undo", movedTo(10, "E = 1")},
    {"AfterUndoTheNextMoveStartsFromTheRestoredBase", "drag 10 90 undo drag 15",
     movedTo(15, "E = 0.5")},
    {"AMoveAfterUndoForgetsTheRedo", "drag 10 90 undo drag 15 redo", movedTo(15, "E = 0.5")},
    {"RedoTheTurnThenMoveCorrectsTheTurnedPicture", "drag 10 90 undo redo drag 15",
     [](Sequencer& s) {
         return Expected{s.corrected(Sequencer::turned(s.corrected(s.loaded, 10)), 15), 15, 1.0f,
                         false, "E = 0.5"};
     }},
    {"TwoUndosGoBackToTheLoadedPicture", "drag 10 90 undo undo", asLoaded},
    {"UndoRestore", "drag 10 90 restore undo",
     [](Sequencer& s) {
         return Expected{Sequencer::turned(s.corrected(s.loaded, 10)), 20, 0.0f, false, "E = 1"};
     }},
    {"RestoreUndoRedo", "drag 10 restore undo redo",
     [](Sequencer& s) {
         return Expected{s.loaded, 20, 0.0f, false, "E = 1"};
     }},
    {"UndoRestoreThenMoveUsesTheOldBase", "drag 10 restore undo drag 30", movedTo(30, "E = -1")},
    {"ASecondGestureIsASecondStep", "drag 10 drag 5 undo", movedTo(10, "E = 1")},
    {"AKeyBurstIsOneStep", "keys 3 undo", asLoaded},
    {"AKeyBurstAfterADragIsAStepOfItsOwn", "drag 30 keys 1 undo", movedTo(30, "E = -1")},
    {"TheDButtonAloneIsNoStep", "drag 10 D undo", asLoaded},
    {"TheDButtonIsPartOfEveryStep", "D drag 10 D drag 12 undo", movedTo(10, "E = 1", true)},
    {"UndoGivesBackTheDButtonOfItsStepAndTheNextMoveFollowsIt", "D drag 10 D undo drag 15",
     movedTo(15, "E = 0.5", true, true)},
    {"RedoGivesBackTheDButtonDown", "D drag 10 undo D redo drag 15",
     movedTo(15, "E = 0.5", true, true)},
    {"RedoGivesBackTheDButtonUp", "drag 10 undo D redo drag 15", movedTo(15, "E = 0.5")},
    {"MenuUndoThroughTwoGeometrySteps", "drag 10 half 90 menuUndo menuUndo", movedTo(10, "E = 1")},
    {"MenuRedoThroughTwoGeometrySteps", "drag 10 half 90 menuUndo menuUndo menuRedo menuRedo",
     [](Sequencer& s) {
         return Expected{Sequencer::turned(Sequencer::halved(s.corrected(s.loaded, 10))), 20, 0.0f,
                         false, "E = 1"};
     }},
    {"UndoWithNothingToUndoChangesNothing", "undo undo redo", asLoaded},
};

class UndoSequence : public ::testing::TestWithParam<Sequence> {};

TEST_P(UndoSequence, GivesBackTheWholeStateTogether) {
    Sequencer s;
    ASSERT_TRUE(s.run(GetParam().steps));
    const Expected expected = GetParam().expected(s);
    EXPECT_TRUE(imaging::samePixels(s.window.LEAD1()->Bitmap(), expected.working));
    EXPECT_EQ(s.window.Slider1()->value(), expected.position);
    EXPECT_EQ(s.window.ExposureActive(), expected.active);
    EXPECT_EQ(s.window.ContrastX()->isChecked(), expected.dynamicRange);
    EXPECT_EQ(s.window.Slider1()->ThumbText(), expected.thumbText);
    // The original panel never changes.
    EXPECT_TRUE(s.window.LEAD2()->Bitmap().sharesPixelsWith(s.loaded));
}

INSTANTIATE_TEST_SUITE_P(Sequences, UndoSequence, ::testing::ValuesIn(kSequences),
                         ::testing::PrintToStringParamName());

TEST(UndoCommands, ALoadStartsAFreshHistoryAndTheMenusOfferTheCommands) {
    Sequencer s;
    ASSERT_TRUE(s.run("drag 10 90"));
    EXPECT_TRUE(s.window.UndoCommands()->UndoAction()->isEnabled());
    s.window.LoadFromCommandLine(s.dir.filePath("picture.png"));
    EXPECT_FALSE(s.window.UndoCommands()->UndoAction()->isEnabled());
    EXPECT_FALSE(s.window.UndoCommands()->RedoAction()->isEnabled());
    for (const QWidget* panel :
         {static_cast<QWidget*>(s.window.LEAD1()), static_cast<QWidget*>(s.window.LEAD2())}) {
        EXPECT_EQ(panel->contextMenuPolicy(), Qt::ActionsContextMenu);
        for (const char* name : {"Undo", "Redo", "RestoreAction", "HistogramAction"}) {
            EXPECT_TRUE(panel->actions().contains(panel->window()->findChild<QAction*>(name)))
                << name;
        }
    }
}

}  // namespace
}  // namespace quorvel::history
