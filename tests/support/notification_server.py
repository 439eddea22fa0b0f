#!/usr/bin/env python3
"""A stand-in desktop notification server for tests: owns org.freedesktop.Notifications on the
session bus and appends each Notify call to a file as one JSON line
({"id", "app_name", "replaces_id", "summary", "body", "timeout"}). It writes "ready" to stdout
once it owns the name.

Usage: notification_server.py <record file>"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus, record):
        super().__init__(bus, PATH)
        self.record = record
        self.next_id = 1

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app_name, replaces_id, icon, summary, body, actions, hints, timeout):
        notice_id = int(replaces_id) or self.next_id
        self.next_id += 1
        with open(self.record, "a", encoding="utf-8") as f:
            f.write(json.dumps({"id": notice_id, "app_name": str(app_name), "replaces_id": int(replaces_id),
                                "summary": str(summary), "body": str(body), "timeout": int(timeout)}) + "\n")
        return notice_id

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, in_signature="u", out_signature="")
    def CloseNotification(self, notice_id):
        pass

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("test-notifications", "delvix", "1.0", "1.2")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    server = Server(bus, sys.argv[1])
    print("ready", flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
