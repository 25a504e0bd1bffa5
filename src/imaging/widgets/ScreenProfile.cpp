// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenProfile.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace quorvel::imaging {
namespace {

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeDeleter>;

// Far above any real display profile (a few kilobytes), low enough that a broken desktop cannot
// make the program read megabytes; counted in 32-bit units, as X counts property lengths.
constexpr std::uint32_t kMaxProfileWords = 4 * 1024 * 1024 / 4;

}  // namespace

QByteArray screenProfile() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return {};
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return {};
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) {
        return {};
    }
    constexpr char kName[] = "_ICC_PROFILE";
    const ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return {};
    }
    const ReplyPtr<xcb_get_property_reply_t> property(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, screen->root, atom->atom,
                                                XCB_ATOM_CARDINAL, 0, kMaxProfileWords),
                               nullptr));
    if (!property || property->type != XCB_ATOM_CARDINAL || property->format != 8 ||
        property->bytes_after != 0) {
        return {};
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(property.get())),
                      xcb_get_property_value_length(property.get()));
}

}  // namespace quorvel::imaging
