#!/usr/bin/python3
"""A D-Bus tray for the desktop tests: the item watcher with a panel (host)
registered, and the calls a panel makes on an item.

  status_notifier_watcher.py serve            owns the watcher; prints "ready PID"
  status_notifier_watcher.py items            waits for an item, prints each one
  status_notifier_watcher.py activate ITEM X Y
  status_notifier_watcher.py context-menu ITEM X Y
  status_notifier_watcher.py menu ITEM        prepares the item's menu as a panel
                                              does before showing it; prints one
                                              line per entry: LABEL<tab>enabled|disabled,
                                              or "-" for a separator
  status_notifier_watcher.py click ITEM LABEL chooses the entry with that label

Runs on the session bus of DBUS_SESSION_BUS_ADDRESS; needs python3-dbus-next.
"""
import asyncio
import os
import sys

from dbus_next import Message, MessageType, Variant
from dbus_next.aio import MessageBus
from dbus_next.service import PropertyAccess, ServiceInterface, dbus_property, method, signal

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM_INTERFACE = "org.kde.StatusNotifierItem"
MENU_INTERFACE = "com.canonical.dbusmenu"
WAIT_SECONDS = 5


class Watcher(ServiceInterface):
    def __init__(self):
        super().__init__(WATCHER)
        self.items = []

    @method()
    def RegisterStatusNotifierItem(self, service: "s"):
        if service not in self.items:
            self.items.append(service)
            self.StatusNotifierItemRegistered(service)

    @method()
    def RegisterStatusNotifierHost(self, service: "s"):
        self.StatusNotifierHostRegistered()

    @dbus_property(access=PropertyAccess.READ)
    def RegisteredStatusNotifierItems(self) -> "as":
        return self.items

    # This watcher is its own panel: a host is registered from the start.
    @dbus_property(access=PropertyAccess.READ)
    def IsStatusNotifierHostRegistered(self) -> "b":
        return True

    @dbus_property(access=PropertyAccess.READ)
    def ProtocolVersion(self) -> "i":
        return 0

    @signal()
    def StatusNotifierItemRegistered(self, service) -> "s":
        return service

    @signal()
    def StatusNotifierItemUnregistered(self, service) -> "s":
        return service

    @signal()
    def StatusNotifierHostRegistered(self):
        pass

    @signal()
    def StatusNotifierHostUnregistered(self):
        pass

    def owner_gone(self, name, old_owner, new_owner):
        if new_owner or name not in self.items:
            return
        self.items.remove(name)
        self.StatusNotifierItemUnregistered(name)


async def serve():
    bus = await MessageBus().connect()
    watcher = Watcher()
    bus.export("/StatusNotifierWatcher", watcher)
    introspection = await bus.introspect("org.freedesktop.DBus", "/org/freedesktop/DBus")
    daemon = bus.get_proxy_object("org.freedesktop.DBus", "/org/freedesktop/DBus", introspection)
    daemon.get_interface("org.freedesktop.DBus").on_name_owner_changed(watcher.owner_gone)
    await bus.request_name(WATCHER)
    print("ready", os.getpid(), flush=True)
    await bus.wait_for_disconnect()


async def call(bus, destination, path, interface, member, signature="", body=()):
    reply = await bus.call(Message(destination=destination, path=path, interface=interface, member=member,
                                   signature=signature, body=list(body)))
    if reply.message_type == MessageType.ERROR:
        raise SystemExit(f"{member}: {reply.error_name} {reply.body}")
    return reply.body


def item_address(item):
    # Registered by bus name, or by name and object path.
    service, _, path = item.partition("/")
    return service, "/" + path if path else "/StatusNotifierItem"


async def items(bus):
    for _ in range(WAIT_SECONDS * 10):
        (registered,) = await call(bus, WATCHER, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties", "Get",
                                   "ss", [WATCHER, "RegisteredStatusNotifierItems"])
        if registered.value:
            print("\n".join(registered.value))
            return
        await asyncio.sleep(0.1)
    raise SystemExit("no item registered")


async def menu_entries(bus, item):
    service, path = item_address(item)
    (menu_path,) = await call(bus, service, path, "org.freedesktop.DBus.Properties", "Get", "ss",
                              [ITEM_INTERFACE, "Menu"])
    menu_path = menu_path.value
    await call(bus, service, menu_path, MENU_INTERFACE, "AboutToShow", "i", [0])
    _, (_, _, children) = await call(bus, service, menu_path, MENU_INTERFACE, "GetLayout", "iias",
                                     [0, 1, ["type", "label", "enabled", "visible"]])
    entries = []
    for child in children:
        entry_id, properties, _ = child.value
        value = {key: variant.value for key, variant in properties.items()}
        if value.get("visible", True):
            entries.append((entry_id, value))
    return service, menu_path, entries


async def panel(command, arguments):
    bus = await MessageBus().connect()
    if command == "items":
        await items(bus)
    elif command in ("activate", "context-menu"):
        item, x, y = arguments
        service, path = item_address(item)
        member = "Activate" if command == "activate" else "ContextMenu"
        await call(bus, service, path, ITEM_INTERFACE, member, "ii", [int(x), int(y)])
    elif command == "menu":
        _, _, entries = await menu_entries(bus, arguments[0])
        for _, value in entries:
            if value.get("type") == "separator":
                print("-")
            else:
                print(f"{value.get('label', '')}\t{'enabled' if value.get('enabled', True) else 'disabled'}")
    elif command == "click":
        item, label = arguments
        service, menu_path, entries = await menu_entries(bus, item)
        chosen = [entry_id for entry_id, value in entries if value.get("label") == label]
        if not chosen:
            raise SystemExit(f"no entry {label!r}")
        await call(bus, service, menu_path, MENU_INTERFACE, "Event", "isvu", [chosen[0], "clicked", Variant("i", 0), 0])
    else:
        raise SystemExit(__doc__)


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    if sys.argv[1] == "serve":
        asyncio.run(serve())
    else:
        asyncio.run(panel(sys.argv[1], sys.argv[2:]))


if __name__ == "__main__":
    main()
