#!/usr/bin/env python3
"""Soak run: many whole matches between computer players over loopback.

Every match is played by fresh processes: a ringdisk-bot joins a soak_host,
which plays its own seat with the computer player, and a headless_peer joins
as a spectator once the match is under way. The host asks every client for
its table ("/vsync") each time a shot comes to rest and once more after the
result, and reports after each match what the checks found, its resident
memory and how long its frame ticks took. Several matches run at once, one
per lane; the first --kept-hosts lanes keep one host process across many
matches (--host-matches, or all of the lane's), the others start a fresh
host for every match. Everything is on 127.0.0.1.

  bench/soak/soak.py --matches 20 [--parallel 2] [--kept-hosts 1]
      [--host-matches N] [--tick-ms 4] [--pairings club-club,master-club]
      [--build build] [--seed 1] [--match-timeout SECONDS]
      [--stalemate-shots 40] [--folder DIR] [--save]

Per match it records the result, the shots, the "/vsync" reports and how
many found a difference, other signs of a desync (packet errors, resyncs),
every process's exit status (a death by a signal is a crash), the host's
resident memory after the match and its frame-tick times, and whether the
shots, replayed offline by shotreplay on the match's seed, end in the same
score. A match in which --stalemate-shots shots in a row moved no disc
ends as a stalemate: the rules have no end for a table whose remaining
discs no shot can reach, so it is counted apart, not as a fault. One line
per match goes to matches.csv in the run's folder (a new
one under /tmp unless --folder names it). A match's files (each process's
transcript, the shots as a shotreplay file; the host's debug.log in its
host-N folder) are kept in the run's folder when --save is given or when
the match went wrong or ended in a stalemate; otherwise they are removed.
The exit status is 1 when any match desynchronised, crashed, exited badly
or came to no result.

Run it at a low priority on a shared machine: nice -n 19 bench/soak/soak.py.
"""

import argparse
import asyncio
import csv
import os
import re
import resource
import shutil
import statistics
import sys
import tempfile
import time

DEFAULT_PAIRINGS = "club-club,master-club,club-beginner,master-master"
LOOPBACK = "127.0.0.1"
# A process asked to leave gets this long before it is killed.
LEAVE_SECONDS = 10


class Peer:
    """One process of a match: its output lines as they come, each with the
    time it came, written to a transcript as well."""

    def __init__(self, name, folder):
        self.name = name
        self.folder = folder
        self.lines = []  # (monotonic time, text)
        self.process = None
        self.changed = asyncio.Condition()
        self.transcript = open(os.path.join(folder, f"{name}.txt"), "w", encoding="utf-8")

    async def start(self, program, args):
        self.process = await asyncio.create_subprocess_exec(
            program, *args, cwd=self.folder, stdin=asyncio.subprocess.PIPE,
            stdout=asyncio.subprocess.PIPE, stderr=asyncio.subprocess.STDOUT)
        self.reader = asyncio.create_task(self._read())

    async def _read(self):
        while True:
            raw = await self.process.stdout.readline()
            async with self.changed:
                if raw:
                    text = raw.decode(errors="replace").rstrip("\n")
                    self.lines.append((time.monotonic(), text))
                    self.transcript.write(text + "\n")
                    self.transcript.flush()
                self.changed.notify_all()
            if not raw:
                return

    def send(self, line):
        if self.process.returncode is None and not self.process.stdin.is_closing():
            self.process.stdin.write((line + "\n").encode())

    async def wait_for(self, prefixes, start, deadline):
        """The index and text of the first line at or after start that begins
        with one of prefixes; None when the output ends or the deadline passes."""
        async with self.changed:
            while True:
                for i in range(start, len(self.lines)):
                    if self.lines[i][1].startswith(prefixes):
                        return i, self.lines[i][1]
                start = len(self.lines)
                if self.reader.done():
                    return None
                try:
                    await asyncio.wait_for(self.changed.wait(),
                                           max(0.1, deadline - time.monotonic()))
                except asyncio.TimeoutError:
                    return None

    async def end(self, ask=None):
        """The exit status, after asking the process to leave (a line on its
        input) and waiting a while; a process that stays is killed, and its
        status is then that of the kill."""
        if ask is not None:
            self.send(ask)
        try:
            await asyncio.wait_for(self.process.wait(), LEAVE_SECONDS)
        except asyncio.TimeoutError:
            self.process.kill()
            await self.process.wait()
            self.hung = True
        await self.reader
        self.transcript.close()
        return self.process.returncode

    hung = False


