#!/usr/bin/env python3
"""Strength of the computer player: whole matches between processes over loopback.

Each match is a fresh game: bot_strength_host hosts it on 127.0.0.1 and plays
its own seat (green, the first match's first side), and a ringdisk-bot process
joins and plays red. The two levels of a pairing take turns at hosting, so
each plays green in half the matches. Every process runs at nice 10 (added to the tool's own) in a
folder of its own (the library rewrites debug.log in its working folder).

Matches run side by side: a player spends most of a match watching discs roll
and showing its aim, which costs wall time, not processor time. The processor
time the processes used is printed with the table, as cores kept busy.

  bench/bot_strength/bot_strength.py --matches 50 [--parallel 8] [--tick-ms 16]
      [--pairings master-club,club-beginner,...] [--build build] [--seed 1]
      [--match-timeout SECONDS] [--folder DIR] [--keep-folders] [--replays DIR]

The players' seeds follow from --seed, the pairing and the match's number;
the host deals each match's table from a seed of its own choosing, as any
host does, so two runs play different tables.

The table: wins of each side, draws, matches with no result before their
time ran out, the stronger side's share of the decided matches, and the mean
match length in shots. One line per match goes to matches.csv in the run's
folder (a new one under /tmp unless --folder names it); the processes'
folders (each holds what its process printed, stdout.txt, and its
debug.log) are removed after a match that came to a result unless
--keep-folders. The exit status
is 1 when any match came to no result. With --replays every match is kept
there as a replay file, as the host recorded it (the folder keeps the newest
50), to be watched in the game or checked with tools/shotreplay.
"""

import argparse
import asyncio
import os
import resource
import shutil
import sys
import tempfile
import time

DEFAULT_PAIRINGS = "master-club,club-beginner,master-random,club-random,beginner-random"
GREEN_WON, RED_WON = 1, 2


class Pairing:
    def __init__(self, text):
        self.first, self.second = text.split("-")
        self.first_wins = self.second_wins = self.draws = self.unfinished = 0
        self.shots = []

    def name(self):
        return f"{self.first.capitalize()}-{self.second.capitalize()}"

    def record(self, first_hosts, result, shots):
        if result is None:
            self.unfinished += 1
            return
        self.shots.append(shots)
        if result == 0:
            self.draws += 1
        elif (result == GREEN_WON) == first_hosts:
            self.first_wins += 1
        else:
            self.second_wins += 1

    def row(self):
        played = self.first_wins + self.second_wins + self.draws
        share = f"{100.0 * self.first_wins / played:.0f}%" if played else "-"
        mean = f"{sum(self.shots) / len(self.shots):.1f}" if self.shots else "-"
        return (self.name(), self.first_wins, self.second_wins, self.draws, self.unfinished,
                share, mean)


async def read_until(stream, prefix, deadline, transcript):
    """The first line starting with prefix, or None when the stream ends first.
    Every line read goes on to the transcript."""
    while True:
        line = await asyncio.wait_for(stream.readline(), max(0.1, deadline - time.monotonic()))
        if not line:
            return None
        transcript.write(line)
        text = line.decode(errors="replace").strip()
        if text.startswith(prefix):
            return text


async def start(program, args, folder, stdout):
    return await asyncio.create_subprocess_exec(
        "nice", "-n", "10", program, *args, cwd=folder,
        stdin=asyncio.subprocess.PIPE, stdout=stdout, stderr=asyncio.subprocess.STDOUT)


