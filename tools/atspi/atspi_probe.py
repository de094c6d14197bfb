#!/usr/bin/python3
"""Launch a program, listen to AT-SPI accessible-name change events for N
seconds, then print the program's accessible tree and the events seen.

Usage: atspi_probe.py SECONDS LOGFILE PROGRAM [ARGS...]
Must run inside a session bus that has the accessibility bus up
(see atspi-view.sh, which sets everything up)."""
import collections
import os
import subprocess
import sys
import threading
import time

import pyatspi

secs = float(sys.argv[1])
logfile = sys.argv[2]
cmd = sys.argv[3:]

EVENT = "object:property-change:accessible-name"
events = []          # (t, role, new_name, source_path)
t0 = None
proc = None
_pid_cache = {}


def app_pid(acc):
    try:
        app = acc.getApplication()
        if app is None:
            return None
        key = app.path if hasattr(app, "path") else id(app)
        if key not in _pid_cache:
            _pid_cache[key] = app.get_process_id()
        return _pid_cache[key]
    except Exception:
        return None


def on_event(e):
    if proc is None:
        return
    try:
        if app_pid(e.source) != proc.pid:
            return
        try:
            role = e.source.getRoleName()
        except Exception:
            role = "?"
        new = e.any_data if isinstance(e.any_data, str) else None
        if new is None:
            try:
                new = e.source.name
            except Exception:
                new = "?"
        path = getattr(e.source, "path", "")
        events.append((time.monotonic() - t0, role, new, path))
    except Exception as ex:  # never let a callback kill the loop
        print("callback error:", ex, file=sys.stderr)


def walk(acc, depth, out, seen):
    try:
        role = acc.getRoleName()
        name = acc.name or ""
        desc = acc.description or ""
        n = acc.childCount
    except Exception as ex:
        out.append("  " * depth + f"<unreachable: {ex}>")
        return
    key = getattr(acc, "path", None)
    if key in seen:
        return
    seen.add(key)
    if name or desc or role in ("label", "separator"):
        line = "  " * depth + f"[{role}] {name!r}"
        if desc:
            line += f" -- desc={desc!r}"
        out.append(line)
    for i in range(n):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            child = None
        if child is not None:
            walk(child, depth + 1, out, seen)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == proc.pid:
                return app
        except Exception:
            pass
    return None


def start_program():
    global proc, t0
    t0 = time.monotonic()
    env = dict(os.environ)
    env.setdefault("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1")
    proc = subprocess.Popen(cmd, stdout=open(logfile, "w"),
                            stderr=subprocess.STDOUT, env=env)
    return False


# Register the listener first so the toolkit sees an interested client.
pyatspi.Registry.registerEventListener(on_event, EVENT)
threading.Timer(0.3, start_program).start()
threading.Timer(secs + 0.3, pyatspi.Registry.stop).start()
pyatspi.Registry.start()

app = find_app()
print(f"=== accessible tree of pid {proc.pid} after {secs:g} s "
      f"(objects with a name/description, plus labels/separators) ===")
if app is None:
    desktop = pyatspi.Registry.getDesktop(0)
    print("APPLICATION NOT FOUND on the accessibility bus; desktop has",
          desktop.childCount, "apps:",
          [a.name if a else None for a in desktop])
else:
    out = []
    walk(app, 0, out, set())
    print("\n".join(out))

print()
print(f"=== {EVENT} events over {secs:g} s: {len(events)} total ===")
for t, role, new, path in events:
    print(f"  +{t:6.2f}s [{role}] {new!r}   ({path})")
print()
print("=== counts per source object (events / of which the name actually"
      " changed / repeats of the same name) ===")
per = collections.OrderedDict()
for _, r, n, p in events:
    d = per.setdefault(p, {"role": r, "n": 0, "changed": 0, "same": 0,
                           "first": n, "last": None})
    d["n"] += 1
    if d["last"] is not None and d["last"] == n:
        d["same"] += 1
    else:
        d["changed"] += 1
    d["last"] = n
for p, d in sorted(per.items(), key=lambda kv: -kv[1]["n"]):
    print(f"  {d['n']:4d} events, {d['changed']:4d} changed, {d['same']:4d} repeated"
          f"  [{d['role']}] {p}")
    print(f"        first {d['first']!r}")
    print(f"        last  {d['last']!r}")
print()
print("=== names announced more than once (role, name: count) ===")
cnt = collections.Counter((r, n) for _, r, n, _ in events)
dups = [(k, c) for k, c in cnt.items() if c > 1]
for (r, n), c in sorted(dups, key=lambda kv: (-kv[1], kv[0])):
    print(f"  {c:4d} x [{r}] {n!r}")
if not dups:
    print("  (none)")
print()

proc.terminate()
try:
    proc.wait(timeout=5)
except subprocess.TimeoutExpired:
    proc.kill()
    proc.wait()
