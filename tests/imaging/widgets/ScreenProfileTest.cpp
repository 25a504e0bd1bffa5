// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayColour.h"
#include "IccProfiles.h"
#include "ScreenProfile.h"

#include <QGuiApplication>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace quorvel::imaging {
namespace {

// Publishes a screen profile on the root window as a colour-managed desktop does.
class PublishedProfile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb"));
        connection_ = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        constexpr char kName[] = "_ICC_PROFILE";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof kName - 1, kName), nullptr);
        ASSERT_NE(reply, nullptr);
        atom_ = reply->atom;
        std::free(reply);
    }

    void TearDown() override {
        std::free(
            xcb_request_check(connection_, xcb_delete_property_checked(connection_, root_, atom_)));
    }

    void publish(const QByteArray& bytes, xcb_atom_t type = XCB_ATOM_CARDINAL, int format = 8) {
        const xcb_void_cookie_t cookie = xcb_change_property_checked(
            connection_, XCB_PROP_MODE_REPLACE, root_, atom_, type, std::uint8_t(format),
            std::uint32_t(bytes.size() * 8 / format), bytes.constData());
        xcb_generic_error_t* error = xcb_request_check(connection_, cookie);
        EXPECT_EQ(error, nullptr);
        std::free(error);
    }

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t atom_ = XCB_ATOM_NONE;
};

TEST_F(PublishedProfile, IsReadByteForByteAndTakenForTheScreen) {
    const QByteArray profile = testing::gamma18Profile();
    publish(profile);
    const QByteArray read = screenProfile();
    EXPECT_EQ(read, profile);
    EXPECT_TRUE(setDisplayProfile(read));
    setDisplayProfile({});
}

// Profiles with large tables run to hundreds of kilobytes, far beyond one plain reply.
TEST_F(PublishedProfile, LargeOneIsReadWhole) {
    QByteArray large(300 * 1024, '\0');
    for (qsizetype i = 0; i < large.size(); ++i) {
        large[i] = char(i * 7 % 251);
    }
    publish(large);
    EXPECT_EQ(screenProfile(), large);
}

TEST_F(PublishedProfile, NoneOrOfAnotherShapeIsNoProfile) {
    EXPECT_TRUE(screenProfile().isEmpty());
    publish(testing::gamma18Profile(), XCB_ATOM_STRING);
    EXPECT_TRUE(screenProfile().isEmpty());
    publish(testing::gamma18Profile(), XCB_ATOM_CARDINAL, 32);
    EXPECT_TRUE(screenProfile().isEmpty());
}

}  // namespace
}  // namespace quorvel::imaging
