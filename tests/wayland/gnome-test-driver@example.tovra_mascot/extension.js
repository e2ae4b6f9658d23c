/* Drives the windows of a test session from outside the shell, as a user
 * would with the mouse: the desktop tests cannot reach native Wayland windows
 * any other way. Only ever installed by tests/wayland/run-under-gnome-shell.sh.
 *
 * Owns example.tovra_mascot.TestDriver on the session bus; the object
 * /example/tovra_mascot/TestDriver has the interface below. Windows are found
 * by their exact title. Screenshot writes a PNG of the whole screen, which
 * the shell's own screenshot service gives only to a few known callers.
 */
'use strict';

const { Gio, GLib, Shell } = imports.gi;
const Main = imports.ui.main;

const BUS_NAME = 'example.tovra_mascot.TestDriver';
const OBJECT_PATH = '/example/tovra_mascot/TestDriver';
const INTERFACE_XML = `
<node>
  <interface name="example.tovra_mascot.TestDriver">
    <method name="Move">
      <arg type="s" direction="in" name="title"/>
      <arg type="i" direction="in" name="x"/>
      <arg type="i" direction="in" name="y"/>
    </method>
    <method name="Minimize">
      <arg type="s" direction="in" name="title"/>
    </method>
    <method name="Unminimize">
      <arg type="s" direction="in" name="title"/>
    </method>
    <method name="Activate">
      <arg type="s" direction="in" name="title"/>
    </method>
    <method name="FrameOf">
      <arg type="s" direction="in" name="title"/>
      <arg type="i" direction="out" name="x"/>
      <arg type="i" direction="out" name="y"/>
      <arg type="i" direction="out" name="width"/>
      <arg type="i" direction="out" name="height"/>
    </method>
    <method name="Screenshot">
      <arg type="s" direction="in" name="path"/>
    </method>
  </interface>
</node>`;

function windowTitled(title) {
    const window = global.display.list_all_windows().find(w => w.get_title() === title);
    if (!window) {
        throw new GLib.Error(Gio.DBusError, Gio.DBusError.INVALID_ARGS,
            `no window titled "${title}"`);
    }
    return window;
}

class Driver {
    Move(title, x, y) {
        windowTitled(title).move_frame(true, x, y);
    }

    Minimize(title) {
        windowTitled(title).minimize();
    }

    Unminimize(title) {
        windowTitled(title).unminimize();
    }

    Activate(title) {
        Main.activateWindow(windowTitled(title));
    }

    FrameOf(title) {
        const frame = windowTitled(title).get_frame_rect();
        return [frame.x, frame.y, frame.width, frame.height];
    }

    ScreenshotAsync([path], invocation) {
        let stream;
        try {
            stream = Gio.File.new_for_path(path).replace(null, false,
                Gio.FileCreateFlags.NONE, null);
        } catch (e) {
            invocation.return_gerror(e);
            return;
        }
        new Shell.Screenshot().screenshot(false, stream, (shooter, result) => {
            try {
                shooter.screenshot_finish(result);
                stream.close(null);
                invocation.return_value(null);
            } catch (e) {
                invocation.return_gerror(e);
            }
        });
    }
}

class Extension {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE_XML, new Driver());
        this._object.export(Gio.DBus.session, OBJECT_PATH);
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
    }

    disable() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
        this._object = null;
    }
}

function init() {
    return new Extension();
}
