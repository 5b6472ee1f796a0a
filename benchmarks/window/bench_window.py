"""The real game in a real X server, measured: what the window costs and how evenly it paces.

Starts its own Xvfb and a window manager (openbox, as on a desktop), runs the game from the
build folder with a preloaded clock on every presentation, and measures the game windowed and
then in full screen (TAB) for the same number of seconds each:

- the CPU time of the game's process as a share of one core, split into the main thread and
  the others (the audio thread, a software rasteriser's threads), and the X server's share;
- the interval between presentations: mean, 99th percentile, and the 99th percentile of its
  deviation from 1/60 s.

    bench_window.py BUILD_DIR PRESENT_CLOCK_SO [--seconds 20] [--screen 1920x1080]
"""

import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time

PERIOD_NS = 1e9 / 60
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_ticks(stat_path):
    """utime + stime of a process or thread, in clock ticks; None when it is gone."""
    try:
        with open(stat_path) as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return int(fields[11]) + int(fields[12])  # fields 14 and 15 of the whole line


def sample(game_pid, x_pid):
    threads = {}
    for tid in os.listdir(f"/proc/{game_pid}/task"):
        t = cpu_ticks(f"/proc/{game_pid}/task/{tid}/stat")
        if t is not None:
            threads[int(tid)] = t
    return {
        "time": time.monotonic_ns(),
        "game": cpu_ticks(f"/proc/{game_pid}/stat"),
        "main": threads.get(game_pid, 0),
        "x": cpu_ticks(f"/proc/{x_pid}/stat"),
    }


def share(before, after, key):
    seconds = (after["time"] - before["time"]) / 1e9
    return 100.0 * (after[key] - before[key]) / TICKS / seconds


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(p / 100.0 * len(ordered)))]


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, text=True, **kw).stdout


def start_x(screen):
    """Xvfb on a free display; returns (process, display)."""
    read_fd, write_fd = os.pipe()
    x = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{screen}x24", "-nolisten", "tcp"],
        pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()
    if not number:
        sys.exit("bench-window: Xvfb did not start")
    return x, f":{number}"


def geometry(win):
    out = run(["xwininfo", "-id", win])
    w = next(l.split()[-1] for l in out.splitlines() if "Width:" in l)
    h = next(l.split()[-1] for l in out.splitlines() if "Height:" in l)
    return f"{w}x{h}"


def wait_geometry(win, want):
    for _ in range(100):
        if geometry(win) == want:
            return
        time.sleep(0.1)
    sys.exit(f"bench-window: the window is {geometry(win)}, expected {want}")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("clock")
    ap.add_argument("--seconds", type=float, default=20)
    ap.add_argument("--screen", default="1920x1080")
    ap.add_argument("--warm-up", type=float, default=2)
    args = ap.parse_args()

    x, display = start_x(args.screen)
    os.environ["DISPLAY"] = display
    wm = game = None
    work = tempfile.mkdtemp(prefix="tovia_bench_window_")
    log = os.path.join(work, "presents.txt")
    try:
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if subprocess.run(["wmctrl", "-m"], capture_output=True).returncode == 0:
                break
            time.sleep(0.1)

        env = dict(os.environ, LD_PRELOAD=os.path.realpath(args.clock), TOVIA_PRESENT_LOG=log)
        env.setdefault("SDL_AUDIODRIVER", "dummy")
        game = subprocess.Popen(["./tovia"], cwd=args.build, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        found = subprocess.run(["timeout", "30", "xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tovia$"],
                               capture_output=True, text=True)
        if found.returncode != 0 or not found.stdout.split():
            sys.exit("bench-window: the game showed no window named Tovia")
        win = found.stdout.split()[0]
        wait_geometry(win, "640x480")
        subprocess.run(["xdotool", "windowactivate", "--sync", win], capture_output=True)

        spans = []
        for name, screen in (("windowed", "640x480"), ("full screen", args.screen)):
            if name == "full screen":
                run(["xdotool", "key", "Tab"])
                wait_geometry(win, screen)
            time.sleep(args.warm_up)
            before = sample(game.pid, x.pid)
            time.sleep(args.seconds)
            after = sample(game.pid, x.pid)
            spans.append((f"{name} {screen}", before, after))

        subprocess.run(["wmctrl", "-c", "Tovia"], capture_output=True)
        if game.wait(timeout=20) != 0:
            sys.exit(f"bench-window: the game ended with status {game.returncode}")
        game = None

        with open(log) as f:
            presents = [int(line) for line in f if line.strip()]
        print(f"{'':24} {'game CPU':>9} {'main':>7} {'others':>7} {'X server':>9}  "
              f"{'frames':>6} {'mean ms':>8} {'p99 ms':>7} {'p99 dev ms':>10}")
        for label, before, after in spans:
            times = [t for t in presents if before["time"] <= t <= after["time"]]
            gaps = [(b - a) / 1e6 for a, b in zip(times, times[1:])]
            if not gaps:
                sys.exit(f"bench-window: no frames were presented {label}")
            game_share = share(before, after, "game")
            main_share = share(before, after, "main")
            print(f"{label:24} {game_share:8.1f}% {main_share:6.1f}% {game_share - main_share:6.1f}% "
                  f"{share(before, after, 'x'):8.1f}%  {len(gaps):6d} {sum(gaps) / len(gaps):8.3f} "
                  f"{percentile(gaps, 99):7.3f} {percentile([abs(g - PERIOD_NS / 1e6) for g in gaps], 99):10.3f}")
    finally:
        for p in (game, wm, x):
            if p is not None and p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    p.kill()
        for name in os.listdir(work):
            os.remove(os.path.join(work, name))
        os.rmdir(work)


if __name__ == "__main__":
    main()
