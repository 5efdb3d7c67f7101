#!/usr/bin/python3
"""Drags files onto the X window under a screen point and drops them there,
as a file manager does (the XDND protocol, version 5), for the end-to-end
tests: the drop reaches the program the way a user's does.

    xdnd-drop.py RESULT X Y PATH...

The pointer is moved to X, Y with xdotool first. The window under it that
takes XDND drops is sent XdndEnter, XdndPosition and, once it answers with
XdndStatus, XdndDrop; the paths are handed over as text/uri-list when the
window asks for the selection. RESULT is written at the end, one line:
"accepted N finished N" (N 0 or 1) or "failed: why".
"""

import subprocess
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display, protocol

PATIENCE = 60.0  # seconds for each answer of the target, which may be busy


def uri_list(paths):
    return "".join("file://" + urllib.parse.quote(path) + "\r\n" for path in paths).encode()


class DragSource:
    def __init__(self, paths):
        self.display = display.Display()
        self.root = self.display.screen().root
        self.window = self.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self.data = uri_list(paths)
        atom = lambda name: self.display.intern_atom(name)
        self.atoms = {name: atom(name) for name in (
            "XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop",
            "XdndFinished", "XdndLeave", "XdndActionCopy", "XdndTypeList", "text/uri-list", "TARGETS")}
        self.window.set_selection_owner(self.atoms["XdndSelection"], X.CurrentTime)
        self.display.flush()

    def wait_for_pointer(self, x, y):
        give_up = time.monotonic() + PATIENCE
        while time.monotonic() < give_up:
            pointer = self.root.query_pointer()
            if (pointer.root_x, pointer.root_y) == (x, y):
                return
            time.sleep(0.01)
        raise RuntimeError("the pointer did not come to %d, %d" % (x, y))

    def target_under(self, x, y):
        """The deepest window under the point that says it takes XDND drops."""
        found = None
        window = self.root
        while window:
            aware = window.get_full_property(self.atoms["XdndAware"], Xatom.ATOM)
            if aware is not None:
                found = (window, min(5, aware.value[0]))
            child = window.query_pointer().child
            window = child if child else None
        return found

    def send(self, target, name, data):
        event = protocol.event.ClientMessage(window=target, client_type=self.atoms[name],
                                             data=(32, (data + [0] * 5)[:5]))
        target.send_event(event, event_mask=0)
        self.display.flush()

    def answer(self, request):
        """Gives the selection as the target asks for it."""
        property_ = request.property or request.target
        if request.target == self.atoms["TARGETS"]:
            request.requestor.change_property(property_, Xatom.ATOM, 32, [self.atoms["text/uri-list"]])
        elif request.target == self.atoms["text/uri-list"]:
            request.requestor.change_property(property_, self.atoms["text/uri-list"], 8, self.data)
        else:
            property_ = X.NONE
        notify = protocol.event.SelectionNotify(time=request.time, requestor=request.requestor,
                                                selection=request.selection, target=request.target,
                                                property=property_)
        request.requestor.send_event(notify)
        self.display.flush()

    def wait_for(self, name):
        """Answers selection requests until the target's message comes."""
        give_up = time.monotonic() + PATIENCE
        while time.monotonic() < give_up:
            while self.display.pending_events():
                event = self.display.next_event()
                if event.type == X.SelectionRequest:
                    self.answer(event)
                elif event.type == X.ClientMessage and event.client_type == self.atoms[name]:
                    return event
            time.sleep(0.005)
        return None

    def drop(self, x, y):
        found = self.target_under(x, y)
        if found is None:
            return "failed: no window takes drops there"
        target, version = found
        me = self.window.id
        self.send(target, "XdndEnter", [me, version << 24, self.atoms["text/uri-list"]])
        self.send(target, "XdndPosition", [me, 0, (x << 16) | y, X.CurrentTime, self.atoms["XdndActionCopy"]])
        status = self.wait_for("XdndStatus")
        if status is None:
            return "failed: no XdndStatus"
        accepted = status.data[1][1] & 1
        if not accepted:
            self.send(target, "XdndLeave", [me])
            return "accepted 0 finished 0"
        self.send(target, "XdndDrop", [me, 0, X.CurrentTime])
        finished = self.wait_for("XdndFinished")
        return "accepted 1 finished %d" % (1 if finished is not None else 0)


def main():
    result, x, y, paths = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
    try:
        # Not --sync: it waits for a move, and the pointer may be there already.
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True, timeout=PATIENCE)
        source = DragSource(paths)
        source.wait_for_pointer(x, y)
        outcome = source.drop(x, y)
    except Exception as error:  # the test reads why
        outcome = "failed: %s" % error
    with open(result, "w") as out:
        out.write(outcome + "\n")


if __name__ == "__main__":
    main()