class Host(Peer):
    """A soak_host, possibly serving many matches: cursor marks where the
    next match's lines begin."""

    def __init__(self, number, folder):
        super().__init__("host", folder)
        self.number = number
        self.cursor = 0
        self.matches = 0
        self.rss_kb = []


def done_fields(line):
    return {k: v for k, v in (f.split("=", 1) for f in line.split()[1:])}


def shots_in_order(host, guest, host_from, host_to):
    """Both sides' shots in the order they were played. The shots of one
    match are seconds apart (the table settles in between), so the time each
    line reached this tool orders them."""
    shots = [(t, text) for t, text in host.lines[host_from:host_to] if text.startswith("SHOT ")]
    shots += [(t, text) for t, text in guest.lines if text.startswith("SHOT ")]
    return [text.split()[1:] for _, text in sorted(shots)]


async def replay(shotreplay, folder, seed, shots, header):
    """(score, result) of the shots played offline on the match's seed; the
    shots are kept in the match's folder as a file shotreplay reads."""
    path = os.path.join(folder, "match.shots")
    with open(path, "w") as f:
        f.write(f"# {header}\n# shotreplay {seed} match.shots\n")
        for shot in shots:
            f.write(" ".join(shot) + "\n")
    replay_dir = os.path.join(folder, "replay")
    os.makedirs(replay_dir, exist_ok=True)
    process = await asyncio.create_subprocess_exec(
        shotreplay, str(seed), path, cwd=replay_dir, stdout=asyncio.subprocess.PIPE,
        stderr=asyncio.subprocess.STDOUT)
    out, _ = await process.communicate()
    text = out.decode(errors="replace")
    scores = re.findall(r"green (\d+), red (\d+)", text)
    result = re.search(r"^result: (\d+)", text, re.M)
    return (",".join(scores[-1]) if scores else None, int(result.group(1)) if result else None)


