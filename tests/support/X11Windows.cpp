#include "X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <functional>

namespace {

int ignoreXErrors(Display *, XErrorEvent *) { return 0; }

bool isPelmix(Display *display, Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return false;
    const bool pelmix = qstricmp(hint.res_name, "pelmix") == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return pelmix;
}

QString windowName(Display *display, Window window)
{
    // The UTF-8 name, as window managers show it; WM_NAME holds only Latin-1.
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *utf8 = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &after, &utf8) == Success &&
        utf8) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(utf8), int(count));
        XFree(utf8);
        if (!name.isEmpty())
            return name;
    }
    XTextProperty property{};
    if (!XGetWMName(display, window, &property) || !property.value)
        return {};
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(property.value), int(property.nitems));
    XFree(property.value);
    return name;
}

} // namespace

Display *openInspectingDisplay(const QByteArray &displayName)
{
    XSetErrorHandler(ignoreXErrors);
    return XOpenDisplay(displayName.constData());
}

QList<X11Window> pelmixWindows(Display *display)
{
    XSync(display, False);
    const Window tray = XGetSelectionOwner(display, XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False));
    QList<X11Window> result;
    std::function<void(Window, bool)> visit = [&](Window window, bool inTray) {
        inTray = inTray || (tray != 0 && window == tray);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
                isPelmix(display, children[i])) {
                int x = 0, y = 0;
                Window child = 0;
                XTranslateCoordinates(display, children[i], root, 0, 0, &x, &y, &child);
                result.append({children[i], QRect(x, y, attributes.width, attributes.height),
                               windowName(display, children[i]), inTray});
            }
            visit(children[i], inTray);
        }
        if (children)
            XFree(children);
    };
    visit(DefaultRootWindow(display), false);
    return result;
}
