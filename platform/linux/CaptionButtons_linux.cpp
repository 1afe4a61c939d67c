#include "platform/CaptionButtons.h"

#include <QGuiApplication>
#include <QWidget>

#if TARVELL_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// The Motif window-manager hints, as every X11 window manager reads them.
enum : uint32_t {
    HintFunctions = 1,
    HintDecorations = 2,
    FuncMove = 4,
    FuncClose = 32,
    DecorBorder = 2,
    DecorTitle = 8,
    DecorMenu = 16,
};

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

// The name the running window manager gives itself.
QByteArray managerName(xcb_connection_t* c, xcb_window_t root) {
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t wm = XCB_WINDOW_NONE;
    if (r && xcb_get_property_value_length(r) == 4)
        wm = *static_cast<xcb_window_t*>(xcb_get_property_value(r));
    std::free(r);
    if (wm == XCB_WINDOW_NONE)
        return {};
    xcb_get_property_reply_t* n = xcb_get_property_reply(
        c, xcb_get_property(c, 0, wm, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 0, 64),
        nullptr);
    QByteArray name;
    if (n)
        name = QByteArray(static_cast<const char*>(xcb_get_property_value(n)),
                          xcb_get_property_value_length(n));
    std::free(n);
    return name;
}

} // namespace

void AskForCaptionButtons(QWidget* window, TvxCaptionButtons buttons) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const auto win = xcb_window_t(window->winId());
    const bool close = buttons == TvxCaptionButtons::CloseBox;
    const uint32_t hints[5] = {HintFunctions | HintDecorations,
                               FuncMove | (close ? uint32_t(FuncClose) : 0u),
                               DecorBorder | DecorTitle | (close ? uint32_t(DecorMenu) : 0u), 0, 0};
    const xcb_atom_t motif = atom(c, "_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, motif, motif, 32, 5, hints);
    // Openbox keeps every button whatever the Motif hints say, but gives a
    // toolbar no minimise or maximise: a window that wants no button is the
    // nearest thing there (the close box stays, and is refused).
    if (!close) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        if (screen && managerName(c, screen->root) == "Openbox") {
            const xcb_atom_t types[] = {atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                                        atom(c, "_NET_WM_WINDOW_TYPE_UTILITY")};
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, atom(c, "_NET_WM_WINDOW_TYPE"),
                                XCB_ATOM_ATOM, 32, 2, types);
        }
    }
    xcb_flush(c);
}

#else

// Without xcb at build time the window manager gets what Qt asks for.
void AskForCaptionButtons(QWidget*, TvxCaptionButtons) {}

#endif