class Soak:
    def __init__(self, args, run_dir, log):
        self.args = args
        self.run_dir = run_dir
        self.log = log
        self.bin_dir = os.path.abspath(os.path.join(args.build, "bin"))
        self.pairings = [p.split("-") for p in args.pairings.split(",")]
        self.next_match = 0
        self.hosts_started = 0
        self.rows = []
        self.hosts = []

    def program(self, name):
        return os.path.join(self.bin_dir, name)

    def take_match(self):
        if self.next_match >= self.args.matches:
            return None
        self.next_match += 1
        return self.next_match - 1

    async def start_host(self, lane, kept):
        self.hosts_started += 1
        folder = os.path.join(self.run_dir, f"host-{self.hosts_started}")
        os.makedirs(folder)
        host = Host(self.hosts_started, folder)
        level = self.pairings[lane % len(self.pairings)][0]
        await host.start(self.program("soak_host"), [
            "--level", level, "--seed", str(self.args.seed * 7919 + self.hosts_started),
            "--matches", str(self.args.host_matches if kept else 1),
            "--tick-ms", str(self.args.tick_ms), "--match-seconds", str(self.args.match_timeout),
            "--stalemate-shots", str(self.args.stalemate_shots)])
        host.kept = kept
        host.level = level
        self.hosts.append(host)
        return host

    async def lane(self, lane):
        kept = lane < self.args.kept_hosts
        host = None
        while (index := self.take_match()) is not None:
            if host is None:
                host = await self.start_host(lane, kept)
            row = await self.play(index, lane, host)
            # A fresh host leaves by itself after its match, a kept one after
            # its last; one that died is replaced.
            if not kept or host.matches >= self.args.host_matches or \
                    host.process.returncode is not None:
                self.check_exit(row, "host", await host.end())
                if not kept and not row["problems"] and not self.args.save:
                    shutil.rmtree(host.folder, ignore_errors=True)
                host = None
            self.finish(row)
        if host is not None:
            status = await host.end(ask="quit")
            if status != 0:
                print(f"the kept host #{host.number} left with status {status}", flush=True)

    def check_exit(self, row, who, status):
        row[f"{who}_exit"] = status
        if status < 0:
            row["crashes"] += 1
            row["problems"].append(f"{who} killed by signal {-status}")
        elif status != 0:
            row["bad_exits"] += 1
            row["problems"].append(f"{who} exited with {status}")

    async def play(self, index, lane, host):
        green_level = host.level
        red_level = self.pairings[index % len(self.pairings)][1]
        folder = os.path.join(self.run_dir, f"match-{index:05d}")
        os.makedirs(folder)
        row = {"match": index, "lane": lane, "host": host.number, "host_match": host.matches + 1,
               "host_kept": int(host.kept), "host_level": green_level, "guest_level": red_level,
               "seed": "", "result": "", "stalemate": 0, "shots": 0, "vsyncs": 0, "reports": 0, "desyncs": 0,
               "anomalies": 0, "points": "", "replay": "", "rss_kb": "", "tick_mean_us": "",
               "tick_p99_us": "", "tick_max_us": "", "crashes": 0, "bad_exits": 0,
               "host_exit": "", "guest_exit": "", "spectator_exit": "", "seconds": 0.0,
               "problems": [], "folder": folder}
        began = time.monotonic()
        deadline = began + self.args.match_timeout + 60
        guest = Peer("guest", folder)
        spectator = Peer("spectator", folder)
        start = host.cursor
        hosting = await host.wait_for(("HOSTING ", "HOSTFAILED"), start, deadline)
        if hosting is None or not hosting[1].startswith("HOSTING "):
            row["problems"].append("the host opened no game")
            return await self.close_match(row, None, None, began)
        port = hosting[1].split()[1]
        await guest.start(self.program("ringdisk-bot"), [
            "--host", LOOPBACK, "--port", port, "--name", "Guest", "--level", red_level,
            "--seed", str(self.args.seed * 1_000_003 + index), "--tick-ms", str(self.args.tick_ms)])
        match = await host.wait_for(("MATCH ",), hosting[0], deadline)
        if match is None:
            row["problems"].append("the match never started")
            return await self.close_match(row, guest, None, began)
        row["seed"] = int(match[1].split()[1])
        await spectator.start(self.program("headless_peer"), [
            "--name", "Watcher", "--tick-ms", str(self.args.tick_ms),
            "--lifetime", str(self.args.match_timeout + 120)])
        spectator.send(f"join {LOOPBACK} {port}")
        done = await host.wait_for(("DONE ",), match[0], deadline)
        if done is None:
            row["problems"].append("the host reported no end of the match")
            return await self.close_match(row, guest, spectator, began)
        host.cursor = done[0] + 1
        host.matches += 1
        with open(os.path.join(folder, "host.txt"), "w", encoding="utf-8") as f:
            f.writelines(text + "\n" for _, text in host.lines[start:host.cursor])
        fields = done_fields(done[1])
        for key in ("vsyncs", "reports", "desyncs", "anomalies"):
            row[key] = int(fields[key])
        for key in ("points", "rss_kb", "tick_mean_us", "tick_p99_us", "tick_max_us"):
            row[key] = fields[key]
        host.rss_kb.append(int(fields["rss_kb"]))
        result = await host.wait_for(("RESULT ",), match[0], time.monotonic())
        stalemate = await host.wait_for(("STALEMATE ",), match[0], time.monotonic())
        if result is not None and result[0] < done[0]:
            _, outcome, shots = result[1].split()
            row["result"], row["shots"] = int(outcome), int(shots)
        elif stalemate is not None and stalemate[0] < done[0]:
            row["stalemate"] = 1
        else:
            row["problems"].append("no result")
        if row["desyncs"]:
            row["problems"].append(f"{row['desyncs']} vsync report(s) found a difference")
        if row["anomalies"]:
            row["problems"].append(f"{row['anomalies']} packet error or resync line(s)")
        row = await self.close_match(row, guest, spectator, began, ended=True)
        if row["result"] != "" or row["stalemate"]:
            played = shots_in_order(host, guest, match[0], done[0])
            if row["stalemate"]:
                row["shots"] = len(played)
            ending = "a stalemate" if row["stalemate"] else f"result {row['result']}"
            header = (f"match {index}: {green_level} (host) against {red_level}, {ending}, "
                      f"score {row['points']}")
            score, replayed = await replay(self.program("shotreplay"), folder, row["seed"], played,
                                           header)
            expected = (row["points"], None if row["stalemate"] else row["result"])
            row["replay"] = "same" if (score, replayed) == expected else \
                f"differs ({len(played)} shots: score {score}, result {replayed})"
            if row["replay"] != "same":
                row["problems"].append("the offline replay " + row["replay"])
        return row

    async def close_match(self, row, guest, spectator, began, ended=False):
        """The guests leave and their exit statuses are taken: once a match
        has ended the host has closed the game, which sends the computer
        player home by itself; otherwise it is told to quit, as the
        spectator always is."""
        for name, peer, ask in (("guest", guest, None if ended else "quit"),
                                ("spectator", spectator, "quit")):
            if peer is None or peer.process is None:
                continue
            status = await peer.end(ask)
            if peer.hung:
                row["problems"].append(f"{name} did not leave")
            self.check_exit(row, name, status)
        row["seconds"] = round(time.monotonic() - began, 1)
        return row

    def finish(self, row):
        self.rows.append(row)
        fields = [k for k in row if k not in ("problems", "folder")]
        if self.log.tell() == 0:
            self.log.write(",".join(fields + ["problems"]) + "\n")
        csv.writer(self.log).writerow([row[k] for k in fields] + ["; ".join(row["problems"])])
        self.log.flush()
        print(f"[{len(self.rows)}/{self.args.matches}] match {row['match']}: host {row['host']} "
              f"({'kept, match ' + str(row['host_match']) if row['host_kept'] else 'fresh'}), "
              f"{row['host_level']}-{row['guest_level']}, result {row['result']}, "
              f"{row['shots']} shots, vsync {row['reports']}/{row['desyncs']} "
              f"(reports/differing), rss {row['rss_kb']} kB, tick max {row['tick_max_us']} us, "
              f"{row['seconds']:.0f} s"
              + (f"\n    PROBLEM: {'; '.join(row['problems'])} (files in {row['folder']})"
                 if row["problems"] else ""), flush=True)
        if not self.args.save and not row["problems"] and not row["stalemate"]:
            shutil.rmtree(row["folder"], ignore_errors=True)

    async def run(self):
        await asyncio.gather(*(self.lane(lane) for lane in range(self.args.parallel)))


