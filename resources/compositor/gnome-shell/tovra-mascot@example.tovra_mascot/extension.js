/* Tovra Mascot windows
 *
 * Tovra Mascot runs as an X11 client, and under XWayland it sees none of the
 * native Wayland windows. This extension tells it where every window is and
 * raises a window when the program asks, over the session bus:
 *
 *   - the program owns example.tovra_mascot.Mascot; while it is there, every
 *     change to the windows sends the whole list to its Report(s) method,
 *     at most once per main-loop idle;
 *   - NextRequest() -> s is a long poll the program answers when it wants
 *     something done ("raise <id>") or with "" to keep the call alive.
 *
 * Written for GNOME Shell 43 and 44 (imports.gi, init() returning the
 * extension object). GNOME Shell 45 and later load extensions as ES modules
 * and need a port of this file.
 */
'use strict';

const { Gio, GLib, Meta } = imports.gi;
const Main = imports.ui.main;

const BUS_NAME = 'example.tovra_mascot.Mascot';
const OBJECT_PATH = '/example/tovra_mascot/Windows';
const INTERFACE = 'example.tovra_mascot.Windows';

// The program answers a request within about 20 s even when it has nothing
// to ask; waiting longer than that only catches a program that hangs.
const REQUEST_TIMEOUT_MS = 60000;

const REPORTED_TYPES = new Set([
    Meta.WindowType.NORMAL,
    Meta.WindowType.DIALOG,
    Meta.WindowType.MODAL_DIALOG,
    Meta.WindowType.UTILITY,
    Meta.WindowType.TOOLBAR,
    Meta.WindowType.SPLASHSCREEN,
    Meta.WindowType.DESKTOP,
]);

// Each of these changes what the report says about a window.
const WINDOW_SIGNALS = [
    'position-changed',
    'size-changed',
    'notify::minimized',
    'notify::title',
    'notify::above',
    'notify::on-all-workspaces',
    'workspace-changed',
];

function isReported(window) {
    return !window.is_override_redirect() &&
        REPORTED_TYPES.has(window.get_window_type());
}

function windowLine(window, activeWorkspace) {
    const frame = window.get_frame_rect();
    let flags = '';
    if (!window.minimized && window.showing_on_its_workspace() &&
        (window.is_on_all_workspaces() || window.located_on_workspace(activeWorkspace)))
        flags += 's';
    if (window.minimized)
        flags += 'm';
    if (window.is_above())
        flags += 'a';
    if (window.get_window_type() === Meta.WindowType.DESKTOP)
        flags += 'd';
    const owner = window.get_transient_for();
    // Control characters would break the line format.
    const title = (window.get_title() ?? '').replace(/[\x00-\x1f]/g, ' ');
    return [
        String(window.get_id()),
        String(Math.max(0, window.get_pid())),
        frame.x, frame.y, frame.width, frame.height,
        flags || '-',
        owner ? String(owner.get_id()) : '-',
        title,
    ].join(' ');
}

function programQuit(error) {
    return error.matches(Gio.DBusError, Gio.DBusError.NO_REPLY) ||
        error.matches(Gio.DBusError, Gio.DBusError.SERVICE_UNKNOWN) ||
        error.matches(Gio.DBusError, Gio.DBusError.NAME_HAS_NO_OWNER);
}

function reportText() {
    const [width, height] = global.display.get_size();
    const activeWorkspace = global.workspace_manager.get_active_workspace();
    const windows = global.display.sort_windows_by_stacking(
        global.display.list_all_windows().filter(isReported));
    // Stacking order is bottom to top; the report lists the top-most first.
    windows.reverse();
    const lines = [`windows 1 ${width} ${height}`];
    for (const window of windows)
        lines.push(windowLine(window, activeWorkspace));
    return lines.join('\n');
}

