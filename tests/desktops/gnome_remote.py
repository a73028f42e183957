#!/usr/bin/python3
# Input for the GNOME Shell desktop tests, through Mutter's RemoteDesktop on the session bus
# (what remote-desktop servers use), and the shell's own answers through its Eval call.
#
#   gnome_remote.py click BUTTON X Y W H   BUTTON: left, middle or right; X Y on a W×H stage
#   gnome_remote.py nudge              a one-pixel move there and back (activity)
#   gnome_remote.py eval EXPRESSION    the shell's answer (needs its unsafe mode)
import sys

from gi.repository import Gio, GLib

BUTTONS = {"left": 0x110, "middle": 0x112, "right": 0x111}
bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(name, path, interface, method, signature=None, *args):
    parameters = GLib.Variant("(" + signature + ")", args) if signature else None
    return bus.call_sync(name, path, interface, method, parameters, None, 0, 5000, None).unpack()


def session():
    (path,) = call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                   "org.gnome.Mutter.RemoteDesktop", "CreateSession")
    act = lambda method, signature=None, *args: call(
        "org.gnome.Mutter.RemoteDesktop", path, "org.gnome.Mutter.RemoteDesktop.Session", method, signature, *args)
    act("Start")
    return act


command, arguments = sys.argv[1], sys.argv[2:]
if command == "eval":
    ok, answer = call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval", "s", arguments[0])
    print(answer)
    sys.exit(0 if ok else 1)
act = session()
if command == "click":
    # Relative motion only: to the bottom right corner first (the top left one opens the
    # overview), then to the point.
    x, y, width, height = (float(a) for a in arguments[1:5])
    act("NotifyPointerMotionRelative", "dd", 10000.0, 10000.0)
    act("NotifyPointerMotionRelative", "dd", x - (width - 1), y - (height - 1))
    for pressed in (True, False):
        act("NotifyPointerButton", "ib", BUTTONS[arguments[0]], pressed)
elif command == "nudge":
    act("NotifyPointerMotionRelative", "dd", 1.0, 0.0)
    act("NotifyPointerMotionRelative", "dd", -1.0, 0.0)
else:
    sys.exit("unknown command " + command)
act("Stop")