def summary(soak, wall, cpu):
    rows = soak.rows
    played = [r for r in rows if r["result"] != ""]
    stalemates = sum(r["stalemate"] for r in rows)
    lines = [f"{len(rows)} matches, {soak.args.parallel} at once, tick {soak.args.tick_ms} ms, "
             f"{soak.hosts_started} host processes ({soak.args.kept_hosts} lane(s) keeping theirs)"]
    lines.append(f"results: {len(played)}; stalemates (no disc moved in "
                 f"{soak.args.stalemate_shots} shots in a row): {stalemates}; no result: "
                 f"{len(rows) - len(played) - stalemates}")
    lines.append(f"desyncs: {sum(r['desyncs'] for r in rows)} differing vsync reports in "
                 f"{sum(1 for r in rows if r['desyncs'])} matches, of "
                 f"{sum(r['reports'] for r in rows)} reports to {sum(r['vsyncs'] for r in rows)} "
                 f"checks; packet errors and resyncs: {sum(r['anomalies'] for r in rows)}")
    lines.append(f"crashes: {sum(r['crashes'] for r in rows)}; other bad exits: "
                 f"{sum(r['bad_exits'] for r in rows)}; offline replays that differ: "
                 f"{sum(1 for r in rows if r['replay'].startswith('differs'))}")
    if played:
        shots = [r["shots"] for r in played]
        seconds = [r["seconds"] for r in played]
        lines.append(f"shots per match: mean {statistics.mean(shots):.1f}, max {max(shots)}")
        lines.append(f"seconds per match: mean {statistics.mean(seconds):.1f}, median "
                     f"{statistics.median(seconds):.1f}, max {max(seconds):.1f}; "
                     f"{wall / len(rows):.1f} s of wall time per match with the lanes in parallel")
    served = [h for h in soak.hosts if h.rss_kb]
    if served:
        longest = max(served, key=lambda h: len(h.rss_kb))
        lines.append(f"longest-lived host (#{longest.number}, {len(longest.rss_kb)} matches): "
                     f"resident {longest.rss_kb[0] / 1024:.1f} MB after the first match, "
                     f"{longest.rss_kb[-1] / 1024:.1f} MB after the last, "
                     f"{max(longest.rss_kb) / 1024:.1f} MB at most")
    ticked = [r for r in rows if r["tick_max_us"] != ""]
    if ticked:
        slowest = max(ticked, key=lambda r: int(r["tick_max_us"]))
        lines.append(f"frame tick: slowest {int(slowest['tick_max_us']) / 1000:.1f} ms (match "
                     f"{slowest['match']}), worst 99th percentile "
                     f"{max(int(r['tick_p99_us']) for r in ticked) / 1000:.2f} ms, mean "
                     f"{statistics.mean(int(r['tick_mean_us']) for r in ticked) / 1000:.3f} ms")
    lines.append(f"wall {wall / 60:.1f} min, processor {cpu / 60:.1f} min "
                 f"({cpu / wall:.2f} cores on average)")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--matches", type=int, default=20, help="matches in all")
    parser.add_argument("--parallel", type=int, default=2, help="matches at once (lanes)")
    parser.add_argument("--kept-hosts", type=int, default=1,
                        help="lanes whose host process serves many matches")
    parser.add_argument("--host-matches", type=int, default=1_000_000,
                        help="matches a kept host serves before a new one takes over")
    parser.add_argument("--tick-ms", type=int, default=4,
                        help="frame tick of every process: 16 plays as on a screen, less plays "
                             "faster (the 60-second turn clock shrinks with it)")
    parser.add_argument("--pairings", default=DEFAULT_PAIRINGS,
                        help="host-guest level pairs, comma separated; lane N's hosts play "
                             "the first level of pairing N, match N's guest the second of N")
    parser.add_argument("--build", default="build", help="the build folder")
    parser.add_argument("--seed", type=int, default=1, help="the players' seeds follow from it")
    parser.add_argument("--match-timeout", type=int, default=900, metavar="SECONDS",
                        help="a match still running after this is abandoned, with no result")
    parser.add_argument("--stalemate-shots", type=int, default=40, metavar="SHOTS",
                        help="a match in which this many shots in a row moved no disc ends "
                             "as a stalemate")
    parser.add_argument("--folder", help="where the run's files go")
    parser.add_argument("--save", action="store_true",
                        help="keep every match's files, not only those of matches that went wrong")
    args = parser.parse_args()
    if min(args.parallel, args.matches, args.host_matches, args.stalemate_shots) < 1:
        parser.error("--matches, --parallel, --host-matches and --stalemate-shots must be at "
                     "least 1")

    run_dir = args.folder or tempfile.mkdtemp(prefix="soak.")
    os.makedirs(run_dir, exist_ok=True)
    began = time.monotonic()
    with open(os.path.join(run_dir, "matches.csv"), "w", newline="") as log:
        soak = Soak(args, run_dir, log)
        asyncio.run(soak.run())
    wall = time.monotonic() - began
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    text = summary(soak, wall, usage.ru_utime + usage.ru_stime)
    print()
    print(text)
    with open(os.path.join(run_dir, "summary.txt"), "w") as f:
        f.write(text + "\n")
    print(f"per-match lines: {os.path.join(run_dir, 'matches.csv')}")
    return 1 if any(r["problems"] for r in soak.rows) else 0


if __name__ == "__main__":
    sys.exit(main())
