// Tells Tovra Mascot where the desktop's windows are and raises the one it
// asks for. The program loads this script into KWin at start and unloads it
// at exit. Written for KWin 5.27 and 6, whose scripting names differ.
const service = "example.tovra_mascot.Mascot";
const path = "/example/tovra_mascot/Windows";
const iface = "example.tovra_mascot.Windows";

const kwin6 = typeof workspace.windowList === "function";
const windowsAll = () => (kwin6 ? workspace.windowList() : workspace.clientList());
const windowAdded = kwin6 ? workspace.windowAdded : workspace.clientAdded;
const windowRemoved = kwin6 ? workspace.windowRemoved : workspace.clientRemoved;

// Places to sit: ordinary windows, dialogs, tool windows and the desktop;
// not panels, menus, tips, notifications or pop-ups.
function isReported(w) {
  return !w.deleted && (w.normalWindow || w.dialog || w.utility || w.toolbar || w.splash || w.desktopWindow);
}

// Top-most first.
function stacking() {
  if (kwin6) return workspace.stackingOrder.filter(isReported).reverse();
  return windowsAll().filter(isReported).sort((a, b) => b.stackingOrder - a.stackingOrder);
}

function onCurrentDesktop(w) {
  if (w.onAllDesktops) return true;
  if (kwin6) return w.desktops.indexOf(workspace.currentDesktop) >= 0;
  return w.desktop === workspace.currentDesktop;
}

function token(w) {
  return String(w.internalId).replace(/[^A-Za-z0-9_.{}-]/g, "");
}

function line(w) {
  const g = w.frameGeometry;
  let flags = "";
  if (!w.minimized && !w.hidden && onCurrentDesktop(w)) flags += "s";
  if (w.minimized) flags += "m";
  if (w.keepAbove) flags += "a";
  if (w.desktopWindow) flags += "d";
  const owner = w.transient && w.transientFor ? token(w.transientFor) : "-";
  const title = String(w.caption || "").replace(/[\x00-\x1f]/g, " ");
  return [token(w), w.pid || 0, Math.round(g.x), Math.round(g.y), Math.round(g.width), Math.round(g.height),
          flags || "-", owner || "-", title].join(" ");
}

function report() {
  const size = workspace.virtualScreenSize;
  const lines = ["windows 1 " + Math.round(size.width) + " " + Math.round(size.height)];
  for (const w of stacking()) lines.push(line(w));
  callDBus(service, path, iface, "Report", lines.join("\n"));
}

// Changes come in bursts (a move is many steps): one report per burst.
const pending = new QTimer();
pending.singleShot = true;
pending.interval = 0;
pending.timeout.connect(report);
const changed = () => pending.start();

const followed = [];
function follow(w) {
  if (followed.indexOf(w) >= 0) return;
  followed.push(w);
  for (const signal of ["frameGeometryChanged", "stackingOrderChanged", "minimizedChanged", "captionChanged",
                        "keepAboveChanged", "desktopChanged", "desktopsChanged", "hiddenChanged",
                        "windowShown", "windowHidden", "transientChanged"]) {
    if (w[signal]) w[signal].connect(changed);
  }
}

windowAdded.connect((w) => { follow(w); changed(); });
windowRemoved.connect((w) => {
  const at = followed.indexOf(w);
  if (at >= 0) followed.splice(at, 1);
  changed();
});
workspace.currentDesktopChanged.connect(changed);
if (kwin6 && workspace.stackingOrderChanged) workspace.stackingOrderChanged.connect(changed);
for (const w of windowsAll()) follow(w);

function raise(id) {
  for (const w of windowsAll()) {
    if (token(w) !== id) continue;
    if (kwin6) workspace.activeWindow = w;
    else workspace.activeClient = w;
    return;
  }
}

// The program answers when it wants a window raised, or with nothing now
// and then; either way the next question follows, until it says stop or
// is gone.
function ask() {
  callDBus(service, path, iface, "NextRequest", (answer) => {
    if (typeof answer !== "string") return;
    const words = answer.split(" ");
    if (words[0] === "raise" && words.length === 2) raise(words[1]);
    if (words[0] !== "stop") ask();
  });
}

report();
ask();
