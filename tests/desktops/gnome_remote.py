#!/usr/bin/python3
# Input for the GNOME Shell desktop tests, through Mutter's RemoteDesktop on the session bus
# (what remote-desktop servers use), and the shell's own answers through its Eval call.
#
#   gnome_remote.py eval EXPRESSION    the shell's answer (needs its unsafe mode)
#   gnome_remote.py serve IN OUT       one remote-desktop session for the whole test (while it
#                                      runs the shell shows its indicator in the top bar, so the
#                                      bar keeps one layout): reads commands from the FIFO IN,
#                                      answers "ok" or the error on the FIFO OUT:
#     click BUTTON X Y   BUTTON: left, middle or right; X Y on the stage
#     nudge              a one-pixel move there and back (activity)
import json
import sys
import time

from gi.repository import Gio, GLib

BUTTONS = {"left": 0x110, "middle": 0x112, "right": 0x111}
bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(name, path, interface, method, signature=None, *args):
    parameters = GLib.Variant("(" + signature + ")", args) if signature else None
    return bus.call_sync(name, path, interface, method, parameters, None, 0, 5000, None).unpack()


def shell(expression):
    return call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval", "s", expression)


def session():
    (path,) = call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                   "org.gnome.Mutter.RemoteDesktop", "CreateSession")
    act = lambda method, signature=None, *args: call(
        "org.gnome.Mutter.RemoteDesktop", path, "org.gnome.Mutter.RemoteDesktop.Session", method, signature, *args)
    act("Start")
    return act


def click(act, button, x, y):
    # Relative motion only, which the pointer's acceleration bends: moved again from where the
    # shell says the pointer is, until it is there.
    for _ in range(10):
        at_x, at_y = (int(v) for v in shell("global.get_pointer().slice(0, 2).join(' ')")[1].strip('"').split())
        if (at_x, at_y) == (x, y):
            break
        act("NotifyPointerMotionRelative", "dd", float(x - at_x), float(y - at_y))
    else:
        raise RuntimeError("the pointer did not reach %d,%d" % (x, y))
    # As a hand would: the shell picks the actor under the pointer on its next frame.
    for pressed in (True, False):
        time.sleep(0.2)
        act("NotifyPointerButton", "ib", BUTTONS[button], pressed)


def serve(commands, answers):
    act = session()
    while True:
        with open(commands) as source:
            lines = source.read().splitlines()
        for line in lines:
            words = line.split()
            try:
                if words[0] == "click":
                    click(act, words[1], int(words[2]), int(words[3]))
                elif words[0] == "nudge":
                    act("NotifyPointerMotionRelative", "dd", 1.0, 0.0)
                    act("NotifyPointerMotionRelative", "dd", -1.0, 0.0)
                elif words[0] == "stop":
                    act("Stop")
                    return
                else:
                    raise RuntimeError("unknown command " + words[0])
                answer = "ok"
            except Exception as error:  # the test reads why
                answer = str(error).replace("\n", " ")
            with open(answers, "w") as sink:
                sink.write(answer + "\n")


if sys.argv[1] == "eval":
    ok, answer = shell(sys.argv[2])
    # The shell answers in JSON: a string is printed as itself.
    value = json.loads(answer) if ok and answer else answer
    print(value if isinstance(value, str) else answer)
    sys.exit(0 if ok else 1)
elif sys.argv[1] == "serve":
    serve(sys.argv[2], sys.argv[3])
else:
    sys.exit("usage: gnome_remote.py eval EXPRESSION | serve IN OUT")