def fresh_folder(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


async def end(process):
    """Waits a little for a process to leave by itself, then stops it."""
    try:
        await asyncio.wait_for(process.wait(), 10)
    except asyncio.TimeoutError:
        process.kill()
        await process.wait()


async def play_match(bin_dir, folder, host_level, guest_level, seed, tick_ms, timeout_s,
                     replays):
    """(result, shots) from the host's report; result None when no result came.
    What each process printed is left in stdout.txt in its folder."""
    host_folder = fresh_folder(os.path.join(folder, "host"))
    guest_folder = fresh_folder(os.path.join(folder, "guest"))
    with open(os.path.join(host_folder, "stdout.txt"), "wb") as host_lines, \
            open(os.path.join(guest_folder, "stdout.txt"), "wb") as guest_lines:
        host = await start(os.path.join(bin_dir, "bot_strength_host"),
                           ["--level", host_level, "--seed", str(seed), "--tick-ms", str(tick_ms),
                            "--lifetime", str(timeout_s)]
                           + (["--replays", replays] if replays else []),
                           host_folder, asyncio.subprocess.PIPE)
        guest = None
        deadline = time.monotonic() + timeout_s + 30
        try:
            hosting = await read_until(host.stdout, "HOSTING ", deadline, host_lines)
            if hosting is None:
                return None, 0
            guest = await start(os.path.join(bin_dir, "ringdisk-bot"),
                                ["--host", "127.0.0.1", "--port", hosting.split()[1],
                                 "--name", "Guest", "--level", guest_level,
                                 "--seed", str(seed + 1), "--tick-ms", str(tick_ms)],
                                guest_folder, guest_lines)
            report = await read_until(host.stdout, "RESULT ", deadline, host_lines)
            if report is None:
                return None, 0
            _, result, shots = report.split()
            return int(result), int(shots)
        except asyncio.TimeoutError:
            return None, 0
        finally:
            for process in (host, guest):
                if process is not None:
                    if process.returncode is None and process.stdin:
                        process.stdin.close()
                    await end(process)
            # The host's last words (its farewell, or why it stopped).
            if host.stdout:
                host_lines.write(await host.stdout.read())


async def run(args, pairings, run_dir, log):
    # Each process starts in its own folder: the programs need a full path.
    bin_dir = os.path.abspath(os.path.join(args.build, "bin"))
    replays = os.path.abspath(args.replays) if args.replays else None
    slots = asyncio.Semaphore(args.parallel)
    done = 0
    total = len(pairings) * args.matches

    async def one(pairing, index):
        nonlocal done
        first_hosts = index % 2 == 0
        host_level, guest_level = ((pairing.first, pairing.second) if first_hosts
                                   else (pairing.second, pairing.first))
        seed = args.seed * 1_000_003 + hash_name(pairing.name()) * 1009 + index * 2
        folder = os.path.join(run_dir, f"{pairing.name()}-{index}")
        async with slots:
            began = time.monotonic()
            result, shots = await play_match(bin_dir, folder, host_level, guest_level, seed,
                                             args.tick_ms, args.match_timeout, replays)
            seconds = time.monotonic() - began
        pairing.record(first_hosts, result, shots)
        done += 1
        log.write(f"{pairing.name()},{index},{host_level},{guest_level},{seed},"
                  f"{'' if result is None else result},{shots},{seconds:.1f}\n")
        log.flush()
        print(f"[{done}/{total}] {pairing.name()} #{index}: green {host_level}, red "
              f"{guest_level}, result {result}, {shots} shots, {seconds:.0f} s", flush=True)
        if result is None:
            print(f"    no result: the processes' folders stay in {folder}", flush=True)
        elif not args.keep_folders:
            shutil.rmtree(folder, ignore_errors=True)

    # Interleaved, so that a run cut short still has every pairing.
    await asyncio.gather(*(one(p, i) for i in range(args.matches) for p in pairings))


def hash_name(name):
    # Python's own string hash changes per run; the seeds must not.
    return sum((i + 1) * ord(c) for i, c in enumerate(name))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--matches", type=int, default=50, help="matches per pairing")
    parser.add_argument("--parallel", type=int, default=8, help="matches at once")
    parser.add_argument("--tick-ms", type=int, default=16,
                        help="frame tick of every process: 16 plays as on a screen, with the "
                             "1-2 s aim; less plays faster")
    parser.add_argument("--pairings", default=DEFAULT_PAIRINGS,
                        help="stronger-weaker level pairs, comma separated")
    parser.add_argument("--build", default="build", help="the build folder")
    parser.add_argument("--seed", type=int, default=1)
    # Most matches take tens of shots, but a weak side can drag one out to
    # hundreds: over 400 against the random player, half an hour at 16 ms.
    parser.add_argument("--match-timeout", type=int, default=3600, metavar="SECONDS",
                        help="a match still running after this is stopped, with no result")
    parser.add_argument("--folder", help="where the run's files go")
    parser.add_argument("--replays", metavar="DIR", help="keep every match there as a replay")
    parser.add_argument("--keep-folders", action="store_true",
                        help="keep each process's folder (its debug.log)")
    args = parser.parse_args()
    pairings = [Pairing(p) for p in args.pairings.split(",")]

    run_dir = args.folder or tempfile.mkdtemp(prefix="bot_strength.")
    os.makedirs(run_dir, exist_ok=True)
    began = time.monotonic()
    with open(os.path.join(run_dir, "matches.csv"), "w") as log:
        log.write("pairing,match,green,red,seed,result,shots,seconds\n")
        asyncio.run(run(args, pairings, run_dir, log))
    wall = time.monotonic() - began
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = usage.ru_utime + usage.ru_stime

    print()
    print(f"{args.matches} matches per pairing, seats alternated, tick {args.tick_ms} ms, "
          f"{args.parallel} at once")
    header = ("pairing", "1st wins", "2nd wins", "draws", "no result", "1st share", "mean shots")
    print("{:<18}{:>10}{:>10}{:>7}{:>11}{:>11}{:>12}".format(*header))
    for p in pairings:
        print("{:<18}{:>10}{:>10}{:>7}{:>11}{:>11}{:>12}".format(*p.row()))
    print(f"wall {wall / 60:.1f} min, processor {cpu / 60:.1f} min "
          f"({cpu / wall:.2f} cores on average)")
    print(f"per-match lines: {os.path.join(run_dir, 'matches.csv')}")
    unfinished = sum(p.unfinished for p in pairings)
    if unfinished:
        print(f"{unfinished} match(es) came to no result: a process failed to start, "
              f"or the match outlived its {args.match_timeout} s", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