class Extension {
    enable() {
        this._windowSignals = new Map();
        this._owner = null;
        this._cancellable = null;
        this._lastReport = null;
        this._reportSource = 0;

        this._displaySignals = [
            global.display.connect('window-created', (display, window) => {
                this._track(window);
                this._queueReport();
            }),
            global.display.connect('restacked', () => this._queueReport()),
        ];
        this._workspaceSignal = global.workspace_manager.connect(
            'active-workspace-changed', () => this._queueReport());
        this._monitorsSignal = Main.layoutManager.connect(
            'monitors-changed', () => this._queueReport());
        for (const window of global.display.list_all_windows())
            this._track(window);

        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, BUS_NAME,
            Gio.BusNameWatcherFlags.NONE,
            (connection, name, owner) => this._programAppeared(owner),
            () => this._programVanished());
    }

    disable() {
        Gio.bus_unwatch_name(this._watch);
        this._programVanished();
        for (const id of this._displaySignals)
            global.display.disconnect(id);
        global.workspace_manager.disconnect(this._workspaceSignal);
        Main.layoutManager.disconnect(this._monitorsSignal);
        for (const [window, ids] of this._windowSignals) {
            for (const id of ids)
                window.disconnect(id);
        }
        this._windowSignals = null;
    }

    _track(window) {
        // Menus and tooltips never become reported windows.
        if (window.is_override_redirect() || this._windowSignals.has(window))
            return;
        const ids = WINDOW_SIGNALS.map(signal =>
            window.connect(signal, () => this._queueReport()));
        ids.push(window.connect('unmanaged', () => {
            for (const id of this._windowSignals.get(window))
                window.disconnect(id);
            this._windowSignals.delete(window);
            this._queueReport();
        }));
        this._windowSignals.set(window, ids);
    }

    _programAppeared(owner) {
        this._programVanished();
        // Calls go to the unique name: a program started again later gets
        // nothing meant for the one before it.
        this._owner = owner;
        this._cancellable = new Gio.Cancellable();
        this._lastReport = null;
        this._sendReport();
        this._askForRequest();
    }

    _programVanished() {
        this._owner = null;
        if (this._cancellable)
            this._cancellable.cancel();
        this._cancellable = null;
        if (this._reportSource)
            GLib.source_remove(this._reportSource);
        this._reportSource = 0;
    }

    // Bursts of changes (a window dragged, a workspace switched) make one
    // report once the main loop has nothing else to do.
    _queueReport() {
        if (!this._owner || this._reportSource)
            return;
        this._reportSource = GLib.idle_add(GLib.PRIORITY_DEFAULT_IDLE, () => {
            this._reportSource = 0;
            this._sendReport();
            return GLib.SOURCE_REMOVE;
        });
    }

    _sendReport() {
        const text = reportText();
        if (text === this._lastReport)
            return;
        this._lastReport = text;
        // Errors need no handling here: a program that is gone shows as the
        // name vanishing.
        Gio.DBus.session.call(this._owner, OBJECT_PATH, INTERFACE, 'Report',
            new GLib.Variant('(s)', [text]), null,
            Gio.DBusCallFlags.NO_AUTO_START, -1, this._cancellable,
            (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (e) {
                    // Nothing to do.
                }
            });
    }

    _askForRequest() {
        const owner = this._owner;
        const cancellable = this._cancellable;
        Gio.DBus.session.call(owner, OBJECT_PATH, INTERFACE, 'NextRequest',
            null, new GLib.VariantType('(s)'),
            Gio.DBusCallFlags.NO_AUTO_START, REQUEST_TIMEOUT_MS, cancellable,
            (connection, result) => {
                let request;
                try {
                    [request] = connection.call_finish(result).deep_unpack();
                } catch (e) {
                    // The program is gone or broken: ask again only once its
                    // name appears anew. A program that quits while the call
                    // waits is no fault worth a line in the journal.
                    if (!cancellable.is_cancelled() && !programQuit(e))
                        log(`Tovra Mascot windows: NextRequest failed: ${e.message}`);
                    return;
                }
                if (cancellable.is_cancelled())
                    return;
                this._carryOut(request);
                this._askForRequest();
            });
    }

    _carryOut(request) {
        const [verb, id] = request.split(' ');
        if (verb !== 'raise' || !id)
            return;
        const window = global.display.list_all_windows().find(
            w => String(w.get_id()) === id);
        if (!window)
            return;
        // Brings the window forward as the window list or the overview would,
        // switching workspaces if needed. A window on every workspace has
        // none of its own.
        const workspace = window.get_workspace() ??
            global.workspace_manager.get_active_workspace();
        Main.activateWindow(window, global.get_current_time(), workspace.index());
    }
}

function init() {
    return new Extension();
}
